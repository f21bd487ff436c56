#pragma once

#include <QColor>
#include <cstdint>

namespace corvalen {

// Colours are kept as the 32-bit values the window code works with: 0x80000000 + n names system
// colour n, anything else holds red in its lowest byte, then green, then blue.
namespace Colors {
constexpr std::uint32_t Black = 0x00000000;
constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Marker = 0x0080C0FF;
constexpr std::uint32_t AppWorkspace = 0x8000000C;
constexpr std::uint32_t ButtonFace = 0x8000000F;
constexpr std::uint32_t ButtonShadow = 0x80000010;
constexpr std::uint32_t WindowText = 0x80000012;
} // namespace Colors

QColor toQColor(std::uint32_t value);

} // namespace corvalen
