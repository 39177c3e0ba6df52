// Animated pictures and the GIF writer they are stored with.
#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
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
        // The banner unrolls in the first six frames (a draw shows it whole from the start), then
        // its letters shine in turn; the still frames (20, 9, 0) show it complete.
        const double open = outcome == 2 ? 1.0 : std::min(1.0, f / 6.0);
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

namespace {
// The same sparks on every machine: a small integer hash instead of a library generator.
double Noise(unsigned a, unsigned b, unsigned c = 0) {
    unsigned h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return double(h & 0xFFFFFFu) / double(0x1000000u);
}

QColor WithAlpha(QColor c, double alpha) {
    c.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

// A soft round glow with a white-hot middle.
void Glow(QPainter& p, QPointF at, double radius, const QColor& colour, double alpha) {
    if (alpha <= 0.01 || radius <= 0.1) return;
    QRadialGradient g(at, radius);
    g.setColorAt(0, WithAlpha(QColor(255, 255, 245), alpha));
    g.setColorAt(0.2, WithAlpha(colour.lighter(130), alpha));
    g.setColorAt(0.55, WithAlpha(colour, alpha * 0.7));
    g.setColorAt(1, WithAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, radius, radius);
}

// A four-pointed glint, as light catches a spark.
void Glint(QPainter& p, QPointF at, double length, const QColor& colour, double alpha) {
    if (alpha <= 0.01) return;
    for (int arm = 0; arm < 2; ++arm) {
        const QPointF d = arm == 0 ? QPointF(length, 0) : QPointF(0, length);
        QLinearGradient g(at - d, at + d);
        g.setColorAt(0, WithAlpha(colour, 0));
        g.setColorAt(0.5, WithAlpha(QColor(255, 255, 240), alpha));
        g.setColorAt(1, WithAlpha(colour, 0));
        p.setPen(QPen(QBrush(g), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at - d, at + d);
    }
}
} // namespace

QImage DrawTouchStrip(int frames) {
    constexpr int side = 100;
    const QColor gold[3] = {QColor(0xF5, 0xB8, 0x1C), QColor(0xFF, 0x9E, 0x1A), QColor(0xFF, 0xD2, 0x4D)};
    const QColor accents[4] = {QColor(0xF0, 0x2E, 0x4A), QColor(0x2E, 0x9B, 0xF5), QColor(0x2F, 0xC8, 0x5A),
                               QColor(0xA8, 0x4C, 0xF0)};
    struct Spark {
        double angle, reach, size;
        QColor colour;
        bool glints;
    };
    // A golden outer shell and a coloured inner one, each spark a little off its even place.
    std::vector<Spark> sparks;
    const int outer = 32, inner = 16;
    for (int i = 0; i < outer; ++i)
        sparks.push_back({2 * M_PI * (i + 0.4 * (Noise(i, 1) - 0.5)) / outer, 32 + 8 * Noise(i, 2),
                          1.3 + 0.6 * Noise(i, 3), gold[i % 3], i % 5 == 0});
    for (int i = 0; i < inner; ++i)
        sparks.push_back({2 * M_PI * (i + 0.5 + 0.4 * (Noise(i, 4) - 0.5)) / inner, 17 + 5 * Noise(i, 5),
                          1.1 + 0.4 * Noise(i, 6), accents[i % 4], false});

    // Where spark s is at time t: it flies out fast, slows down and sinks a little.
    const QPointF centre(side / 2.0, side / 2.0 - 3);
    auto place = [&](const Spark& s, double t) {
        const double u = std::min(1.0, t / 0.7);
        const double r = s.reach * (1 - std::pow(1 - u, 3)) + s.reach * 0.05 * std::max(0.0, t - 0.7);
        return centre + QPointF(r * std::cos(s.angle), r * std::sin(s.angle) + 10 * t * t * t);
    };

    QImage strip = Canvas({side * frames, side});
    for (int f = 0; f < frames; ++f) {
        QImage img = Canvas({side, side});
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const double t = double(f + 1) / frames;
        const double rise = std::min(1.0, t / 0.12);
        const double fade = t < 0.55 ? 1.0 : std::pow(1 - (t - 0.55) / 0.45, 1.3);

        // The flash of the burst.
        if (t < 0.2) {
            const double k = t / 0.2;
            Glow(p, centre, 4 + 9 * k, ink::Gold, 0.85 * (1 - k));
            Glint(p, centre, 5 + 12 * k, ink::GoldLight, 0.9 * (1 - k));
        }
        for (int i = 0; i < int(sparks.size()); ++i) {
            const Spark& s = sparks[i];
            // Late in the burst every spark twinkles on its own beat.
            const double flicker = t < 0.45 ? 1.0 : 0.25 + 0.75 * Noise(i, f, 7);
            const double alpha = rise * fade * flicker;
            const QPointF head = place(s, t);
            const QPointF tail = place(s, std::max(0.0, t - 0.22));
            // A streak: a faint wide halo and a thin bright core, both fading towards the tail.
            for (const auto& [width, strength] :
                 {std::pair{s.size * 1.8, 0.22}, std::pair{s.size * 0.55, 0.8}}) {
                QLinearGradient trail(tail, head);
                trail.setColorAt(0, WithAlpha(s.colour, 0));
                trail.setColorAt(1, WithAlpha(s.colour, strength * rise * fade));
                p.setPen(QPen(QBrush(trail), width, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(tail, head);
            }
            Glow(p, head, s.size * (0.95 + 0.55 * flicker), s.colour, alpha);
            if (s.glints && flicker > 0.7) Glint(p, head, 3 + 3 * flicker, s.colour, alpha);
            // Glitter shed along the way once the sparks slow down.
            if (t > 0.4)
                for (int g = 0; g < 3; ++g) {
                    const double back = 0.05 + 0.25 * Noise(i, g, 11);
                    const double shine = Noise(i, g * 97 + f, 13);
                    if (shine < 0.55) continue;
                    const QPointF at = place(s, std::max(0.0, t - back)) +
                                       QPointF(2 * Noise(i, g, f) - 1, 2 * Noise(g, i, f) - 1);
                    Glow(p, at, 0.8 + 0.8 * shine, gold[(i + g) % 3], fade * shine * 0.9);
                }
        }
        p.end();
        QPainter sp(&strip);
        sp.drawImage(f * side, 0, img);
    }
    return strip.convertToFormat(QImage::Format_ARGB32);
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
                        line[x] = static_cast<uchar>(transparent - 1); // a rare colour loses its slot
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
