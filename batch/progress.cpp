#include "progress.h"

#include <cstdio>

namespace ostrane::batch {

namespace {

using namespace std::chrono_literals;

constexpr auto kQuietStart = 500ms;  // a run shorter than this shows no line at all
constexpr auto kRedrawEvery = 100ms;
constexpr int kSoakHours[] = {12, 14, 16};

double LegsPerTrack(int soakHrs, std::int32_t turnInt) {
    return static_cast<double>(static_cast<std::int64_t>(soakHrs) * 3600 / turnInt);
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, const RunParameters& p)
    : err_(err), turnInt_(p.TurnInt), start_(Clock::now()), lastShown_(start_) {
    for (int hours : kSoakHours) {
        totalLegs_ += 5.0 * p.NofTrials * LegsPerTrack(hours, turnInt_);
    }
}

void ProgressLine::TrackFinished(const RunParameters& p, long double) {
    ++tracksDone_;
    legsDone_ += LegsPerTrack(static_cast<int>(p.SoakHrs), turnInt_);
    const Clock::time_point now = Clock::now();
    if (now - start_ < kQuietStart || now - lastShown_ < kRedrawEvery) {
        return;
    }
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    char line[128];
    std::snprintf(line, sizeof line, "\rpass %d/3  cell %d/5  %3.0f%%  %.0f tracks/s ",
                  (static_cast<int>(p.SoakHrs) - 10) / 2, p.TurnRange / 10 + 1,
                  100.0 * legsDone_ / totalLegs_, static_cast<double>(tracksDone_) / seconds);
    err_ << line << "\x1b[K" << std::flush;
    shown_ = true;
}

void ProgressLine::Clear() {
    if (shown_) {
        err_ << "\r\x1b[K" << std::flush;
        shown_ = false;
    }
}

}  // namespace ostrane::batch
