#pragma once
#include <cstdint>

namespace vorlen {

// Lengths of the layout are in twips, 1/1440 inch: 15 twips to a pixel at 96
// DPI. The conversions round to the nearest pixel or twip, halves away from
// zero, as MulDiv does.
inline constexpr int kTwipsPerInch = 1440;

constexpr int ScaleRounded(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

constexpr int TwipsToPixels(int twips, unsigned dpi) {
    return ScaleRounded(twips, static_cast<int>(dpi), kTwipsPerInch);
}

constexpr int PixelsToTwips(int pixels, unsigned dpi) {
    return ScaleRounded(pixels, kTwipsPerInch, static_cast<int>(dpi));
}

// A rectangle in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace vorlen
