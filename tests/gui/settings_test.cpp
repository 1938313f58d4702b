// The settings window and the whole program, driven as the user drives them: real keys and clicks
// on the controls found by name, and what the windows then show.
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <set>
#include <typeinfo>
#include <utility>
#include <vector>

#include "displayf/displayf.h"
#include "settings/platform/edit_box.h"
#include "settings/platform/radio_group.h"
#include "tests/gui/program_fixture.h"

namespace ostrane {
namespace {

constexpr int kSizesToText = -1;

struct ControlRow {
    const char* name;
    const std::type_info& kind;
    int left;
    int top;
    int width;  // kSizesToText for the labels
    int height;
    const char* text;
    int maxLength;  // edit boxes only
    bool readOnly;
    bool tabStop;
};

// The layout in the order of creation, which is the order of painting.
const ControlRow kLayout[] = {
    {"b5", typeid(QFrame), 0, 400, 185, 65, "", 0, false, false},
    {"b1", typeid(QFrame), 0, 8, 185, 185, "", 0, false, false},
    {"l7", typeid(QLabel), 8, 212, kSizesToText, 0, "Soak hours", 0, false, false},
    {"l2", typeid(QLabel), 24, 18, kSizesToText, 0, "Speed m/sec", 0, false, false},
    {"l3", typeid(QLabel), 24, 36, kSizesToText, 0, "Turn interval s", 0, false, false},
    {"BiasLbl", typeid(QLabel), 24, 54, kSizesToText, 0, "Bias direction", 0, false, false},
    {"l1", typeid(QLabel), 8, 0, kSizesToText, 0, " Animal characteristics ", 0, false, false},
    {"l10", typeid(QLabel), 8, 232, kSizesToText, 0, "Km travelled", 0, false, false},
    {"l12", typeid(QLabel), 32, 320, kSizesToText, 0, "N of trials ", 0, false, false},
    {"RunLabel", typeid(QLabel), 8, 392, kSizesToText, 0, " RESULTS  ", 0, false, false},
    {"SE", typeid(QLabel), 32, 440, kSizesToText, 0, "SE", 0, false, false},
    {"l16", typeid(QLabel), 32, 416, kSizesToText, 0, "DD%", 0, false, false},
    {"Label1", typeid(QLabel), 24, 74, kSizesToText, 0, "Turn %", 0, false, false},
    {"Bevel1", typeid(QFrame), 0, 296, 185, 73, "", 0, false, false},
    {"Label3", typeid(QLabel), 8, 288, kSizesToText, 0, " Run settings ", 0, false, false},
    {"Label2", typeid(QLabel), 8, 252, kSizesToText, 0, "N of Turns", 0, false, false},
    {"Algo", typeid(RadioGroup), 8, 104, 169, 81, " Turn algorithm ", 0, false, true},
    {"SpeedEdit", typeid(EditBox), 112, 14, 41, 21, "2.0", 4, false, true},
    {"TurnIntEdit", typeid(EditBox), 112, 33, 41, 21, "120", 5, false, true},
    {"DMGbox", typeid(EditBox), 112, 412, 41, 21, "to file", 5, true, false},
    {"TTTmBox", typeid(EditBox), 112, 228, 41, 21, "172.8", 5, true, false},
    {"NofTrialsEdit", typeid(EditBox), 112, 317, 65, 21, "100", 8, false, true},
    {"CompassEdit", typeid(EditBox), 112, 52, 41, 21, "45", 3, false, true},
    {"SEBox", typeid(EditBox), 112, 436, 41, 21, "to file", 5, true, false},
    {"DisplayOnBox", typeid(QCheckBox), 32, 344, 85, 17, "Display Tracks", 0, false, true},
    {"TurnRangeEdit", typeid(EditBox), 112, 72, 41, 21, "25", 3, false, true},
    {"RunBtn", typeid(QPushButton), 8, 472, 57, 33, "Run", 0, false, true},
    {"SoakHrsEdit", typeid(EditBox), 112, 208, 41, 21, "24", 4, false, true},
    {"CloseBtn", typeid(QPushButton), 128, 472, 57, 33, "Exit", 0, false, true},
    {"NofTurnsBox", typeid(EditBox), 112, 248, 41, 21, "720", 5, true, false},
};

QString TextOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        return group->title();
    }
    return "";
}

