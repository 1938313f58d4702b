#include "qt_boxes.h"

#include "exception_display.h"

namespace ostrane {

QtBoxes::QtBoxes(const std::array<EditBox*, kBoxCount>& boxes) : boxes_(boxes) {
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const Box box = static_cast<Box>(i);
        QObject::connect(boxes_[i], &QLineEdit::textEdited, boxes_[i],
                         [this, box] { RunHandler([this, box] { RaiseChange(box); }); });
    }
}

std::string QtBoxes::ReadText(Box box) const {
    return boxes_[static_cast<std::size_t>(box)]->text().toLatin1().toStdString();
}

void QtBoxes::WriteText(Box box, std::string_view text) {
    boxes_[static_cast<std::size_t>(box)]->SetProgramText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace ostrane
