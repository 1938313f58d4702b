// The whole program under a few thousand random key presses, pastes and clicks on its controls.
// After every event the program must be alive, every failure must have reached the exception
// display with one of the program's messages, and the parameter set must keep its invariants.
// The sequence is seeded: a failure names the seed and the events that led to it.
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <iterator>
#include <random>
#include <string>

#include "settings/platform/exception_display.h"
#include "settings/settings.h"
#include "simulation/number_text.h"
#include "simulation/text_readers.h"
#include "tests/gui/program_fixture.h"

namespace ostrane {
namespace {

// What the readers make something of, and a little they do not.
constexpr char kTyped[] = "0123456789012345.-+eE$xAaFf ,";
// Texts at the edges of the ranges, too large for single or for the turns read-out, and read
// only in part.
const QStringList kEdgeTexts = {"9e99", "1e35", "9e37",  "3e38",     "1e8", "0.01",      "0.011",
                                "1",    "2",    "28800", "28801",    "359", "360",       "-90",
                                "100",  "101",  "-50",   "99999999", "$FF", "$7FFFFFFF", "0x1F",
                                "1,5",  "2.5x", " 2.5",  "-",        "$",   ""};

// Runs stay short: at most 3 trials of at most 5 x (144 + 168 + 192) legs each per run.
constexpr std::int32_t kMostTrials = 3;
constexpr std::int32_t kLeastTurnInt = 300;

class RandomInput : public ProgramTest {
protected:
    RandomInput() {
        entryBoxes_ = {Settings().SpeedEdit,     Settings().TurnIntEdit, Settings().CompassEdit,
                       Settings().TurnRangeEdit, Settings().SoakHrsEdit, Settings().NofTrialsEdit};
        readOnlyBoxes_ = {Settings().TTTmBox, Settings().NofTurnsBox, Settings().DMGbox,
                          Settings().SEBox};
        turnRangeText_ = Settings().TurnRangeEdit->text();
    }

    QChar AnyTyped() { return QChar(kTyped[Below(static_cast<int>(sizeof kTyped) - 1)]); }
    QString AnyText() {
        if (Below(5) < 2) {
            return Any(kEdgeTexts);
        }
        QString text;
        for (int n = Below(9); n > 0; --n) {
            text += AnyTyped();
        }
        return text;
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <typename Item>
    Item Any(const QList<Item>& items) {
        return items[Below(static_cast<int>(items.size()))];
    }

    // The run that the next event may start is kept short; the boxes show their fields.
    void KeepTheNextRunShort() {
        if (TextToInt(Settings().NofTrialsEdit->text().toStdString()) > kMostTrials) {
            Note("keep runs short: NofTrialsEdit 2");
            PasteInto(Settings().NofTrialsEdit, "2");
        }
        if (TextToInt(Settings().TurnIntEdit->text().toStdString()) < kLeastTurnInt) {
            Note("keep runs short: TurnIntEdit 1200");
            PasteInto(Settings().TurnIntEdit, "1200");
        }
    }

    // One random event, as the user could send it.
    void SendAnyEvent() {
        if (QApplication::activeWindow() != &Settings()) {
            // A run that shows the viewer again makes it the active window: the user comes back
            // to the settings window before typing into it.
            Note("activate Settingsform");
            Settings().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&Settings()));
            return;
        }
        const int kind = Below(100);
        if (kind < 55) {
            if (QApplication::focusWidget() == Settings().RunBtn) {
                KeepTheNextRunShort();
            }
            QWidget* focused = QApplication::focusWidget();
            SendAnyKey(focused != nullptr ? focused : &Settings());
        } else if (kind < 70) {
            QWidget* box = Any(entryBoxes_);
            const QString text = AnyText();
            Note("paste \"" + text + "\" over " + box->objectName());
            PasteInto(box, text);
        } else if (kind < 75) {
            const QString text = AnyText();
            Note("paste \"" + text + "\" at the cursor");
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        } else if (kind < 85) {
            QWidget* box = Below(4) == 0 ? Any(readOnlyBoxes_) : Any(entryBoxes_);
            Note("click " + box->objectName());
            Click(box);
        } else if (kind < 90) {
            QRadioButton* item = Any(Settings().Algo->Items());
            Note("click " + Name(item));
            Click(item);
        } else if (kind < 94) {
            Note("click DisplayOnBox");
            Click(Settings().DisplayOnBox);
        } else if (kind < 99) {
            KeepTheNextRunShort();
            Note("click RunBtn");
            Click(Settings().RunBtn);
            ranSinceTurnRangeChanged_ = true;
        } else {
            Note("close the viewer");
            Viewer().close();
        }
    }

