// The track viewer, the window on which a run draws its tracks.
#pragma once

#include <QImage>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "simulation/sweep.h"

namespace ostrane {

// Draws onto a 601 x 601 image that it keeps and paints from whenever the window system asks, so
// covering or uncovering the viewer loses no track; hiding it clears the image. No event is
// handled during a run, so what a run draws is repainted at most every 16 ms and once more at its
// end (ShowDrawn), never once per leg.
class TSeeForm final : public QWidget, public TrackPlotter {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kSurfaceSize = 601;
    static constexpr std::chrono::milliseconds kRepaintInterval{16};
    static constexpr std::chrono::milliseconds kExposeWait{500};
    // The pen's moves are queued and drawn this many at a time, and the clock is read after each
    // batch. Per leg the sweep's own work is one long stretch of x87 microcode, beside which every
    // instruction that the plotter adds to the leg costs nearly its full time; drawn in a batch,
    // the lines overlap one another instead.
    static constexpr int kBatchSize = 64;

    // Sets SeeForm; the viewer is shown at the end of its creation.
    explicit TSeeForm(Clock clock = std::chrono::steady_clock::now);
    ~TSeeForm() override;
    TSeeForm(const TSeeForm&) = delete;
    TSeeForm& operator=(const TSeeForm&) = delete;

    void StartTrack(std::int32_t px, std::int32_t py) override;
    // The line runs from the pen up to but not including (px, py), in the colour of trial mod 10,
    // and is cut off at the edges of the image.
    void DrawLeg(std::int32_t px, std::int32_t py, std::int32_t trial) override;

    // A hidden viewer is shown, becomes the active window and is on the screen when this returns
    // (waiting for the window system at most kExposeWait); a visible one, minimised included, is
    // left as it is.
    void MakeVisible();

    // Puts on the screen now what has been drawn since the last repaint.
    void ShowDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A move of the pen: to (x, y), drawing a line in the colour of `trial` unless it is kPenUp.
    struct Move {
        std::int32_t x;
        std::int32_t y;
        std::int32_t trial;
    };
    static constexpr std::int32_t kPenUp = 0;  // trial numbers start at 1

    void Queue(std::int32_t x, std::int32_t y, std::int32_t trial);
    void DrawQueued();
    void DrawLine(std::int32_t toX, std::int32_t toY, QRgb colour);
    // Out of line, so that the loop over the short legs carries none of its registers.
    [[gnu::noinline]] void DrawLongLine(std::int32_t toX, std::int32_t toY, QRgb colour);
    void Plot(int x, int y, QRgb colour);
    void Clear();

    Clock clock_;
    // The drawing surface row by row, painted through a QImage over the same memory, and after it
    // one spare pixel that is never shown.
    static constexpr std::size_t kSparePixel = std::size_t{kSurfaceSize} * kSurfaceSize;
    std::vector<QRgb> pixels_;
    QRgb background_;
    std::array<Move, kBatchSize> queued_{};
    int queuedCount_ = 0;
    std::int32_t penX_ = 0;
    std::int32_t penY_ = 0;
    // The pixels changed since the last repaint, inclusive; empty while left > right.
    int dirtyLeft_ = kSurfaceSize;
    int dirtyTop_ = kSurfaceSize;
    int dirtyRight_ = -1;
    int dirtyBottom_ = -1;
    std::chrono::steady_clock::time_point lastShown_;
};

// The one viewer, while it exists.
extern TSeeForm* SeeForm;

}  // namespace ostrane
