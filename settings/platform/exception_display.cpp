#include "exception_display.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <utility>

#include "simulation/message_text.h"

namespace ostrane {

namespace {

void ShowMessageBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

ExceptionDisplay& CurrentDisplay() {
    static ExceptionDisplay display = ShowMessageBox;
    return display;
}

}  // namespace

QString ApplicationTitle(const QString& programPath) {
    const QString name = QFileInfo(programPath).fileName();
    const QString title = name.left(name.indexOf(u'.'));
    return title.left(1) + title.mid(1).toLower();
}

void SetExceptionDisplay(ExceptionDisplay display) {
    CurrentDisplay() = display ? std::move(display) : ShowMessageBox;
}

void ShowException(std::string_view message) {
    const std::string text = MessageForDisplay(message);
    CurrentDisplay()(ApplicationTitle(QCoreApplication::applicationFilePath()),
                     QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace ostrane