// The status texts in the order in which RunLabel was painted with them.
class StatusRecorder final : public QObject {
public:
    explicit StatusRecorder(QLabel& label) : label_(label) { label.installEventFilter(this); }
    QStringList painted;
    std::function<void(const QString&)> onPaint;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint &&
            (painted.isEmpty() || painted.back() != label_.text())) {
            painted.append(label_.text());
            if (onPaint) {
                onPaint(label_.text());
            }
        }
        return false;
    }

private:
    QLabel& label_;
};

using Layout = ProgramTest;

TEST_F(Layout, EveryControlHasItsNameKindPlaceSizeTextAndSettings) {
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        auto* control = Find<QWidget>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(typeid(*control), row.kind);
        EXPECT_EQ(control->pos(), QPoint(row.left, row.top));
        if (row.width == kSizesToText) {
            EXPECT_EQ(control->size(), control->sizeHint());
            EXPECT_TRUE(control->autoFillBackground()) << "labels are opaque";
        } else {
            EXPECT_EQ(control->size(), QSize(row.width, row.height));
        }
        EXPECT_EQ(TextOf(control), row.text);
        if (auto* edit = dynamic_cast<EditBox*>(control)) {
            EXPECT_EQ(edit->MaxLength(), row.maxLength);
            EXPECT_EQ(edit->isReadOnly(), row.readOnly);
        }
        if (row.kind != typeid(RadioGroup)) {
            EXPECT_EQ((control->focusPolicy() & Qt::TabFocus) != 0, row.tabStop);
        }
    }
}

TEST_F(Layout, TheControlsAreCreatedAndSoPaintedInTheOrderOfTheLayout) {
    QStringList created;
    for (QObject* child : Settings().children()) {
        if (child->isWidgetType()) {
            created.append(child->objectName());
        }
    }
    QStringList expected;
    for (const ControlRow& row : kLayout) {
        expected.append(row.name);
    }
    EXPECT_EQ(created, expected);
}

TEST_F(Layout, EachGroupCaptionHidesThePartOfItsFramesTopEdgeBehindIt) {
    const QImage shown = Settings().grab().toImage();
    const QRgb background = Settings().palette().color(QPalette::Window).rgb();
    const struct {
        const char* caption;
        int frameTop;
    } groups[] = {{"l1", 8}, {"Label3", 296}, {"RunLabel", 400}};
    for (const auto& group : groups) {
        SCOPED_TRACE(group.caption);
        const QLabel* caption = Find<QLabel>(group.caption);
        // The caption's leading blank, where its frame's edge would be.
        EXPECT_EQ(shown.pixel(caption->x() + 1, group.frameTop), background);
        EXPECT_NE(shown.pixel(caption->x() - 4, group.frameTop), background) << "no edge there";
    }
}

TEST_F(Layout, TheAlgorithmGroupHasItsThreeItemsInOneColumnWithTheAheadBiasSelected) {
    const QList<QRadioButton*>& items = Settings().Algo->Items();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Random");
    EXPECT_EQ(items[1]->text(), "Random with ahead bias");
    EXPECT_EQ(items[2]->text(), "Random with directional bias");
    EXPECT_EQ(items[0]->x(), items[2]->x());
    EXPECT_LT(items[0]->y(), items[1]->y());
    EXPECT_LT(items[1]->y(), items[2]->y());
    EXPECT_EQ(Settings().Algo->ItemIndex(), 1);
    EXPECT_TRUE(Settings().DisplayOnBox->isChecked());
}

TEST_F(Layout, TheWindowsHaveTheirCaptionsOuterSizesFontsAndButtonFaceBackgrounds) {
    EXPECT_EQ(Settings().windowTitle(), "Settings");
    EXPECT_EQ(Settings().objectName(), "Settingsform");
    EXPECT_EQ(Settingsform, &Settings());
    EXPECT_EQ(Settings().frameGeometry(), QRect(606, 1, 195, 571));
    EXPECT_EQ(Viewer().windowTitle(), "Ostrane Viewer");
    EXPECT_EQ(Viewer().frameGeometry().size(), QSize(609, 571));
    EXPECT_EQ(Settings().font().pixelSize(), 11);
    EXPECT_EQ(Settings().SpeedEdit->font().pixelSize(), 11);
    EXPECT_EQ(Settings().RunBtn->font().pixelSize(), 13);
    for (QWidget* window : {static_cast<QWidget*>(&Settings()), static_cast<QWidget*>(&Viewer())}) {
        EXPECT_EQ(window->palette().color(QPalette::Window),
                  window->palette().color(QPalette::Button));
    }
}

using StartUp = ProgramTest;

