// Animated pictures and the GIF writer they are stored with.
#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <gif_lib.h>

#include "tools/art/Art.h"

namespace tarvo::art {

namespace {
QImage Canvas(QSize size, const QColor& fill = Qt::transparent) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}
} // namespace

std::vector<QImage> DrawSiren(QSize size, const QColor& colour, int frames) {
    std::vector<QImage> out;
    for (int f = 0; f < frames; ++f) {
        QImage img = Canvas(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const double w = size.width(), h = size.height();
        const double glow = 0.5 + 0.5 * std::cos(f * 2 * M_PI / frames);
        // Base, dome and a flash of light turning round.
        p.setBrush(QColor(0x40, 0x40, 0x48));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(w * 0.1, h * 0.78, w * 0.8, h * 0.2), 2, 2);
        QRadialGradient g(QPointF(w / 2, h * 0.45), w * 0.5);
        g.setColorAt(0, colour.lighter(int(120 + 80 * glow)));
        g.setColorAt(1, colour.darker(int(160 - 50 * glow)));
        p.setBrush(g);
        QPainterPath dome;
        dome.moveTo(w * 0.18, h * 0.8);
        dome.lineTo(w * 0.18, h * 0.45);
        dome.arcTo(QRectF(w * 0.18, h * 0.1, w * 0.64, h * 0.7), 180, -180);
        dome.lineTo(w * 0.82, h * 0.8);
        dome.closeSubpath();
        p.drawPath(dome);
        p.setBrush(QColor(255, 255, 255, int(200 * glow)));
        p.drawEllipse(QPointF(w * (0.35 + 0.3 * std::sin(f * 2 * M_PI / frames)), h * 0.4), w * 0.08,
                      h * 0.12);
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

std::vector<QImage> DrawResultBanner(QSize size, int outcome, int frames) {
    static const QColor colours[3] = {QColor(0x8E, 0x1B, 0x22), QColor(0x1E, 0x6B, 0x3A),
                                      QColor(0x1F, 0x3A, 0x7A)};
    static const char* const words[3] = {"FOOL!", "WIN!", "DRAW"};
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    for (int f = 0; f < frames; ++f) {
        QImage img = Canvas(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const double t = double(f) / (frames - 1);
        // The banner unrolls, then its letters shine in turn.
        const double open = std::min(1.0, t * 2.5);
        const QRectF band(w * 0.5 * (1 - open) + 2, h * 0.18, (w - 4) * open, h * 0.64);
        QLinearGradient g(0, band.top(), 0, band.bottom());
        g.setColorAt(0, colours[outcome].lighter(140));
        g.setColorAt(1, colours[outcome].darker(130));
        p.setBrush(g);
        p.setPen(QPen(ink::Gold, 3));
        p.drawRoundedRect(band, 12, 12);
        if (open >= 1.0) {
            QFont font(QStringLiteral("Liberation Serif"));
            font.setBold(true);
            font.setPixelSize(int(h * 0.42));
            QPainterPath text;
            text.addText(0, 0, font, QString::fromLatin1(words[outcome]));
            const QRectF r = text.boundingRect();
            text.translate(w / 2 - r.center().x(), h / 2 - r.center().y());
            const double shine = std::fmod(t * 3, 1.0);
            QLinearGradient tg(w * (shine - 0.3), 0, w * (shine + 0.3), 0);
            tg.setColorAt(0, ink::Gold);
            tg.setColorAt(0.5, Qt::white);
            tg.setColorAt(1, ink::Gold);
            p.setBrush(tg);
            p.setPen(QPen(QColor(0, 0, 0, 150), 2));
            p.drawPath(text);
        }
        // Suits fall past the banner on a win, and sink on a loss.
        for (int s = 0; s < 4; ++s) {
            const double x = w * (0.1 + 0.27 * s);
            double y = outcome == 0 ? h * (0.1 + 0.8 * t) : h * (0.9 - 0.8 * std::fmod(t + s * 0.25, 1.0));
            if (outcome == 2) y = h * 0.04;
            DrawSuit(p, s, QRectF(x, y - 6, 12, 12), s < 2 ? ink::Red : ink::Black);
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

std::vector<QImage> DrawMenuAnimation(QSize size, int which, int frames) {
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    DeckStyle style;
    for (int f = 0; f < frames; ++f) {
        QImage img = Canvas(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const double t = double(f) / frames;
        if (which == 1) {
            // A fan of four aces opening and closing.
            const double spread = 12 + 10 * std::sin(t * 2 * M_PI);
            for (int i = 0; i < 4; ++i) {
                p.save();
                p.translate(w / 2, h * 0.85);
                p.rotate((i - 1.5) * spread);
                const QImage card = DrawFace(33 + i, QSize(69, 94), style, false);
                p.fillRect(QRectF(-35.5, -h * 0.62 - 0.5, 71, 96), ink::Edge);
                p.drawImage(QPointF(-34.5, -h * 0.62), card);
                p.restore();
            }
        } else {
            // One card turning over and over, its back and its face in turn.
            const double angle = t * 2 * M_PI;
            const double k = std::cos(angle);
            const QImage card = k >= 0 ? DrawFace(36, QSize(69, 94), style, false)
                                       : DrawBack(1, QSize(69, 94), BackPattern::Lattice, false);
            p.translate(w / 2, h / 2 + 8 * std::sin(angle * 2));
            p.scale(std::max(0.04, std::abs(k)) * 1.6, 1.6);
            p.fillRect(QRectF(-35.5, -48.5, 71, 96), ink::Edge);
            p.drawImage(QPointF(-34.5, -47.5), card);
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

bool WriteGif(const QString& path, const std::vector<QImage>& frames, int delay, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (frames.empty()) return fail(QStringLiteral("no frames"));
    const QSize size = frames.front().size();
    int code = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &code);
    if (!gif) return fail(QString::fromLatin1(GifErrorString(code)));
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, nullptr) == GIF_OK;
    // Loop forever.
    unsigned char loop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    for (const QImage& frame : frames) {
        if (!ok) break;
        // Qt's own quantiser gives better palettes than giflib's; index 255 is kept for transparency.
        QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
        QImage indexed = argb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdAlphaDither);
        QList<QRgb> table = indexed.colorTable();
        // The quantiser may drop alpha from busy frames; the see-through pixels then turn black.
        // Keep the last index for them, whatever it chose.
        int transparent = -1;
        bool seeThrough = false;
        for (int y = 0; y < size.height() && !seeThrough; ++y)
            for (int x = 0; x < size.width() && !seeThrough; ++x) seeThrough = qAlpha(argb.pixel(x, y)) < 128;
        if (seeThrough) {
            transparent = 255;
            while (table.size() < 256) table.append(qRgba(0, 0, 0, 0));
            table[transparent] = qRgba(0, 0, 0, 0);
            indexed.setColorTable(table);
            for (int y = 0; y < size.height(); ++y) {
                uchar* line = indexed.scanLine(y);
                for (int x = 0; x < size.width(); ++x) {
                    if (qAlpha(argb.pixel(x, y)) < 128)
                        line[x] = static_cast<uchar>(transparent);
                    else if (line[x] == transparent)
                        line[x] = static_cast<uchar>(transparent - 1);  // a rare colour loses its slot
                }
            }
        }
        const int count = 256;
        ColorMapObject* map = GifMakeMapObject(count, nullptr);
        for (int i = 0; i < count; ++i) {
            const QRgb c = i < table.size() ? table[i] : 0;
            map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                              static_cast<GifByteType>(qBlue(c))};
        }
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_BACKGROUND;
        gcb.DelayTime = delay;
        gcb.TransparentColor = transparent >= 0 ? transparent : NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), false, map) == GIF_OK;
        for (int y = 0; ok && y < size.height(); ++y)
            ok = EGifPutLine(gif, const_cast<GifByteType*>(indexed.constScanLine(y)), size.width()) == GIF_OK;
        GifFreeMapObject(map);
    }
    int closeCode = 0;
    if (EGifCloseFile(gif, &closeCode) != GIF_OK) ok = false;
    return ok ? true : fail(QStringLiteral("cannot write ") + path);
}

} // namespace tarvo::art
