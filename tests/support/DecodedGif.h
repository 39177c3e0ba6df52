// An animated GIF decoded twice, by giflib and by Qt's reader, into the pictures a viewer shows
// frame after frame, with each frame's delay.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <gif_lib.h>
#include <vector>

namespace tarvo::test {

struct DecodedGif {
    bool ok = false;
    QSize screen;
    std::vector<QImage> frames; // whole pictures, RGB32
    std::vector<int> delays;    // hundredths of a second (giflib), milliseconds (Qt)
    std::vector<QRect> rects;   // the stored rectangle of each frame (giflib only)
};

// giflib: every frame painted over the one before, its transparent pixels left out.
inline DecodedGif DecodeWithGiflib(const QString& path) {
    DecodedGif out;
    int code = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &code);
    if (!gif) return out;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &code);
        return out;
    }
    out.screen = QSize(gif->SWidth, gif->SHeight);
    QImage canvas(out.screen, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& d = image.ImageDesc;
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        if (!map) break;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (index == control.TransparentColor || index >= map->ColorCount) continue;
                const GifColorType c = map->Colors[index];
                canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        out.frames.push_back(canvas.copy());
        out.delays.push_back(control.DelayTime);
        out.rects.emplace_back(d.Left, d.Top, d.Width, d.Height);
    }
    out.ok = static_cast<int>(out.frames.size()) == gif->ImageCount;
    DGifCloseFile(gif, &code);
    return out;
}

inline DecodedGif DecodeWithQt(const QString& path) {
    DecodedGif out;
    QImageReader reader(path, "gif");
    if (!reader.canRead()) return out;
    out.screen = reader.size();
    QImage frame;
    while (reader.read(&frame)) {
        out.frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        out.delays.push_back(reader.nextImageDelay());
    }
    out.ok = !out.frames.empty();
    return out;
}

// The mean difference per colour channel of two pictures of one size (255 for different sizes).
inline double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace tarvo::test
