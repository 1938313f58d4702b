#include "box_access.h"

namespace ostrane {

namespace {
std::size_t Index(Box box) {
    return static_cast<std::size_t>(box);
}
}  // namespace

std::string_view InitialBoxText(Box box) {
    switch (box) {
        case Box::SpeedEdit:
            return "2.0";
        case Box::TurnIntEdit:
            return "120";
        case Box::CompassEdit:
            return "45";
        case Box::TurnRangeEdit:
            return "25";
        case Box::SoakHrsEdit:
            return "24";
        case Box::NofTrialsEdit:
            return "100";
        case Box::TTTmBox:
        case Box::NofTurnsBox:
            break;
    }
    return "";
}

void BoxAccess::SetText(Box box, std::string_view text) {
    if (ReadText(box) == text) {
        return;
    }
    WriteText(box, text);
    RaiseChange(box);
}

void BoxAccess::SetChangeHandler(Box box, ChangeHandler handler) {
    handlers_[Index(box)] = std::move(handler);
}

void BoxAccess::RaiseChange(Box box) {
    // A copy, so a handler that replaces handlers cannot destroy the one that is running.
    const ChangeHandler handler = handlers_[Index(box)];
    if (handler) {
        handler();
    }
}

StandaloneBoxes::StandaloneBoxes() {
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        texts_[i] = InitialBoxText(static_cast<Box>(i));
    }
}

void StandaloneBoxes::Enter(Box box, std::string_view text) {
    WriteText(box, text);
    RaiseChange(box);
}

std::string StandaloneBoxes::ReadText(Box box) const {
    return texts_[Index(box)];
}

void StandaloneBoxes::WriteText(Box box, std::string_view text) {
    texts_[Index(box)] = text;
}

}  // namespace ostrane
