#include "displayf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHideEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "settings/platform/window_events.h"

namespace ostrane {

TSeeForm* SeeForm = nullptr;

namespace {

// Indexed by the trial number mod 10.
constexpr std::array<QRgb, 10> kTrackColours = {
    qRgb(255, 255, 255),  // white
    qRgb(128, 0, 0),      // maroon
    qRgb(0, 128, 0),      // green
    qRgb(0, 0, 128),      // navy
    qRgb(0, 128, 128),    // teal
    qRgb(128, 0, 128),    // purple
    qRgb(0, 0, 255),      // blue
    qRgb(0, 255, 255),    // aqua
    qRgb(128, 128, 0),    // olive
    qRgb(255, 0, 0),      // red
};

const QRect kOuterGeometry(-1, 1, 609, 571);

// Visits the pixels on a surface of extentA x extentB of the line from (a0, b0) towards (a1, b1)
// along its major axis a, the end point left out. Pixel k (0 <= k < |a1 - a0|) lies at
// a0 + k * sign along a and at the nearest pixel to the ideal line along b, halves towards the
// start: b0 + floor((2 k |b1 - b0| + |a1 - a0| - 1) / (2 |a1 - a0|)) * sign. Only the part whose
// major coordinate is on the surface is walked, so far-off end points cost nothing extra.
template <typename Plot>
void TraceLine(std::int64_t a0, std::int64_t b0, std::int64_t a1, std::int64_t b1,
               std::int64_t extentA, std::int64_t extentB, Plot plot) {
    const std::int64_t da = std::abs(a1 - a0);
    const std::int64_t db = std::abs(b1 - b0);
    const std::int64_t stepA = a1 >= a0 ? 1 : -1;
    const std::int64_t stepB = b1 >= b0 ? 1 : -1;
    std::int64_t first = stepA > 0 ? -a0 : a0 - (extentA - 1);
    std::int64_t last = stepA > 0 ? extentA - 1 - a0 : a0;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, da - 1);
    if (first > last) {
        return;
    }
    const std::int64_t twoDa = 2 * da;
    const std::int64_t twoDb = 2 * db;
    std::int64_t quotient = 0;
    std::int64_t remainder = da - 1;
    if (first > 0) {
        // 2 k |db| reaches 2^65 for end points at the ends of the 32-bit range.
        const __int128 numerator = static_cast<__int128>(first) * twoDb + da - 1;
        quotient = static_cast<std::int64_t>(numerator / twoDa);
        remainder = static_cast<std::int64_t>(numerator % twoDa);
    }
    std::int64_t a = a0 + first * stepA;
    std::int64_t b = b0 + quotient * stepB;
    for (std::int64_t k = first; k <= last; ++k) {
        if (b >= 0 && b < extentB) {
            plot(static_cast<int>(a), static_cast<int>(b));
        }
        a += stepA;
        remainder += twoDb;
        if (remainder >= twoDa) {
            remainder -= twoDa;
            b += stepB;
        }
    }
}

}  // namespace

TSeeForm::TSeeForm(Clock clock)
    : clock_(std::move(clock)), pixels_(kSparePixel + 1), lastShown_(clock_()) {
    SeeForm = this;
    setObjectName("SeeForm");
    setWindowTitle("Ostrane Viewer");
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    background_ = buttonFace.color(QPalette::Button).rgb();
    Clear();
    SetOuterGeometry(*this, kOuterGeometry);
    show();
}

TSeeForm::~TSeeForm() {
    if (SeeForm == this) {
        SeeForm = nullptr;
    }
}

void TSeeForm::StartTrack(std::int32_t px, std::int32_t py) {
    Queue(px, py, kPenUp);
}

void TSeeForm::DrawLeg(std::int32_t px, std::int32_t py, std::int32_t trial) {
    Queue(px, py, trial);
}

void TSeeForm::Queue(std::int32_t x, std::int32_t y, std::int32_t trial) {
    queued_[static_cast<std::size_t>(queuedCount_)] = {x, y, trial};
    if (++queuedCount_ == kBatchSize) {
        DrawQueued();
        if (clock_() - lastShown_ >= kRepaintInterval) {
            ShowDrawn();
        }
    }
}

void TSeeForm::DrawQueued() {
    for (int i = 0; i < queuedCount_; ++i) {
        const Move& move = queued_[static_cast<std::size_t>(i)];
        if (move.trial != kPenUp) {
            DrawLine(move.x, move.y, kTrackColours[static_cast<std::size_t>(move.trial % 10)]);
        }
        penX_ = move.x;
        penY_ = move.y;
    }
    queuedCount_ = 0;
}

