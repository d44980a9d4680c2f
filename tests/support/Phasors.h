#pragma once

#include "core/model/Channel.h"

#include <gtest/gtest.h>

#include <numbers>

namespace zarva::test {

inline Phasor Polar(double modulus, double angleDeg)
{
    return std::polar(modulus, angleDeg * std::numbers::pi / 180.0);
}

inline void ExpectPhasorNear(Phasor actual, Phasor expected, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.real(), expected.real(), tolerance) << "actual " << actual << ", expected " << expected;
    EXPECT_NEAR(actual.imag(), expected.imag(), tolerance) << "actual " << actual << ", expected " << expected;
}

} // namespace zarva::test