    void SendAnyKey(QWidget* focused) {
        const QString to = Name(focused);
        const int kind = Below(100);
        if (kind < 60) {
            const QChar c = AnyTyped();
            Note(QString("key '") + c + "' to " + to);
            QTest::keyClick(focused, c.toLatin1());
            return;
        }
        struct Special {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Special kSpecials[] = {
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Delete, Qt::NoModifier, "Delete"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},
            {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},
            {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Home, Qt::NoModifier, "Home"},
            {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Space, Qt::NoModifier, "Space"},
            {Qt::Key_Return, Qt::NoModifier, "Return"},
            {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
            {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
        };
        const Special& special = kSpecials[Below(static_cast<int>(std::size(kSpecials)))];
        Note(QString(special.name) + " to " + to);
        if (focused == Settings().RunBtn &&
            (special.key == Qt::Key_Space || special.key == Qt::Key_Return)) {
            ranSinceTurnRangeChanged_ = true;
        }
        QTest::keyClick(focused, special.key, special.modifiers);
    }

    static QString Name(QWidget* control) {
        if (!control->objectName().isEmpty()) {
            return control->objectName();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            return button->text();
        }
        return control->metaObject()->className();
    }

    void Note(const QString& event) {
        history_.push_back(event.toStdString());
        if (history_.size() > 25) {
            history_.pop_front();
        }
    }

    std::string History() const {
        std::string text = "seed " + std::to_string(kSeed) + ", last events:";
        for (const std::string& event : history_) {
            text += "\n  " + event;
        }
        return text;
    }

    // Every invariant that holds between two events.
    testing::AssertionResult Holds() {
        if (Settingsform != &Settings() || !Settings().isVisible()) {
            return testing::AssertionFailure() << "the settings window is gone";
        }
        if (QApplication::activeModalWidget() != nullptr) {
            return testing::AssertionFailure() << "a modal window is open";
        }
        const QString title = ApplicationTitle(QCoreApplication::applicationFilePath());
        for (; shown_ < failures_.texts.size(); ++shown_) {
            const QString& text = failures_.texts[shown_];
            if (text != "Floating point overflow." && text != "Invalid floating point operation.") {
                return testing::AssertionFailure() << "shown: " << text.toStdString();
            }
            if (failures_.captions[shown_] != title) {
                return testing::AssertionFailure()
                       << "caption: " << failures_.captions[shown_].toStdString();
            }
        }
        const RunParameters& p = parameters_;
        if (!(std::isfinite(p.Speed) && p.Speed >= 0.01f) ||
            !(std::isfinite(p.SoakHrs) && p.SoakHrs > 0.01f) ||
            !(std::isfinite(p.TotalDist) && p.TotalDist > 0) || p.TurnInt < 2 ||
            p.TurnInt > 28800 || p.TurnRange > 100 || p.Compass > 359 || p.NofTrials < 2) {
            return testing::AssertionFailure()
                   << "out of range: Speed " << p.Speed << ", SoakHrs " << p.SoakHrs
                   << ", TotalDist " << p.TotalDist << ", TurnInt " << p.TurnInt << ", TurnRange "
                   << p.TurnRange << ", Compass " << p.Compass << ", NofTrials " << p.NofTrials;
        }
        const struct {
            EditBox* box;
            std::int32_t field;
        } integers[] = {{Settings().TurnIntEdit, p.TurnInt},
                        {Settings().CompassEdit, p.Compass},
                        {Settings().NofTrialsEdit, p.NofTrials}};
        for (const auto& [box, field] : integers) {
            if (box->text().toStdString() != IntToText(field)) {
                return testing::AssertionFailure() << box->objectName().toStdString() << " shows "
                                                   << box->text().toStdString() << " for " << field;
            }
        }
        // A run leaves its own TurnRange behind until the box changes again.
        if (Settings().TurnRangeEdit->text() != turnRangeText_) {
            turnRangeText_ = Settings().TurnRangeEdit->text();
            ranSinceTurnRangeChanged_ = false;
        }
        if (!ranSinceTurnRangeChanged_ && turnRangeText_.toStdString() != IntToText(p.TurnRange)) {
            return testing::AssertionFailure()
                   << "TurnRangeEdit shows " << turnRangeText_.toStdString() << " for "
                   << p.TurnRange;
        }
        return testing::AssertionSuccess();
    }

    static constexpr std::uint32_t kSeed = 20261211;
    std::mt19937 random_{kSeed};
    QList<QWidget*> entryBoxes_;
    QList<QWidget*> readOnlyBoxes_;
    std::deque<std::string> history_;
    qsizetype shown_ = 0;
    QString turnRangeText_;
    bool ranSinceTurnRangeChanged_ = false;
};

TEST_F(RandomInput, TheProgramSurvivesAndKeepsItsInvariants) {
    ASSERT_TRUE(Holds());
    for (int event = 0; event < 3000; ++event) {
        SendAnyEvent();
        ASSERT_FALSE(HasFatalFailure()) << History();
        ASSERT_TRUE(Holds()) << "after event " << event << "\n" << History();
    }
    // Whatever came before, a run with sound values still succeeds.
    PasteInto(Settings().SpeedEdit, "2.0");
    PasteInto(Settings().SoakHrsEdit, "24");
    PasteInto(Settings().TurnIntEdit, "1200");
    PasteInto(Settings().NofTrialsEdit, "2");
    const qsizetype failuresBefore = failures_.texts.size();
    Click(Settings().RunBtn);
    EXPECT_EQ(failures_.texts.size(), failuresBefore);
    EXPECT_EQ(Settings().RunLabel->text(), " FINISHED ");
    EXPECT_EQ(ResultLines().size(), 16);
}

}  // namespace
}  // namespace ostrane
