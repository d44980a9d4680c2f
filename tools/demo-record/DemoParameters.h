#pragma once

#include <complex>
#include <cstdint>

namespace zarva::demo {

using Complex = std::complex<double>;

// The simulated event: a phase-A-to-earth fault on a 110 kV overhead line between
// substations M and N, fed from both ends, seen by the recorder at M (bus voltages, line
// currents flowing from M into the line). Impedances in ohms, primary side.
struct DemoParameters {
    double nominalVoltage = 110e3;  // phase to phase, V
    double frequency = 50.0;        // Hz

    double lineLength = 60.0;            // km
    int supportCount = 240;              // poles along the line, evenly spread
    Complex lineZ1PerKm{0.12, 0.40};     // positive (= negative) sequence, ohm/km
    Complex lineZ0PerKm{0.30, 1.25};     // zero sequence, ohm/km

    Complex sourceM1{0.50, 12.0};  // source behind M, positive sequence
    Complex sourceM0{0.80, 10.0};  //                  zero sequence
    Complex sourceN1{0.60, 10.0};  // source behind N
    Complex sourceN0{1.00, 12.0};

    // Pre-fault load: source voltages in per unit of the nominal phase voltage, the
    // source N lagging M by the transfer angle.
    double sourceMVoltage = 1.03;
    double sourceNVoltage = 1.00;
    double transferAngleDeg = 12.0;

    double faultDistance = 24.0;   // km from M
    double faultResistance = 1.0;  // ohm, phase A to earth

    const char* recorder = "Регистратор РАС-1";
    std::int64_t startOfDay = (10 * 3600 + 25 * 60 + 31) * 1'000'000LL + 412'000;  // first sample, µs

    // Timings in seconds from the first sample. Each breaker pole interrupts at the first
    // zero of its current after the contacts part.
    double sampleRate = 2400.0;        // 48 per period
    double duration = 0.4;
    double faultInception = 0.100;
    double startDelay = 0.012;         // protection start after inception
    double tripDelay = 0.028;          // trip command after inception
    double breakerOpeningTime = 0.045; // trip command to contact parting
    double startResetDelay = 0.030;    // after the last pole clears
    double tripResetDelay = 0.015;

    // Instrument transformers; the record holds secondary values.
    double vtPrimary = 110000.0;
    double vtSecondary = 100.0;
    double ctPrimary = 600.0;
    double ctSecondary = 5.0;
};

inline constexpr DemoParameters kDemoParameters{};

// A second recorder at M on the same event, for merging two records: slower, and started 60 ms
// earlier on the same clock. The waves are timed from the first sample, so the start moves by
// whole periods to keep them those of the same event.
inline constexpr DemoParameters kSecondRecorderParameters = [] {
    DemoParameters p;
    p.recorder = "Регистратор РАС-2";
    p.startOfDay -= 60'000;
    p.sampleRate = 1000.0;
    p.duration = 0.46;
    p.faultInception = 0.160;
    return p;
}();

} // namespace zarva::demo
