// The viewer as the user sees it: what its paint shows, pixel by pixel, and when it repaints.
#include "displayf/displayf.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPalette>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <vector>

namespace ostrane {
namespace {

using std::chrono::milliseconds;

// Records the areas of the paints that reach the viewer.
class PaintRecorder final : public QObject {
public:
    explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
    std::vector<QRect> paints;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            paints.push_back(static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }
};

class ViewerTest : public testing::Test {
protected:
    ViewerTest() { EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer_)); }

    QImage Shown() { return viewer_.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb Background() const { return viewer_.palette().color(QPalette::Button).rgb(); }
    // The drawn pixels of the surface, background removed.
    std::vector<QPoint> DrawnPixels() {
        const QImage shown = Shown();
        std::vector<QPoint> drawn;
        for (int y = 0; y < std::min(shown.height(), TSeeForm::kSurfaceSize); ++y) {
            for (int x = 0; x < std::min(shown.width(), TSeeForm::kSurfaceSize); ++x) {
                if (shown.pixel(x, y) != Background()) {
                    drawn.emplace_back(x, y);
                }
            }
        }
        return drawn;
    }
    void HideAndShow() {
        viewer_.hide();
        viewer_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer_));
    }

    std::chrono::steady_clock::time_point now_{};
    TSeeForm viewer_{[this] { return now_; }};
};

TEST_F(ViewerTest, IsCaptionedAndShownAtTheEndOfItsCreation) {
    EXPECT_EQ(viewer_.windowTitle(), "Ostrane Viewer");
    EXPECT_EQ(viewer_.objectName(), "SeeForm");
    EXPECT_EQ(SeeForm, &viewer_);
    EXPECT_TRUE(viewer_.isVisible());
    // The outer size and top; the offscreen platform keeps a frame from leaving the screen at
    // the left, so the left edge of -1 is left to a real window system.
    EXPECT_EQ(viewer_.frameGeometry().size(), QSize(609, 571));
    EXPECT_EQ(viewer_.frameGeometry().top(), 1);
}

TEST_F(ViewerTest, EachTrialDrawsInTheColourOfItsNumberModTen) {
    const struct {
        int trial;
        QRgb colour;
    } cases[] = {
        {1, qRgb(128, 0, 0)},      {2, qRgb(0, 128, 0)},   {3, qRgb(0, 0, 128)},
        {4, qRgb(0, 128, 128)},    {5, qRgb(128, 0, 128)}, {6, qRgb(0, 0, 255)},
        {7, qRgb(0, 255, 255)},    {8, qRgb(128, 128, 0)}, {9, qRgb(255, 0, 0)},
        {10, qRgb(255, 255, 255)}, {11, qRgb(128, 0, 0)},  {20, qRgb(255, 255, 255)},
        {125, qRgb(128, 0, 128)},
    };
    int row = 0;
    for (const auto& c : cases) {
        viewer_.StartTrack(0, row);
        viewer_.DrawLeg(5, row, c.trial);
        row += 2;
    }
    const QImage shown = Shown();
    row = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(shown.pixel(0, row), c.colour) << "trial " << c.trial;
        row += 2;
    }
}

TEST_F(ViewerTest, ALegLeavesOutItsEndPointWhereTheNextLegStarts) {
    viewer_.StartTrack(10, 10);
    viewer_.DrawLeg(20, 10, 1);
    viewer_.DrawLeg(20, 20, 9);
    const QImage shown = Shown();
    for (int x = 10; x < 20; ++x) {
        EXPECT_EQ(shown.pixel(x, 10), qRgb(128, 0, 0)) << x;
    }
    for (int y = 10; y < 20; ++y) {
        EXPECT_EQ(shown.pixel(20, y), qRgb(255, 0, 0)) << y;
    }
    EXPECT_EQ(shown.pixel(20, 20), Background());
    EXPECT_EQ(shown.pixel(9, 10), Background());
    EXPECT_EQ(shown.pixel(21, 10), Background());
    EXPECT_EQ(DrawnPixels().size(), 20u);
}

TEST_F(ViewerTest, ALegWithinOnePixelColoursOnlyItsStartAndOneThatStaysColoursNothing) {
    viewer_.StartTrack(5, 5);
    viewer_.DrawLeg(5, 5, 1);
    EXPECT_TRUE(DrawnPixels().empty());
    viewer_.DrawLeg(6, 4, 1);
    EXPECT_EQ(DrawnPixels(), std::vector<QPoint>{QPoint(5, 5)});
    viewer_.StartTrack(100, 100);
    EXPECT_EQ(DrawnPixels(), std::vector<QPoint>{QPoint(5, 5)});
}

