#include "sweep.h"

#include <cmath>
#include <string>

#include "float_checks.h"
#include "heading_rules.h"
#include "number_text.h"
#include "sin_cos.h"

namespace ostrane {

namespace {

constexpr long double kOneOver180 = 1.0L / 180;
constexpr int kFirstPass = 6;
constexpr int kLastPass = 8;
constexpr int kCells = 5;
constexpr int kPixels = 600;

// What one soak pass fixes for all its tracks.
struct Pass {
    std::int32_t legCount;
    float legLength;  // metres
    float scale;      // pixels per metre
    float biasAngle;  // radians
};

long double SoakSeconds(const RunParameters& p) {
    return static_cast<long double>(p.SoakHrs) * 3600;
}

// The product of two singles is exact in double as in extended.
std::int32_t Pixel(float metres, float scale) {
    return TruncToInt(static_cast<double>(metres) * scale);
}

// Swims one track from (TotalDist, TotalDist) and returns its net displacement.
long double SwimTrack(const RunParameters& p, const Pass& pass, std::int32_t trial,
                      const SweepPorts& ports) {
    const float origin = p.TotalDist;
    float x = origin;
    float y = origin;
    float heading = RandomHeading(ports.random);
    ports.plotter.StartTrack(Pixel(x, pass.scale), Pixel(y, pass.scale));
    for (std::int32_t leg = 0; leg < pass.legCount; ++leg) {
        heading = NextHeading(p.Algo, heading, pass.biasAngle, p.TurnRange, ports.random);
        const SineCosine sc = SinCos(heading);
        x = StoreSingle(sc.sine * pass.legLength + x);
        y = StoreSingle(sc.cosine * pass.legLength + y);
        if (p.DisplayTracks) {
            ports.plotter.DrawLeg(Pixel(x, pass.scale), Pixel(y, pass.scale), trial);
        }
    }
    const long double dx = static_cast<long double>(x) - origin;
    const long double dy = static_cast<long double>(y) - origin;
    return std::sqrt(dx * dx + dy * dy);
}

CellResult SwimCell(RunParameters& p, const Pass& pass, const SweepPorts& ports) {
    float displacementSum = 0;
    // Counted in 64 bits so that the largest NofTrials cannot overflow the counter.
    for (std::int64_t trial = 1; trial <= p.NofTrials; ++trial) {
        const long double displacement =
            SwimTrack(p, pass, static_cast<std::int32_t>(trial), ports);
        if (ports.observer != nullptr) {
            ports.observer->TrackFinished(p, displacement);
        }
        displacementSum = StoreSingle(displacement + displacementSum);
    }
    const long double meanDisplacement = Divide(displacementSum, p.NofTrials);
    return CellResult{
        .Algo = static_cast<std::int32_t>(p.Algo),
        .SwimCount = RoundToInt(Divide(SoakSeconds(p), p.TurnInt)),
        .SoakHrs = p.SoakHrs,
        .TurnRange = p.TurnRange,
        .DMG = Divide(meanDisplacement, SoakSeconds(p) * p.Speed),
    };
}

// Leaves the results file to AbandonResults when a failure unwinds the run.
class AbandonOnFailure {
public:
    explicit AbandonOnFailure(ResultsSink& results) : results_(results) {}
    AbandonOnFailure(const AbandonOnFailure&) = delete;
    AbandonOnFailure& operator=(const AbandonOnFailure&) = delete;
    ~AbandonOnFailure() {
        if (armed_) {
            results_.AbandonResults();
        }
    }
    void Disarm() { armed_ = false; }

private:
    ResultsSink& results_;
    bool armed_ = true;
};

}  // namespace

void RunSweep(RunParameters& p, const SweepPorts& ports) {
    ports.results.OpenResults();
    AbandonOnFailure abandon(ports.results);
    int countdown = 6;
    for (int passIndex = kFirstPass; passIndex <= kLastPass; ++passIndex) {
        p.SoakHrs = static_cast<float>(2 * passIndex);
        Pass pass{};
        pass.legCount = TruncToInt(Divide(SoakSeconds(p), p.TurnInt));
        pass.legLength = StoreSingle(static_cast<long double>(p.TurnInt) * p.Speed);
        p.TotalDist = StoreSingle(static_cast<long double>(pass.legCount) * pass.legLength);
        ports.random.Reseed();
        pass.scale = StoreSingle(Divide(kPixels, 2 * static_cast<long double>(p.TotalDist)));
        pass.biasAngle = StoreSingle(p.Compass * kPi * kOneOver180);
        ports.status.ShowStatus("* Running * " + IntToText(countdown));
        for (int cell = 0; cell < kCells; ++cell) {
            p.TurnRange = 10 * cell;
            ports.results.WriteCell(SwimCell(p, pass, ports));
        }
        --countdown;
    }
    ports.status.ShowStatus(" FINISHED ");
    ports.results.CloseResults();
    abandon.Disarm();
}

}  // namespace ostrane
