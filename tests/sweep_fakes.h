// Recording stand-ins for the ports of a sweep, sharing one log so tests see the order of calls.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "simulation/random_source.h"
#include "simulation/run_parameters.h"
#include "simulation/sweep.h"

namespace ostrane::testing_fakes {

// The settings window's values after its creation, with a run's algorithm, trials and drawing.
inline RunParameters DefaultParameters(TurnAlgorithm algo, std::int32_t nofTrials) {
    RunParameters p;
    p.Speed = 2;
    p.SoakHrs = 24;
    p.TotalDist = 172800;
    p.TurnInt = 120;
    p.TurnRange = 25;
    p.Compass = 45;
    p.NofTrials = nofTrials;
    p.Algo = algo;
    p.DisplayTracks = true;
    return p;
}

struct Leg {
    std::int32_t px;
    std::int32_t py;
    std::int32_t trial;
    bool operator==(const Leg&) const = default;
};

struct Track {
    std::int32_t startX;
    std::int32_t startY;
    std::vector<Leg> legs;
};

class CallLog {
public:
    void Add(std::string entry) { entries.push_back(std::move(entry)); }
    std::vector<std::string> entries;
};

class RecordingPlotter : public TrackPlotter {
public:
    explicit RecordingPlotter(CallLog* log = nullptr) : log_(log) {}
    void StartTrack(std::int32_t px, std::int32_t py) override {
        tracks.push_back({px, py, {}});
        if (log_ != nullptr) {
            log_->Add("StartTrack");
        }
    }
    void DrawLeg(std::int32_t px, std::int32_t py, std::int32_t trial) override {
        if (failAtLeg >= 0 && ++legsDrawn > failAtLeg) {
            throw std::runtime_error("plotter failed");
        }
        tracks.back().legs.push_back({px, py, trial});
    }

    std::vector<Track> tracks;
    long failAtLeg = -1;  // throw on the leg after this many; -1 never
    long legsDrawn = 0;

private:
    CallLog* log_;
};

class RecordingStatus : public StatusDisplay {
public:
    explicit RecordingStatus(CallLog* log = nullptr) : log_(log) {}
    void ShowStatus(std::string_view text) override {
        texts.emplace_back(text);
        if (log_ != nullptr) {
            log_->Add("Status:" + std::string(text));
        }
    }
    std::vector<std::string> texts;

private:
    CallLog* log_;
};

class RecordingResults : public ResultsSink {
public:
    explicit RecordingResults(CallLog* log = nullptr) : log_(log) {}
    void OpenResults() override {
        Log("OpenResults");
        if (failOpen) {
            throw std::runtime_error("open failed");
        }
    }
    void WriteCell(const CellResult& cell) override {
        Log("WriteCell");
        cells.push_back(cell);
    }
    void CloseResults() override { Log("CloseResults"); }
    void AbandonResults() noexcept override { Log("AbandonResults"); }

    std::vector<CellResult> cells;
    bool failOpen = false;

private:
    void Log(const char* entry) {
        if (log_ != nullptr) {
            log_->Add(entry);
        }
    }
    CallLog* log_;
};

// Hands out chosen draws in order (0 once they run out) and records every bound asked for.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(CallLog* log = nullptr) : log_(log) {}
    std::int32_t RandomBelow(std::int32_t n) override {
        bounds.push_back(n);
        if (script) {
            return script(n);
        }
        if (draws.empty()) {
            return 0;
        }
        const std::int32_t d = draws.front();
        draws.pop_front();
        return d;
    }
    void Reseed() override {
        ++reseeds;
        if (log_ != nullptr) {
            log_->Add("Reseed");
        }
    }

    std::deque<std::int32_t> draws;
    std::function<std::int32_t(std::int32_t)> script;  // when set, answers every draw
    std::vector<std::int32_t> bounds;
    int reseeds = 0;

private:
    CallLog* log_;
};

// The same seed every time.
class FixedSeeds : public SeedSource {
public:
    explicit FixedSeeds(std::uint32_t seed) : seed_(seed) {}
    std::uint32_t NextSeed() override { return seed_; }

private:
    std::uint32_t seed_;
};

}  // namespace ostrane::testing_fakes
