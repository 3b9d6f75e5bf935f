#pragma once
// Twips, the unit of the window's stored layout and of a picture panel's
// positions before it is given a scale: 1/1440 inch, so 15 twips make a
// device-independent pixel at 96 dots per inch.

namespace calctutor {

inline constexpr int kTwipsPerPixel = 15;

// Twips to device-independent pixels.
constexpr int toPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

} // namespace calctutor