// A line cut off at the edges shows exactly the pixels of the same line drawn from the pixel where
// it enters the surface: clipping changes where the line is walked, never which pixels it has.
TEST_F(ViewerTest, ClippingKeepsThePixelsOfTheWholeLine) {
    const struct {
        QPoint from;
        QPoint onSurface;  // where the line enters the surface, on the ideal line
        QPoint to;
    } cases[] = {
        {{-300, -100}, {0, 0}, {300, 100}},
        {{900, 50}, {600, 150}, {0, 350}},
        {{10, -1500}, {60, 0}, {110, 1500}},
        {{INT_MIN, 300}, {0, 300}, {300, 300}},
        {{-2000000000, -2000000000}, {0, 0}, {100, 100}},
        {{300, 300}, {300, 300}, {INT_MAX, INT_MAX}},
        {{40, 700}, {40, 600}, {40, 0}},
    };
    for (const auto& c : cases) {
        viewer_.StartTrack(c.from.x(), c.from.y());
        viewer_.DrawLeg(c.to.x(), c.to.y(), 1);
        const std::vector<QPoint> clipped = DrawnPixels();
        HideAndShow();
        viewer_.StartTrack(c.onSurface.x(), c.onSurface.y());
        viewer_.DrawLeg(c.to.x(), c.to.y(), 1);
        EXPECT_EQ(clipped, DrawnPixels()) << c.from.x() << "," << c.from.y();
        EXPECT_FALSE(clipped.empty());
        HideAndShow();
    }
}

TEST_F(ViewerTest, ALineWhollyOffTheSurfaceDrawsNothing) {
    viewer_.StartTrack(-10, -10);
    viewer_.DrawLeg(-10, 700, 1);
    viewer_.DrawLeg(700, 700, 1);
    viewer_.DrawLeg(INT_MAX, INT_MIN, 1);
    EXPECT_TRUE(DrawnPixels().empty());
}

TEST_F(ViewerTest, TracksSurviveRepaintsAndAreClearedWhenTheViewerIsHiddenAndShownAgain) {
    viewer_.StartTrack(0, 0);
    viewer_.DrawLeg(50, 50, 3);
    const std::vector<QPoint> drawn = DrawnPixels();
    ASSERT_EQ(drawn.size(), 50u);
    viewer_.repaint();
    viewer_.update();
    QTest::qWait(1);
    EXPECT_EQ(DrawnPixels(), drawn);
    HideAndShow();
    EXPECT_TRUE(DrawnPixels().empty());
}

TEST_F(ViewerTest, RowsBelowTheVisibleClientAreaAreKeptForALargerWindow) {
    viewer_.StartTrack(0, 590);
    viewer_.DrawLeg(10, 590, 2);
    ASSERT_LT(viewer_.height(), 590);
    viewer_.resize(700, 700);
    EXPECT_EQ(Shown().pixel(0, 590), qRgb(0, 128, 0));
}

// Legs that go back and forth between two pixels, each colouring one of them.
void DrawLegs(TSeeForm& viewer, int count) {
    for (int i = 0; i < count; ++i) {
        viewer.DrawLeg(10 + (i + 1) % 2, 20, 1);
    }
}

TEST_F(ViewerTest, ARunRepaintsWhatChangedAtMostEvery16MsAndWhenItEnds) {
    PaintRecorder recorder(viewer_);
    viewer_.StartTrack(10, 20);
    DrawLegs(viewer_, 10 * TSeeForm::kBatchSize);
    EXPECT_TRUE(recorder.paints.empty()) << "repainted before 16 ms had passed";

    now_ += milliseconds(16);
    DrawLegs(viewer_, TSeeForm::kBatchSize);
    EXPECT_EQ(recorder.paints, std::vector<QRect>{QRect(10, 20, 2, 1)});

    now_ += milliseconds(15);
    DrawLegs(viewer_, TSeeForm::kBatchSize);
    EXPECT_EQ(recorder.paints.size(), 1u);

    viewer_.StartTrack(100, 200);
    viewer_.DrawLeg(103, 202, 1);
    viewer_.ShowDrawn();
    ASSERT_EQ(recorder.paints.size(), 2u);
    EXPECT_EQ(recorder.paints[1], QRect(10, 20, 93, 182));

    viewer_.ShowDrawn();
    EXPECT_EQ(recorder.paints.size(), 2u) << "repainted with nothing new";
}

TEST_F(ViewerTest, MakeVisibleShowsAHiddenViewerAndLeavesAVisibleOneAsItIs) {
    viewer_.hide();
    viewer_.MakeVisible();
    EXPECT_TRUE(viewer_.isVisible());
    // Exposed before any event loop runs again, so a run draws on it live.
    EXPECT_TRUE(viewer_.windowHandle()->isExposed());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer_));

    viewer_.showMinimized();
    viewer_.MakeVisible();
    EXPECT_TRUE(viewer_.isMinimized());
}

}  // namespace
}  // namespace ostrane
