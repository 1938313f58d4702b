// The decimal separator of shown and written reals follows the system locale.
#pragma once

namespace ostrane {

// Takes the system locale's decimal separator now and again after every locale change; a
// separator that is not one Latin-1 character gives ".". Keeps the C library's numeric locale at
// "C", which QApplication sets from the environment. Call once, after QApplication exists.
void FollowSystemDecimalSeparator();

}  // namespace ostrane