void TSeeForm::DrawLine(std::int32_t toX, std::int32_t toY, QRgb colour) {
    const std::int64_t dx = std::int64_t{toX} - penX_;
    const std::int64_t dy = std::int64_t{toY} - penY_;
    // Nearly every leg is shorter than two pixels and colours its start pixel alone, or nothing
    // when it ends where it starts; which of the two is random, so it is chosen without a branch.
    if (static_cast<std::uint64_t>(dx + 1) <= 2 && static_cast<std::uint64_t>(dy + 1) <= 2) {
        if (static_cast<std::uint32_t>(penX_) < kSurfaceSize &&
            static_cast<std::uint32_t>(penY_) < kSurfaceSize) {
            const std::size_t start =
                static_cast<std::size_t>(penY_) * kSurfaceSize + static_cast<std::size_t>(penX_);
            // All ones when the leg moves; a mask, since the compiler turns a ?: into a branch. A
            // leg that does not move colours the spare pixel.
            const std::size_t moves = 0 - static_cast<std::size_t>((dx | dy) != 0);
            pixels_[(start & moves) | (kSparePixel & ~moves)] = colour;
            dirtyLeft_ = std::min(dirtyLeft_, penX_);
            dirtyRight_ = std::max(dirtyRight_, penX_);
            dirtyTop_ = std::min(dirtyTop_, penY_);
            dirtyBottom_ = std::max(dirtyBottom_, penY_);
        }
        return;
    }
    DrawLongLine(toX, toY, colour);
}

void TSeeForm::DrawLongLine(std::int32_t toX, std::int32_t toY, QRgb colour) {
    const auto plot = [this, colour](int x, int y) { Plot(x, y, colour); };
    if (std::abs(std::int64_t{toX} - penX_) >= std::abs(std::int64_t{toY} - penY_)) {
        TraceLine(penX_, penY_, toX, toY, kSurfaceSize, kSurfaceSize, plot);
    } else {
        TraceLine(penY_, penX_, toY, toX, kSurfaceSize, kSurfaceSize,
                  [&plot](int y, int x) { plot(x, y); });
    }
}

void TSeeForm::Plot(int x, int y, QRgb colour) {
    pixels_[static_cast<std::size_t>(y) * kSurfaceSize + static_cast<std::size_t>(x)] = colour;
    dirtyLeft_ = std::min(dirtyLeft_, x);
    dirtyRight_ = std::max(dirtyRight_, x);
    dirtyTop_ = std::min(dirtyTop_, y);
    dirtyBottom_ = std::max(dirtyBottom_, y);
}

void TSeeForm::ShowDrawn() {
    DrawQueued();
    if (dirtyLeft_ <= dirtyRight_) {
        const QRect changed(QPoint(dirtyLeft_, dirtyTop_), QPoint(dirtyRight_, dirtyBottom_));
        dirtyLeft_ = dirtyTop_ = kSurfaceSize;
        dirtyRight_ = dirtyBottom_ = -1;
        repaint(changed);
    }
    lastShown_ = clock_();
}

void TSeeForm::MakeVisible() {
    if (isVisible()) {
        return;
    }
    show();
    activateWindow();
    // A run handles no events, and a window that the window system has not exposed yet shows
    // nothing that is drawn on it. Wait a moment for the expose, handling no input meanwhile, so
    // that the run's tracks appear as they are drawn.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() != nullptr && !windowHandle()->isExposed() &&
           waited.elapsed() < kExposeWait.count()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
}

void TSeeForm::paintEvent(QPaintEvent* event) {
    DrawQueued();
    const QImage surface(reinterpret_cast<const uchar*>(pixels_.data()), kSurfaceSize, kSurfaceSize,
                         kSurfaceSize * static_cast<qsizetype>(sizeof(QRgb)), QImage::Format_RGB32);
    const QRect part = event->rect() & surface.rect();
    QPainter painter(this);
    painter.drawImage(part.topLeft(), surface, part);
}

void TSeeForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A minimised viewer keeps its tracks; one that is closed or hidden comes back empty.
    if (!event->spontaneous()) {
        Clear();
    }
}

void TSeeForm::Clear() {
    DrawQueued();
    std::fill(pixels_.begin(), pixels_.begin() + kSparePixel, background_);
    dirtyLeft_ = dirtyTop_ = kSurfaceSize;
    dirtyRight_ = dirtyBottom_ = -1;
}

}  // namespace ostrane
