// The parameter handlers' box access over the settings window's edit boxes. The program's texts
// go in without signals, so a box's nested change handler is the plain call that BoxAccess makes;
// the user's edits (typing, cut, paste, undo) raise the box's handler in the exception guard.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "edit_box.h"
#include "simulation/box_access.h"

namespace ostrane {

class QtBoxes final : public BoxAccess {
public:
    // The boxes in the order of Box; they must outlive this object.
    explicit QtBoxes(const std::array<EditBox*, kBoxCount>& boxes);

private:
    std::string ReadText(Box box) const override;
    void WriteText(Box box, std::string_view text) override;

    std::array<EditBox*, kBoxCount> boxes_;
};

}  // namespace ostrane
