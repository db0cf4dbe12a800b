#pragma once

// The standard 16-colour palette that the chart names its colours by.
namespace palette {

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr int black = 0;      // grid and labels
inline constexpr int darkBlue = 1;   // reference lines of the formulas
inline constexpr int lightRed = 12;  // result marker

// Index 0..15; anything else is a programming error and gives black.
Rgb rgb(int index);

}  // namespace palette