TEST_F(StartUp, BothWindowsAreShownWithTheFocusInSpeedEditAndItsTextSelected) {
    EXPECT_TRUE(Viewer().isVisible());
    EXPECT_TRUE(Settings().isActiveWindow());
    EXPECT_EQ(QApplication::focusWidget(), Settings().SpeedEdit);
    EXPECT_EQ(Settings().SpeedEdit->selectedText(), "2.0");
    QTest::keyClicks(QApplication::focusWidget(), "3");
    EXPECT_EQ(Settings().SpeedEdit->text(), "3");
    EXPECT_EQ(Settings().TTTmBox->text(), "259.2");
    EXPECT_EQ(parameters_.Speed, 3.0f);
    EXPECT_TRUE(failures_.texts.isEmpty());
}

struct Entry {
    const char* box;
    bool paste;  // the whole text at once; otherwise key by key
    const char* keys;
    const char* boxShows;
    const char* kmShows;
    const char* turnsShow;
    const char* failure;  // "" when none
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << e.box << (e.paste ? " pasted " : " typed ") << '"' << e.keys << '"';
}

class Entries : public ProgramTest, public testing::WithParamInterface<Entry> {};

TEST_P(Entries, GiveTheReadOutsAndWriteBacksAsTheUserTypes) {
    const Entry& e = GetParam();
    auto* box = Find<EditBox>(e.box);
    ASSERT_NE(box, nullptr);
    if (e.paste) {
        PasteInto(box, e.keys);
    } else {
        TypeInto(box, e.keys);
    }
    EXPECT_EQ(box->text(), e.boxShows);
    EXPECT_EQ(Settings().TTTmBox->text(), e.kmShows);
    EXPECT_EQ(Settings().NofTurnsBox->text(), e.turnsShow);
    EXPECT_EQ(failures_.texts, *e.failure ? QStringList{e.failure} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Entries,
    testing::Values(
        // A read-out longer than its box's MaxLength is shown whole.
        Entry{"SpeedEdit", false, "0.3", "0.3", "25.920001953125", "720", ""},
        Entry{"SpeedEdit", false, "12345", "1234", "106617.6", "720", ""},
        Entry{"SpeedEdit", false, "2.5x", "2.5x", "2160", "720", ""},
        Entry{"SpeedEdit", true, "9e99", "9e99", "172.8", "720", "Floating point overflow."},
        Entry{"SpeedEdit", true, "", "", "0.864", "720", ""},
        Entry{"TurnIntEdit", false, "7", "7", "172.8", "12342", ""},
        Entry{"TurnIntEdit", false, "1", "2", "172.8", "43200", ""},
        Entry{"TurnIntEdit", true, "99999", "28800", "172.8", "3", ""},
        Entry{"CompassEdit", false, "999", "0", "172.8", "720", ""},
        Entry{"CompassEdit", true, "-90", "-90", "172.8", "720", ""},
        // Each keystroke is normalised: "-" alone becomes "0" before the digits follow.
        Entry{"CompassEdit", false, "-90", "90", "172.8", "720", ""},
        Entry{"TurnRangeEdit", false, "150", "100", "172.8", "720", ""},
        Entry{"NofTrialsEdit", false, "1", "2", "172.8", "720", ""},
        Entry{"NofTrialsEdit", true, "$FF", "255", "172.8", "720", ""},
        Entry{"SoakHrsEdit", false, "0.01", "0.01", "7.2", "30", ""},
        Entry{"SoakHrsEdit", true, "1e8", "1e8", "719999991.808", "720",
              "Invalid floating point operation."},
        Entry{"TTTmBox", false, "9", "172.8", "172.8", "720", ""}));

TEST_F(ProgramTest, TabVisitsTheStopsInOrderPassingOverTheReadOnlyBoxesAndWraps) {
    const QStringList order = {"TurnIntEdit",  "Algo",          "CompassEdit", "NofTrialsEdit",
                               "DisplayOnBox", "TurnRangeEdit", "RunBtn",      "SoakHrsEdit",
                               "CloseBtn",     "SpeedEdit"};
    const auto focusedName = [] {
        QWidget* focused = QApplication::focusWidget();
        return qobject_cast<QRadioButton*>(focused) ? focused->parentWidget()->objectName()
                                                    : focused->objectName();
    };
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focusedName());
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            EXPECT_EQ(edit->selectedText(), edit->text()) << "entered by Tab";
        }
    }
    EXPECT_EQ(visited, order);

    QStringList back;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        back.append(focusedName());
    }
    QStringList reversed(order.rbegin() + 1, order.rend());
    reversed.append("SpeedEdit");
    EXPECT_EQ(back, reversed);
}

