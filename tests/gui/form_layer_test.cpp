// The form layer: the exception display and its guard, the edit boxes, the radio group, the box
// access over real edit boxes, activation and exit tracking, outer geometry and the separator.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/platform/decimal_separator.h"
#include "settings/platform/edit_box.h"
#include "settings/platform/exception_display.h"
#include "settings/platform/qt_boxes.h"
#include "settings/platform/radio_group.h"
#include "settings/platform/window_events.h"
#include "simulation/number_text.h"
#include "tests/gui/program_fixture.h"

namespace ostrane {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstPeriodWithLaterLettersInLowerCase) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"/usr/local/bin/ostrane", "ostrane"},
        {"/opt/OSTRANE.EXE", "Ostrane"},
        {"/a.b/My.Prog.exe", "My"},
        {"relative/SETTINGS_TEST", "Settings_test"},
        {"/x/\u00c4RGER", "\u00c4rger"},
        {"/x/.hidden", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ApplicationTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title))
            << c.path;
    }
}

TEST(ExceptionDisplay, AFailingHandlerEndsAndItsMessageIsShownUnderTheTitle) {
    const struct {
        std::string message;
        const char* shown;
    } cases[] = {
        {"File access denied", "File access denied."},
        {"I/O error 32", "I/O error 32."},
        {"Ends with a period.", "Ends with a period."},
        {"x,", "x,"},
        {"x-", "x-"},
        {"x/", "x/."},
        {"", ""},
        {"caf\xe9", "caf\u00e9."},
    };
    for (const auto& c : cases) {
        ShownFailures shown;
        bool after = false;
        RunHandler([&] {
            throw std::runtime_error(c.message);
            after = true;
        });
        EXPECT_FALSE(after);
        EXPECT_EQ(shown.texts, QStringList{QString::fromUtf8(c.shown)}) << c.message;
        EXPECT_EQ(shown.captions,
                  QStringList{ApplicationTitle(QCoreApplication::applicationFilePath())});
    }
}

TEST(ExceptionDisplay, AHandlerThatSucceedsShowsNothing) {
    ShownFailures shown;
    int runs = 0;
    RunHandler([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shown.texts.isEmpty());
}

TEST(ExceptionDisplay, ByDefaultIsAModalMessageBoxWithOkAndTheStopIcon) {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        modal = box->isModal();
        QTest::keyClick(box, Qt::Key_Return);
    });
    ShowException("Disk full");
    EXPECT_EQ(title, ApplicationTitle(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(text, "Disk full.");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_TRUE(modal);
}

// A shown, active window holding the widgets of a test.
class WindowTest : public testing::Test {
protected:
    void Show() {
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    static void Activate(QWidget& window) {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window_;
};

class EditBoxTest : public WindowTest {
protected:
    EditBoxTest() {
        box_->setGeometry(0, 0, 60, 21);
        readOnly_->setGeometry(0, 30, 60, 21);
        Show();
        QObject::connect(box_, &QLineEdit::textEdited, [this] { ++edits_; });
    }
    void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }

    EditBox* box_ = new EditBox(&window_, 4, false);
    EditBox* readOnly_ = new EditBox(&window_, 5, true);
    int edits_ = 0;
};

TEST_F(EditBoxTest, TypingStopsAtTheLimitAndAPasteBeyondItIsRefused) {
    box_->setFocus();
    Type("123456");
    EXPECT_EQ(box_->text(), "1234");
    QGuiApplication::clipboard()->setText("98765");
    box_->selectAll();
    QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box_->text(), "1234");
    QGuiApplication::clipboard()->setText("987");
    QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box_->text(), "987");
}

TEST_F(EditBoxTest, TheProgramsTextsKeepTheirLengthAndRaiseNothing) {
    box_->SetProgramText("25.920001953125");
    readOnly_->SetProgramText("719999991.808");
    EXPECT_EQ(box_->text(), "25.920001953125");
    EXPECT_EQ(readOnly_->text(), "719999991.808");
    EXPECT_EQ(edits_, 0);
}

TEST_F(EditBoxTest, AnOverlongTextCanBeShortenedButNotLengthened) {
    box_->SetProgramText("123456");
    box_->setFocus();
    QTest::keyClick(box_, Qt::Key_End);
    QTest::keyClick(box_, Qt::Key_Backspace);
    EXPECT_EQ(box_->text(), "12345");
    Type("9");
    EXPECT_EQ(box_->text(), "12345");
    QTest::keyClick(box_, Qt::Key_Backspace);
    Type("99");
    EXPECT_EQ(box_->text(), "1234");
    EXPECT_EQ(edits_, 2);
}

