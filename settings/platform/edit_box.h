// A single-line edit box with the behaviour the settings window's boxes need of it.
#pragma once

#include <QLineEdit>
#include <QString>

namespace ostrane {

class EditBox : public QLineEdit {
public:
    // A read-only box can be clicked into but not changed, and is not a tab stop.
    EditBox(QWidget* parent, int maxLength, bool readOnly);

    // MaxLength limits what the user types and pastes only.
    int MaxLength() const { return maxLength_; }

    // Sets a text of any length without raising textEdited or any other signal.
    void SetProgramText(const QString& text);

protected:
    // Focus that the program gives selects the whole text, as focus by Tab does.
    void focusInEvent(QFocusEvent* event) override;

private:
    class LengthLimit;

    int maxLength_;
    LengthLimit* limit_;
};

}  // namespace ostrane
