#pragma once

// Screen units: positions in twips become pixels at 15 twips per pixel.
namespace screen {

constexpr int TwipsPerPixelX = 15;
constexpr int TwipsPerPixelY = 15;

inline int twipsToPixelsX(double twips) { return static_cast<int>(twips / TwipsPerPixelX); }
inline int twipsToPixelsY(double twips) { return static_cast<int>(twips / TwipsPerPixelY); }

} // namespace screen
