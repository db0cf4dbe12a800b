#include "chart/Palette.h"

#include <array>

namespace palette {

Rgb rgb(int index)
{
    static constexpr std::array<Rgb, 16> colours{{
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
        {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    }};
    if (index < 0 || index >= int(colours.size())) return colours[0];
    return colours[std::size_t(index)];
}

}  // namespace palette
