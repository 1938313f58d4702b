#include "edit_box.h"

#include <QFocusEvent>
#include <QSignalBlocker>
#include <QValidator>

namespace ostrane {

// QLineEdit's own maximum length would also cut the program's texts, such as a long read-out; this
// refuses only an edit that leaves the text longer than the limit and longer than it was.
class EditBox::LengthLimit final : public QValidator {
public:
    LengthLimit(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}

    State validate(QString& input, int&) const override {
        if (programWrite_ || input.size() <= maxLength_ || input.size() <= lastLength_) {
            lastLength_ = input.size();
            return Acceptable;
        }
        return Invalid;
    }

    // Every text that the box shows passes through validate, so lastLength_ is the current length.
    class ProgramWrite {
    public:
        explicit ProgramWrite(LengthLimit& limit) : limit_(limit) { limit_.programWrite_ = true; }
        ~ProgramWrite() { limit_.programWrite_ = false; }
        ProgramWrite(const ProgramWrite&) = delete;
        ProgramWrite& operator=(const ProgramWrite&) = delete;

    private:
        LengthLimit& limit_;
    };

private:
    int maxLength_;
    bool programWrite_ = false;
    mutable qsizetype lastLength_ = 0;
};

EditBox::EditBox(QWidget* parent, int maxLength, bool readOnly)
    : QLineEdit(parent), maxLength_(maxLength), limit_(new LengthLimit(maxLength, this)) {
    setValidator(limit_);
    setReadOnly(readOnly);
    setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
}

void EditBox::SetProgramText(const QString& text) {
    const QSignalBlocker quiet(this);
    const LengthLimit::ProgramWrite unlimited(*limit_);
    setText(text);
}

void EditBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::OtherFocusReason) {
        selectAll();
    }
}

}  // namespace ostrane
