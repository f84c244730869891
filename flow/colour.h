#pragma once

#include <cstdint>

namespace flow {

/// A colour as 0x00BBGGRR: red in the low byte, then green, then blue. Every
/// colour of the program is written this way, also in the windows and tests.
using Colour = std::uint32_t;

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue)
{
    return Colour(red) | Colour(green) << 8 | Colour(blue) << 16;
}

constexpr unsigned redOf(Colour c)
{
    return c & 0xFF;
}
constexpr unsigned greenOf(Colour c)
{
    return (c >> 8) & 0xFF;
}
constexpr unsigned blueOf(Colour c)
{
    return (c >> 16) & 0xFF;
}

namespace colours {
constexpr Colour black = rgb(0, 0, 0);             ///< axes and the wall
constexpr Colour lightGrey = rgb(220, 220, 220);   ///< vertical grid lines
constexpr Colour red = rgb(255, 0, 0);             ///< compressible solution, Cp2
constexpr Colour blue = rgb(0, 0, 255);            ///< incompressible solution, Cp1, contact line
constexpr Colour lightYellow = rgb(255, 255, 192); ///< the picture boxes and the About window
static_assert(red == 0x000000FF && blue == 0x00FF0000 && lightYellow == 0x00C0FFFF);
} // namespace colours

} // namespace flow
