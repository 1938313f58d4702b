// How the program words a failure for the user.
#pragma once

#include <string>
#include <string_view>

namespace ostrane {

// The message as shown: a period is added when the message is not empty and its last character
// sorts after ".".
inline std::string MessageForDisplay(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

}  // namespace ostrane
