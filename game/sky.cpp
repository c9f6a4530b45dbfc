// SPDX-License-Identifier: MIT
// The About box's sky: value-noise clouds over a dithered blue gradient.
#include "morvint/sky.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace morvint {

namespace {

// Value noise for the clouds: a fixed lattice of pseudo-random heights,
// smoothly interpolated.
double lattice(int x, int y, int octave) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(octave) * 2246822519u + 0x9E3779B9u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

double smoothNoise(double x, double y, int octave) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top =
        lattice(x0, y0, octave) + sx * (lattice(x0 + 1, y0, octave) - lattice(x0, y0, octave));
    const double bottom = lattice(x0, y0 + 1, octave) +
                          sx * (lattice(x0 + 1, y0 + 1, octave) - lattice(x0, y0 + 1, octave));
    return top + sy * (bottom - top);
}

// Cloud cover at a pixel, 0 (clear sky) to 1 (thick cloud). Clouds are wider
// than high, as a sky seen from the ground.
double cloudCover(int x, int y) {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    double scale = 1.0 / 90.0;
    for (int octave = 0; octave < 5; ++octave) {
        sum += amplitude * smoothNoise(x * scale, y * scale * 1.8, octave);
        total += amplitude;
        amplitude *= 0.5;
        scale *= 2;
    }
    const double n = sum / total;
    return std::clamp((n - 0.48) * 3.2, 0.0, 1.0);
}

std::uint32_t rgb(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

}  // namespace

SkyPicture drawSky() {
    constexpr int width = 400;
    constexpr int height = 300;
    // 16 shades of sky from the top (deeper blue) to the bottom (paler), each
    // in 16 steps towards white for the clouds: 256 colours, all different.
    constexpr int levels = 16;
    SkyPicture picture;
    picture.width = width;
    picture.height = height;

    std::size_t made = 0;
    for (int sky = 0; sky < levels; ++sky) {
        const double t = sky / double(levels - 1);
        const double r = 96 + t * (178 - 96);
        const double g = 160 + t * (214 - 160);
        const double b = 232 + t * (247 - 232);
        for (int cloud = 0; cloud < levels; ++cloud) {
            const double w = 0.94 * cloud / double(levels - 1);
            int red = int(r + w * (255 - r) + 0.5);
            const int green = int(g + w * (255 - g) + 0.5);
            const int blue = int(b + w * (255 - b) + 0.5);
            // Near white, neighbouring shades can round to one colour; such a
            // shade moves by a step of red, so that all 256 differ.
            const auto end = picture.palette.begin() + static_cast<std::ptrdiff_t>(made);
            while (std::find(picture.palette.begin(), end, rgb(red, green, blue)) != end) {
                red = red > 0 ? red - 1 : 255;
            }
            picture.palette[made++] = rgb(red, green, blue);
        }
    }

    // A 4 by 4 ordered dither keeps the gradient and the cloud edges soft.
    static constexpr std::array<int, 16> bayer = {0, 8,  2, 10, 12, 4, 14, 6,
                                                  3, 11, 1, 9,  15, 7, 13, 5};
    picture.indices.resize(static_cast<std::size_t>(width) * height);
    auto pixel = picture.indices.begin();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double threshold = (bayer[(y % 4) * 4 + x % 4] + 0.5) / 16.0;
            const double skyLevel = y * (levels - 1) / double(height - 1);
            const double cloudLevel = cloudCover(x, y) * (levels - 1);
            const int sky =
                std::min(levels - 1, int(skyLevel) + (skyLevel - int(skyLevel) > threshold));
            const int cloud =
                std::min(levels - 1, int(cloudLevel) + (cloudLevel - int(cloudLevel) > threshold));
            *pixel++ = static_cast<std::uint8_t>(sky * levels + cloud);
        }
    }
    return picture;
}

}  // namespace morvint
