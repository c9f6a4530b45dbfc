// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace morvint {

// The About box's background: a light-blue sky with soft white clouds, 400 by
// 300 pixels in 256 colours, deeper blue at the top and paler at the bottom.
struct SkyPicture {
    int width = 0;
    int height = 0;
    // One palette index a pixel, row by row from the top-left corner.
    std::vector<std::uint8_t> indices;
    // 0xRRGGBB; all 256 colours differ.
    std::array<std::uint32_t, 256> palette{};
};

// Always the same picture: the clouds come from fixed noise, not from a
// random generator.
SkyPicture drawSky();

}  // namespace morvint
