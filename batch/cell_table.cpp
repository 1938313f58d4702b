#include "cell_table.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "simulation/number_text.h"

namespace ostrane::batch {

namespace {

// Three significant digits are all a standard error can honestly claim.
std::string ErrorText(long double error) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3Lg", error);
    return text;
}

std::string Column(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

}  // namespace

void CellTable::OpenResults() {
    file_.OpenResults();
    out_ << "SoakHrs  TurnRange  SwimCount  DMG                SE\n";
}

void CellTable::TrackFinished(const RunParameters& p, long double displacement) {
    const long double ratio = displacement / (static_cast<long double>(p.SoakHrs) * 3600 * p.Speed);
    count_ += 1;
    const long double delta = ratio - mean_;
    mean_ += delta / count_;
    squaredDeviations_ += delta * (ratio - mean_);
}

void CellTable::WriteCell(const CellResult& cell) {
    file_.WriteCell(cell);
    const long double variance = squaredDeviations_ / (count_ - 1);
    const long double standardError = std::sqrt(variance / count_);
    if (beforeRow_) {
        beforeRow_();
    }
    out_ << Column(RealToText(cell.SoakHrs), 9) << Column(IntToText(cell.TurnRange), 11)
         << Column(IntToText(cell.SwimCount), 11) << Column(RealToText(cell.DMG), 19)
         << ErrorText(standardError) << '\n';
    count_ = mean_ = squaredDeviations_ = 0;
}

}  // namespace ostrane::batch
