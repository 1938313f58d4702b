// The table that ostrane-batch prints: one row per cell as the sweep writes it, with the standard
// error of DMG across the cell's tracks.
#pragma once

#include <functional>
#include <ostream>

#include "simulation/sweep.h"

namespace ostrane::batch {

// Sits between the sweep and the results file: forwards every call and prints each cell's row.
class CellTable : public ResultsSink, public TrackObserver {
public:
    CellTable(ResultsSink& file, std::ostream& out) : file_(file), out_(out) {}

    // Runs before each row is printed: a progress line on the same terminal steps aside.
    void BeforeEachRow(std::function<void()> action) { beforeRow_ = std::move(action); }

    void OpenResults() override;
    void WriteCell(const CellResult& cell) override;
    void CloseResults() override { file_.CloseResults(); }
    void AbandonResults() noexcept override { file_.AbandonResults(); }

    void TrackFinished(const RunParameters& parameters, long double displacement) override;

private:
    ResultsSink& file_;
    std::ostream& out_;
    std::function<void()> beforeRow_;
    // Welford's running mean and squared deviations of displacement over the nominal path, over
    // the tracks of the current cell.
    long double count_ = 0;
    long double mean_ = 0;
    long double squaredDeviations_ = 0;
};

}  // namespace ostrane::batch