TEST_F(EditBoxTest, AReadOnlyBoxTakesTheFocusByClickOnlyAndIgnoresTyping) {
    readOnly_->SetProgramText("to file");
    QTest::mouseClick(readOnly_, Qt::LeftButton);
    EXPECT_TRUE(readOnly_->hasFocus());
    Type("9");
    QTest::keyClick(readOnly_, Qt::Key_Delete);
    EXPECT_EQ(readOnly_->text(), "to file");
    EXPECT_EQ(readOnly_->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(box_->focusPolicy(), Qt::StrongFocus);
}

TEST_F(EditBoxTest, FocusFromTheProgramOrTabSelectsTheWholeTextAndAClickDoesNot) {
    box_->SetProgramText("2.0");
    readOnly_->setFocus();
    box_->setFocus();
    EXPECT_EQ(box_->selectedText(), "2.0");
    QTest::keyClick(box_, Qt::Key_Tab);
    QTest::keyClick(readOnly_, Qt::Key_Tab);
    ASSERT_TRUE(box_->hasFocus());
    EXPECT_EQ(box_->selectedText(), "2.0");
    readOnly_->setFocus();
    QTest::mouseClick(box_, Qt::LeftButton);
    EXPECT_TRUE(box_->hasFocus());
    EXPECT_EQ(box_->selectedText(), "");
}

class QtBoxesTest : public WindowTest {
protected:
    QtBoxesTest() { Show(); }
    EditBox* Edit(Box box) { return edits_[static_cast<std::size_t>(box)]; }

    static std::array<EditBox*, kBoxCount> MakeEdits(QWidget& window) {
        std::array<EditBox*, kBoxCount> edits{};
        for (std::size_t i = 0; i < kBoxCount; ++i) {
            edits[i] = new EditBox(&window, 8, false);
            edits[i]->setGeometry(0, static_cast<int>(i) * 22, 60, 21);
        }
        return edits;
    }

    std::array<EditBox*, kBoxCount> edits_ = MakeEdits(window_);
    QtBoxes boxes_{edits_};
};

TEST_F(QtBoxesTest, AUserEditRunsTheBoxsHandlerOnceWithTheNewText) {
    std::vector<std::string> seen;
    boxes_.SetChangeHandler(Box::SpeedEdit, [&] { seen.push_back(boxes_.Text(Box::SpeedEdit)); });
    Edit(Box::SpeedEdit)->setFocus();
    QTest::keyClicks(Edit(Box::SpeedEdit), "2.5");
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "2.", "2.5"}));
}

TEST_F(QtBoxesTest, AProgramWriteRunsTheHandlerAsANestedCallOnlyWhenTheTextDiffers) {
    std::vector<std::string> seen;
    boxes_.SetChangeHandler(Box::CompassEdit, [&] {
        seen.push_back(boxes_.Text(Box::CompassEdit));
        boxes_.SetText(Box::CompassEdit, "0");  // a write-back that normalises its own box
    });
    boxes_.SetText(Box::TTTmBox, "25.920001953125");
    EXPECT_EQ(Edit(Box::TTTmBox)->text(), "25.920001953125");
    Edit(Box::CompassEdit)->setFocus();
    QTest::keyClicks(Edit(Box::CompassEdit), "9");
    EXPECT_EQ(seen, (std::vector<std::string>{"9", "0"}));
    EXPECT_EQ(Edit(Box::CompassEdit)->text(), "0");
    boxes_.SetText(Box::CompassEdit, "0");
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(QtBoxesTest, AFailureInAUserEditsHandlerIsShownAndTheTypedTextStays) {
    ShownFailures shown;
    boxes_.SetChangeHandler(Box::SpeedEdit,
                            [] { throw std::runtime_error("Floating point overflow"); });
    Edit(Box::SpeedEdit)->setFocus();
    QTest::keyClicks(Edit(Box::SpeedEdit), "9");
    EXPECT_EQ(shown.texts, QStringList{"Floating point overflow."});
    EXPECT_EQ(Edit(Box::SpeedEdit)->text(), "9");
}

class RadioGroupTest : public WindowTest {
protected:
    RadioGroupTest() {
        before_->setGeometry(0, 0, 60, 21);
        group_->setGeometry(0, 30, 169, 81);
        after_->setGeometry(0, 120, 60, 21);
        QWidget::setTabOrder(before_, group_->Items()[0]);
        QWidget::setTabOrder(group_->Items()[0], group_->Items()[1]);
        QWidget::setTabOrder(group_->Items()[1], group_->Items()[2]);
        QWidget::setTabOrder(group_->Items()[2], after_);
        Show();
        before_->setFocus();
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }

    EditBox* before_ = new EditBox(&window_, 4, false);
    RadioGroup* group_ = new RadioGroup(&window_, " Turn algorithm ", {"A", "B", "C"}, 1);
    EditBox* after_ = new EditBox(&window_, 4, false);
};

TEST_F(RadioGroupTest, IsOneTabStopThatLandsOnTheSelectedItem) {
    EXPECT_EQ(group_->ItemIndex(), 1);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), group_->Items()[1]);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), after_);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), group_->Items()[1]);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), before_);
}

