#include "decimal_separator.h"

#include <QApplication>
#include <QEvent>
#include <QLocale>

#include <clocale>

#include "simulation/number_text.h"

namespace ostrane {

namespace {

void TakeSystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    const bool oneLatin1 = point.size() == 1 && point[0].unicode() < 256;
    SetDecimalSeparator(oneLatin1 ? static_cast<char>(point[0].unicode()) : '.');
}

class LocaleWatcher final : public QObject {
public:
    explicit LocaleWatcher(QObject& application) : QObject(&application) {
        application.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::LocaleChange) {
            TakeSystemDecimalSeparator();
        }
        return false;
    }
};

}  // namespace

void FollowSystemDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "C");
    TakeSystemDecimalSeparator();
    new LocaleWatcher(*qApp);
}

}  // namespace ostrane