TEST_F(ProgramTest, TabEntersTheAlgorithmGroupOnItsSelectedItem) {
    Click(Settings().Algo->Items()[2]);
    Settings().TurnIntEdit->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Settings().Algo->Items()[2]);
}

using Running = ProgramTest;

TEST_F(Running, TheStatusCountsDownAndFinishedStaysAfterTheRun) {
    UseTrials("2");
    StatusRecorder status(*Settings().RunLabel);
    Click(Settings().RunBtn);
    EXPECT_EQ(status.painted,
              (QStringList{"* Running * 6", "* Running * 5", "* Running * 4", " FINISHED "}));
    QTest::qWait(1);
    EXPECT_EQ(Settings().RunLabel->text(), " FINISHED ");
    EXPECT_EQ(Settings().RunLabel->pos(), QPoint(8, 392));
    EXPECT_EQ(Settings().RunLabel->size(), Settings().RunLabel->sizeHint());
    EXPECT_EQ(ResultLines().size(), 16);
    EXPECT_TRUE(failures_.texts.isEmpty());
}

TEST_F(Running, ARunTakesTheSelectedAlgorithmAndDrawsEachTrialInItsColour) {
    UseTrials("2");
    Click(Settings().Algo->Items()[2]);
    Click(Settings().RunBtn);
    EXPECT_EQ(parameters_.Algo, TurnAlgorithm::DirectionalBias);
    ASSERT_EQ(ResultLines().size(), 16);
    EXPECT_TRUE(ResultLines()[1].startsWith("2,360,12,0,"));
    const QImage shown = Viewer().grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            colours.insert(shown.pixel(x, y));
        }
    }
    EXPECT_EQ(colours, (std::set<QRgb>{Viewer().palette().color(QPalette::Button).rgb(),
                                       qRgb(128, 0, 0), qRgb(0, 128, 0)}));
}

// The pixels that a run has drawn on the viewer.
std::set<std::pair<int, int>> Drawn(TSeeForm& viewer) {
    const QImage shown = viewer.grab().toImage();
    const QRgb background = viewer.palette().color(QPalette::Button).rgb();
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != background) {
                drawn.emplace(x, y);
            }
        }
    }
    return drawn;
}

TEST_F(Running, ASecondRunDrawsOverTheFirstAndAClosedViewerComesBackEmpty) {
    UseTrials("2");
    Click(Settings().RunBtn);
    const auto first = Drawn(Viewer());
    ASSERT_FALSE(first.empty());
    Click(Settings().RunBtn);
    const auto both = Drawn(Viewer());
    EXPECT_TRUE(std::includes(both.begin(), both.end(), first.begin(), first.end()));
    EXPECT_GT(both.size(), first.size());

    Viewer().close();
    EXPECT_FALSE(Viewer().isVisible());
    Click(Settings().DisplayOnBox);
    Click(Settings().RunBtn);
    EXPECT_TRUE(Viewer().isVisible());
    EXPECT_TRUE(Drawn(Viewer()).empty());
    EXPECT_FALSE(parameters_.DisplayTracks);
    EXPECT_EQ(ResultLines().size(), 16);
}

// After a run SoakHrs is the sweep's 16 until SetVariables reads the box's 24 again.
class SetVariablesOnPress : public ProgramTest,
                            public testing::WithParamInterface<std::pair<const char*, float>> {};

TEST_P(SetVariablesOnPress, OfRunRunsFirstWhenTheFocusLeavesSpeedEditOrSoakHrsEdit) {
    UseTrials("2");
    Click(Settings().RunBtn);
    ASSERT_EQ(parameters_.SoakHrs, 16.0f);
    Click(Find<QWidget>(GetParam().first));
    ASSERT_EQ(parameters_.SoakHrs, 16.0f);
    QTest::mousePress(Settings().RunBtn, Qt::LeftButton);
    EXPECT_EQ(parameters_.SoakHrs, GetParam().second);
    QTest::mouseRelease(Settings().RunBtn, Qt::LeftButton);
    EXPECT_EQ(Settings().RunLabel->text(), " FINISHED ");
    EXPECT_EQ(parameters_.SoakHrs, 16.0f);
}

