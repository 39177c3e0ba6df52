// Resampling pictures: the bilinear resize of frame pictures and the scaled card draw.
#pragma once

#include <QImage>
#include <QPainter>
#include <stdexcept>

namespace tarvo {

// Raised for pictures that are neither RGB nor RGBA (palette or grey PNGs).
class PictureFormatError : public std::runtime_error {
  public:
    PictureFormatError() : std::runtime_error("Only COLOR_RGBALPHA and COLOR_RGB formats are supported") {}
};

// Resamples in place to width x height: target pixel (x, y) samples the source at
// (x * (sw - 1) / tw, y * (sh - 1) / th) and mixes the 2 x 2 neighbours, alpha included, rounding
// to the nearest value. A source or target of 1 pixel or less in either direction is left alone.
void ResizePicture(QImage& picture, int width, int height);

// Draws a picture resized to width x height at (x, y); with `rounded` the four corners (ellipses of
// Round(8 * scale) across) stay transparent. A picture of the requested size is drawn as it is.
void DrawScaled(int x, int y, const QImage& picture, bool rounded, int width, int height, QPainter& canvas,
                double scale);
// The picture DrawScaled would draw, for callers that keep it (flights).
QImage ScaledCardPicture(const QImage& picture, bool rounded, int width, int height, double scale);

} // namespace tarvo
