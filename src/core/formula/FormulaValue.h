#pragma once

#include "core/model/Channel.h"

#include <cstdint>

namespace zarva {

// The value of every operand and result of a formula. Which parts hold meaning is told by
// the flags; a default value (an empty argument) has none.
struct FormulaValue {
    static constexpr std::uint8_t kReal = 0x1;
    static constexpr std::uint8_t kPhasor = 0x2;
    static constexpr std::uint8_t kChannelRef = 0x4;

    std::uint8_t flags = 0;
    Phasor phasor{0.0, 0.0};
    double real = 0.0;
    const Channel* channel = nullptr;

    bool HasReal() const { return (flags & kReal) != 0; }
    bool HasPhasor() const { return (flags & kPhasor) != 0; }
    // A negated reference keeps its flag but no longer stands for a channel.
    bool IsChannel() const { return (flags & kChannelRef) != 0 && channel != nullptr; }
};

} // namespace zarva