TEST_F(RadioGroupTest, TheArrowKeysSelectAnotherItemWhichThenHoldsTheTabStop) {
    Press(Qt::Key_Tab);
    Press(Qt::Key_Down);
    EXPECT_EQ(group_->ItemIndex(), 2);
    EXPECT_EQ(Focused(), group_->Items()[2]);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), group_->Items()[2]);
    QTest::mouseClick(group_->Items()[0], Qt::LeftButton);
    EXPECT_EQ(group_->ItemIndex(), 0);
}

// The tracked window, another of the program's windows, a dialog, and a window of another program
// (to the widgets, focus in a window that is no widget's is focus elsewhere).
class ActivationTest : public WindowTest {
protected:
    ActivationTest() { other_.setWindowTitle("other"); }
    void ActivateElsewhere() {
        elsewhere_.show();
        elsewhere_.requestActivate();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere_));
    }

    int raised_ = 0;
    ActivationTracker* tracker_ = new ActivationTracker(window_, [this] { ++raised_; });
    QWidget other_;
    QDialog dialog_;
    QWindow elsewhere_;
};

TEST_F(ActivationTest, RaisedAtFirstShowingAndOnReturnFromAnotherProgramWindowOnly) {
    Activate(other_);
    Activate(window_);
    EXPECT_EQ(raised_, 1) << "first showing";
    Activate(other_);
    Activate(window_);
    EXPECT_EQ(raised_, 2) << "back from the program's other window";
    Activate(dialog_);
    dialog_.hide();
    Activate(window_);
    EXPECT_EQ(raised_, 2) << "back from a dialog";
    ActivateElsewhere();
    Activate(window_);
    EXPECT_EQ(raised_, 2) << "back from another program";
}

TEST_F(ActivationTest, AFailingHandlerIsShown) {
    ShownFailures shown;
    ActivationTracker failing(other_,
                              [] { throw std::runtime_error("Invalid floating point operation"); });
    Activate(other_);
    EXPECT_EQ(shown.texts, QStringList{"Invalid floating point operation."});
}

class FocusExitTest : public WindowTest {
protected:
    FocusExitTest() {
        first_->setGeometry(0, 0, 60, 21);
        second_->setGeometry(0, 30, 60, 21);
        exits_->SetExitHandler(*first_, [this] { ++exited_; });
        Show();
        first_->setFocus();
    }

    EditBox* first_ = new EditBox(&window_, 4, false);
    EditBox* second_ = new EditBox(&window_, 4, false);
    FocusExitTracker* exits_ = new FocusExitTracker(window_);
    int exited_ = 0;
    QWidget other_;
};

TEST_F(FocusExitTest, RaisedWhenTheFocusMovesToAnotherControlOfTheWindow) {
    QTest::keyClick(first_, Qt::Key_Tab);
    EXPECT_EQ(exited_, 1);
    QTest::keyClick(second_, Qt::Key_Backtab);
    QTest::mouseClick(second_, Qt::LeftButton);
    EXPECT_EQ(exited_, 2);
    QTest::keyClick(second_, Qt::Key_Tab);
    EXPECT_EQ(exited_, 2) << "entering the box is no exit";
}

TEST_F(FocusExitTest, NotRaisedByAnotherWindowButByTheNextMoveInsideTheWindow) {
    Activate(other_);
    EXPECT_EQ(exited_, 0);
    Activate(window_);
    EXPECT_TRUE(first_->hasFocus());
    EXPECT_EQ(exited_, 0);
    Activate(other_);
    window_.activateWindow();
    QTest::mouseClick(second_, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    EXPECT_EQ(exited_, 1);
}

TEST(OuterGeometry, TheFrameTakesTheOuterSizeOnceTheWindowSystemHasFramedTheWindow) {
    QWidget window;
    SetOuterGeometry(window, QRect(40, 30, 195, 571));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QMargins frame = window.windowHandle()->frameMargins();
    ASSERT_FALSE(frame.isNull()) << "the offscreen platform frames its windows";
    EXPECT_EQ(window.frameGeometry(), QRect(40, 30, 195, 571));
    EXPECT_EQ(window.size(), QSize(195, 571).shrunkBy(frame));
    window.resize(300, 300);
    QTest::qWait(1);
    EXPECT_EQ(window.size(), QSize(300, 300)) << "the user may resize afterwards";
}

TEST(DecimalSeparator, FollowsTheSystemLocaleAgainAfterALocaleChange) {
    const QString system = QLocale::system().decimalPoint();
    ASSERT_EQ(system.size(), 1);
    EXPECT_EQ(DecimalSeparator(), system[0].toLatin1());
    SetDecimalSeparator('x');
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    EXPECT_EQ(DecimalSeparator(), system[0].toLatin1());
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

}  // namespace
}  // namespace ostrane
