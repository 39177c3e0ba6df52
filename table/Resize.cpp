#include "table/Resize.h"

#include <QPainterPath>
#include <cmath>

#include "table/ImageStore.h"

namespace tarvo {

namespace {
bool IsRgbOrRgba(QImage::Format f) {
    switch (f) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGB888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
    case QImage::Format_RGBX8888:
        return true;
    default:
        return false;
    }
}

int Mix(int p00, int p10, int p01, int p11, double fx, double fy) {
    const double top = p00 + (p10 - p00) * fx;
    const double bottom = p01 + (p11 - p01) * fx;
    return static_cast<int>(std::lround(top + (bottom - top) * fy));
}
} // namespace

void ResizePicture(QImage& picture, int width, int height) {
    if (!IsRgbOrRgba(picture.format())) throw PictureFormatError();
    const int sw = picture.width(), sh = picture.height();
    if (sw <= 1 || sh <= 1 || width <= 1 || height <= 1) return;
    const bool alpha = picture.hasAlphaChannel();
    // Channels are mixed as stored in the file, not premultiplied.
    const QImage src = picture.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage out(width, height, src.format());
    out.fill(Qt::transparent);
    const double kx = double(width) / (sw - 1), ky = double(height) / (sh - 1);
    for (int y = 0; y < height; ++y) {
        const double sy = y / ky;
        const int y0 = std::min(static_cast<int>(sy), sh - 1), y1 = std::min(y0 + 1, sh - 1);
        const double fy = sy - y0;
        const auto* r0 = reinterpret_cast<const QRgb*>(src.constScanLine(y0));
        const auto* r1 = reinterpret_cast<const QRgb*>(src.constScanLine(y1));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double sx = x / kx;
            const int x0 = std::min(static_cast<int>(sx), sw - 1), x1 = std::min(x0 + 1, sw - 1);
            const double fx = sx - x0;
            const QRgb a = r0[x0], b = r0[x1], c = r1[x0], d = r1[x1];
            o[x] = qRgba(Mix(qRed(a), qRed(b), qRed(c), qRed(d), fx, fy),
                         Mix(qGreen(a), qGreen(b), qGreen(c), qGreen(d), fx, fy),
                         Mix(qBlue(a), qBlue(b), qBlue(c), qBlue(d), fx, fy),
                         alpha ? Mix(qAlpha(a), qAlpha(b), qAlpha(c), qAlpha(d), fx, fy) : 255);
        }
    }
    picture = out;
}

QImage ScaledCardPicture(const QImage& picture, bool rounded, int width, int height, double scale) {
    QImage result;
    if (picture.size() == QSize(width, height)) {
        result = picture.convertToFormat(QImage::Format_ARGB32);
    } else {
        // Flattened onto black first, as the cards are opaque; then a smooth resample.
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::black);
        QPainter(&flat).drawImage(0, 0, picture);
        result = flat.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_ARGB32);
    }
    if (!rounded) return result;
    // The corners outside a rounded rectangle become transparent. Drawn without antialiasing so
    // that a corner pixel is either the card or the table, never a blend.
    const int corner = RoundEven(8 * scale);
    QImage mask(width, height, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(0, 0, width, height), corner / 2.0, corner / 2.0);
    }
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (qAlpha(m[x]) == 0) line[x] = 0;
    }
    return result;
}

void DrawScaled(int x, int y, const QImage& picture, bool rounded, int width, int height, QPainter& canvas,
                double scale) {
    if (picture.isNull()) return;
    if (!rounded && picture.size() == QSize(width, height)) {
        canvas.drawImage(x, y, picture);
        return;
    }
    canvas.drawImage(x, y, ScaledCardPicture(picture, rounded, width, height, scale));
}

} // namespace tarvo
