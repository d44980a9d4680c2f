#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarva::test {

// An OSC2 record described value by value, written in the block layout that ReadOsc2
// documents. Texts are the 8-bit bytes as stored (Windows-1251).
struct Osc2Analog {
    std::string name;
    std::string phase;
    std::string unit;
    float gain = 1.0f;
    float offset = 0.0f;
    float primary = 1.0f;
    float secondary = 1.0f;
    std::vector<std::int16_t> codes;
};

struct Osc2Discrete {
    std::string name;
    int normalState = 0;
    std::vector<bool> states;
};

struct Osc2Moment {
    int year = 2024, month = 3, day = 5, hour = 7, minute = 8, second = 9, millisecond = 45;
};

// A run of samples taken at one sampling period (ticks of the 1.2 MHz clock).
struct Osc2Run {
    std::uint16_t periodCode;
    std::size_t samples;
};

struct Osc2Record {
    int major = 2;
    int minor = 5;
    std::int32_t zeroSample = 0;
    std::vector<Osc2Analog> analog;
    std::vector<Osc2Discrete> discrete;
    Osc2Moment start;
    Osc2Moment trigger{2024, 3, 5, 7, 8, 9, 95};
    std::vector<Osc2Run> runs;  // empty: all samples at 500 ticks (2400 Hz)
};

std::string WriteOsc2(const Osc2Record& record);

} // namespace zarva::test
