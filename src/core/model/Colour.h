#pragma once

#include <cstdint>

namespace zarva {

// A colour as the settings files store it: red in the low byte, then green, then blue.
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue)
{
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int Red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

} // namespace zarva
