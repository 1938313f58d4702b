// A captioned group of radio items in one column with always one item selected. The group is one
// tab stop, which lands on the selected item; the arrow keys move between the items.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QStringList>

namespace ostrane {

class RadioGroup : public QGroupBox {
public:
    RadioGroup(QWidget* parent, const QString& caption, const QStringList& items, int itemIndex);

    int ItemIndex() const { return buttons_.checkedId(); }

    // The items in order, for chaining the window's tab order through the group.
    const QList<QRadioButton*>& Items() const { return items_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void MoveTabStopToSelected();

    QButtonGroup buttons_;
    QList<QRadioButton*> items_;
};

}  // namespace ostrane
