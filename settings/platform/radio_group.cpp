#include "radio_group.h"

#include <QRect>

namespace ostrane {

RadioGroup::RadioGroup(QWidget* parent, const QString& caption, const QStringList& items,
                       int itemIndex)
    : QGroupBox(caption, parent) {
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], this);
        // Tight as the classic group's items, so long captions fit its width.
        item->setStyleSheet("QRadioButton { spacing: 2px; }");
        buttons_.addButton(item, i);
        items_.append(item);
    }
    items_[itemIndex]->setChecked(true);
    MoveTabStopToSelected();
    connect(&buttons_, &QButtonGroup::idToggled, this, [this] { MoveTabStopToSelected(); });
}

void RadioGroup::MoveTabStopToSelected() {
    for (QRadioButton* item : items_) {
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    // The items share the height below the caption evenly, as the rows of one column.
    constexpr int kLeft = 4;
    constexpr int kRight = 2;
    const QRect rows = contentsRect();
    const int rowHeight = rows.height() / static_cast<int>(items_.size());
    for (int i = 0; i < items_.size(); ++i) {
        items_[i]->setGeometry(kLeft, rows.top() + i * rowHeight, width() - kLeft - kRight,
                               rowHeight);
    }
}

}  // namespace ostrane