INSTANTIATE_TEST_SUITE_P(Boxes, SetVariablesOnPress,
                         testing::Values(std::pair{"SpeedEdit", 24.0f},
                                         std::pair{"SoakHrsEdit", 24.0f},
                                         std::pair{"CompassEdit", 16.0f}));

TEST_F(Running, ComingBackFromTheViewerReadsTheBoxesAgainButComingBackFromElsewhereDoesNot) {
    UseTrials("2");
    Click(Settings().RunBtn);
    QWindow elsewhere;
    elsewhere.show();
    elsewhere.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    Settings().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Settings()));
    EXPECT_EQ(parameters_.SoakHrs, 16.0f) << "back from another program";

    Viewer().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Viewer()));
    Settings().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Settings()));
    EXPECT_EQ(parameters_.SoakHrs, 24.0f) << "back from the viewer";
}

using Failures = ProgramTest;

TEST_F(Failures, AnUnwritableResultsFileIsShownAndTheNextRunWorksOnceItIsFixed) {
    UseTrials("2");
    // A directory where the file should be: refused for every user, root included.
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(ResultsPath())));
    Click(Settings().RunBtn);
    EXPECT_EQ(failures_.texts, QStringList{"File access denied."});
    EXPECT_EQ(Settings().RunLabel->text(), " RESULTS  ");
    EXPECT_TRUE(Drawn(Viewer()).empty());

    ASSERT_TRUE(QDir().rmdir(QString::fromStdString(ResultsPath())));
    Click(Settings().RunBtn);
    EXPECT_EQ(failures_.texts.size(), 1);
    EXPECT_EQ(Settings().RunLabel->text(), " FINISHED ");
    EXPECT_EQ(ResultLines().size(), 16);
}

TEST_F(Failures, AFailingSetVariablesStartsNoRunAndLeavesTheViewerAsItWas) {
    PasteInto(Settings().SoakHrsEdit, "1e8");
    Viewer().close();
    Click(Settings().RunBtn);
    // The entry, then SetVariables as the focus leaves SoakHrsEdit for Run, then Run's own.
    EXPECT_EQ(failures_.texts, QStringList(3, "Invalid floating point operation."));
    EXPECT_FALSE(Viewer().isVisible());
    EXPECT_EQ(Settings().RunLabel->text(), " RESULTS  ");
    EXPECT_TRUE(ResultLines().isEmpty());

    PasteInto(Settings().SoakHrsEdit, "24");
    UseTrials("2");
    Click(Settings().RunBtn);
    EXPECT_TRUE(Viewer().isVisible());
    EXPECT_EQ(Settings().RunLabel->text(), " FINISHED ");
}

using Ending = ProgramTest;

TEST_F(Ending, ExitEndsTheMessageLoopWithoutAQuestion) {
    QTimer::singleShot(0, [this] { Click(Settings().CloseBtn); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Ending, ClosingTheSettingsWindowEndsTheMessageLoop) {
    QTimer::singleShot(0, [this] { Settings().close(); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(Ending, ClosingTheViewerOnlyHidesItAndTheNextRunShowsItAgain) {
    bool hidden = false;
    QTimer::singleShot(0, [this] { Viewer().close(); });
    QTimer::singleShot(0, [&] {
        hidden = !Viewer().isVisible() && Settings().isVisible();
        QCoreApplication::exit(7);
    });
    EXPECT_EQ(QApplication::exec(), 7) << "the loop went on";
    EXPECT_TRUE(hidden);
    UseTrials("2");
    Click(Settings().RunBtn);
    EXPECT_TRUE(Viewer().isVisible());
}

TEST_F(Ending, AnExitClickedDuringARunIsHandledWhenTheRunHasEnded) {
    UseTrials("2");
    StatusRecorder status(*Settings().RunLabel);
    QPushButton* exit = Settings().CloseBtn;
    status.onPaint = [exit](const QString& text) {
        if (text == "* Running * 6") {
            const QPointF centre = QRectF(exit->rect()).center();
            const QPointF global = exit->mapToGlobal(centre);
            QCoreApplication::postEvent(
                exit, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                                      Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(
                exit, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                      Qt::NoButton, Qt::NoModifier));
        }
    };
    QString statusAtExit;
    QObject::connect(exit, &QPushButton::clicked,
                     [&] { statusAtExit = Settings().RunLabel->text(); });
    QTimer::singleShot(0, [this] { Click(Settings().RunBtn); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(statusAtExit, " FINISHED ");
    EXPECT_EQ(ResultLines().size(), 16);
}

}  // namespace
}  // namespace ostrane
