#include "program_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

#include "settings/platform/exception_display.h"

namespace ostrane {

ShownFailures::ShownFailures() {
    SetExceptionDisplay([this](const QString& caption, const QString& text) {
        captions.append(caption);
        texts.append(text);
    });
}

ShownFailures::~ShownFailures() {
    SetExceptionDisplay({});
}

ProgramTest::ProgramTest()
    : resultsPath_(directory_.filePath("DmgOut.txt").toStdString()),
      results_(resultsPath_),
      windows_(StartUp(parameters_, random_, results_)) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(windows_.settings.get()));
}

namespace {

void FocusAndSelectAll(QWidget* box) {
    box->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
}

}  // namespace

void ProgramTest::TypeInto(QWidget* box, const QString& keys) {
    FocusAndSelectAll(box);
    QTest::keyClicks(QApplication::focusWidget(), keys);
}

void ProgramTest::PasteInto(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    FocusAndSelectAll(box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
}

void ProgramTest::Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

QStringList ProgramTest::ResultLines() const {
    QFile file(QString::fromStdString(resultsPath_));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace ostrane
