// Table cloths, frames, plates, clocks and the other decorations around the table.
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

#include "tools/art/Art.h"

namespace tarvo::art {

QImage Blank(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage Done(const QImage& img) {
    return img.convertToFormat(QImage::Format_ARGB32);
}

namespace {

QFont Bold(int pixels, const QString& family = QStringLiteral("Liberation Serif")) {
    QFont f(family);
    f.setBold(true);
    f.setPixelSize(std::max(1, pixels));
    return f;
}

int Clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

// A cheap deterministic noise in 0..1 for textures.
double Hash(int x, int y, int seed) {
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

// A smooth value noise, for clouds, grain and silk.
double Smooth(double x, double y, int seed) {
    const int xi = int(std::floor(x)), yi = int(std::floor(y));
    const double fx = x - xi, fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed), c = Hash(xi, yi + 1, seed),
                 d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

void RoundedPanel(QPainter& p, const QRectF& r, double radius, const QColor& top, const QColor& bottom,
                  const QColor& edge, double edgeWidth) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(edgeWidth > 0 ? QPen(edge, edgeWidth) : QPen(Qt::NoPen));
    p.drawRoundedRect(r, radius, radius);
}

} // namespace

QColor ClothColour(int variant) {
    static const QColor colours[7] = {QColor(0x1F, 0x6B, 0x3A), QColor(0x8E, 0x1B, 0x22),
                                      QColor(0xB8, 0x5C, 0x12), QColor(0xB0, 0x92, 0x1C),
                                      QColor(0x2A, 0x7F, 0xB8), QColor(0x16, 0x2E, 0x6E),
                                      QColor(0x5A, 0x2A, 0x7E)};
    return colours[std::clamp(variant, 0, 6)];
}

QImage DrawCloth(int set, int variant, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    const QColor base = ClothColour(variant);
    const int w = size.width(), h = size.height();
    // Texture features are measured in design pixels, so both sizes of a set look alike.
    const double unit = h / 500.0;
    const double cx = w / 2.0, cy = h / 2.0, maxR = std::hypot(cx, cy);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double u = x / unit, v = y / unit;
            double k = 1.0; // brightness factor
            switch (set) {
            case 1: { // sun: rays from the middle
                const double a = std::atan2(y - cy, x - cx);
                k = 0.9 + 0.12 * std::cos(a * 24) * (1 - std::hypot(x - cx, y - cy) / maxR * 0.5);
                break;
            }
            case 2: // felt: fine fibres
                k = 0.93 + 0.09 * Hash(x, y, 2) + 0.05 * Smooth(u / 40, v / 40, 3);
                break;
            case 3: // gradient
                k = 0.7 + 0.45 * (1 - double(y) / h);
                break;
            case 4: // cloth: a woven texture
                k = 0.9 + 0.06 * std::sin(u * 1.6) * std::sin(v * 1.6) + 0.05 * Hash(x, y, 4);
                break;
            case 5: { // carpet: a diamond lattice
                const double d = std::fmod(std::abs(u - v) + 4000, 40.0), e = std::fmod(u + v + 4000, 40.0);
                k = (d < 3 || e < 3) ? 1.18 : 0.92 + 0.04 * Hash(x, y, 5);
                break;
            }
            case 6: // tree: grain
                k = 0.85 + 0.12 * std::sin(u / 9 + 6 * Smooth(u / 160, v / 14, 6)) + 0.04 * Hash(x, y, 6);
                break;
            case 7: { // casino: a lighter oval on darker baize
                const double e = std::hypot((x - cx) / (w * 0.45), (y - cy) / (h * 0.42));
                k = (e < 1 ? 1.0 : 0.78) * (0.95 + 0.06 * Hash(x, y, 7)) *
                    (std::abs(e - 1) < 0.008 ? 1.4 : 1);
                break;
            }
            case 8: { // pattern: small squares
                const int gx = int(u) / 25, gy = int(v) / 25;
                k = ((gx + gy) % 2 ? 0.93 : 1.02) + 0.04 * Hash(x, y, 8);
                break;
            }
            case 9: // silk: soft sheen
                k = 0.82 + 0.25 * Smooth(u / 90 + v / 300, v / 60, 9) + 0.03 * Hash(x, y, 9);
                break;
            default: { // ornament: rosettes on a grid
                const double du = std::fmod(u + 4000, 80.0) - 40, dv = std::fmod(v + 4000, 80.0) - 40;
                const double r = std::hypot(du, dv), a = std::atan2(dv, du);
                k = (r < 22 + 6 * std::cos(a * 8)) ? 1.15 : 0.93 + 0.04 * Hash(x, y, 10);
                break;
            }
            }
            // A soft light over the middle of every table.
            const double dist = std::hypot((x - cx) / w, (y - cy) / h);
            k *= 1.12 - 0.45 * dist * dist;
            line[x] = qRgb(Clamp255(base.red() * k), Clamp255(base.green() * k), Clamp255(base.blue() * k));
        }
    }
    return img;
}

QImage DrawTalonBase(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size.height() / 25.0;
    RoundedPanel(p, QRectF(1, 1, size.width() - 2, size.height() - 2), 6 * s, ink::GoldLight, ink::Gold,
                 ink::Gold.darker(160), 1.2 * s);
    p.setPen(QPen(QColor(255, 255, 255, 140), s));
    p.drawLine(QPointF(6 * s, 3 * s), QPointF(size.width() - 6 * s, 3 * s));
    return Done(img);
}

QImage DrawTalonSpot(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, size.width() - 4, size.height() - 4);
    QRadialGradient g(r.center(), r.width() / 2);
    g.setColorAt(0, QColor(255, 255, 255, 90));
    g.setColorAt(1, QColor(0, 0, 0, 60));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, size.width() / 30.0));
    p.drawEllipse(r);
    p.setPen(QPen(ink::GoldLight, size.width() / 60.0, Qt::DashLine));
    p.drawEllipse(
        r.adjusted(size.width() * 0.08, size.width() * 0.08, -size.width() * 0.08, -size.width() * 0.08));
    return Done(img);
}

QImage DrawPlateFrame(QSize size, const QColor& colour) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size.width() / 130.0;
    const QRectF r(1.5 * s, 1.5 * s, size.width() - 3 * s, size.height() - 3 * s);
    RoundedPanel(p, r, 10 * s, QColor(0xFF, 0xFB, 0xEE), QColor(0xE8, 0xDD, 0xC0), colour, 3 * s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::Gold, 1.2 * s));
    p.drawRoundedRect(r.adjusted(4 * s, 4 * s, -4 * s, -4 * s), 7 * s, 7 * s);
    return Done(img);
}

QImage DrawBubble(QSize size, const QColor& colour) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size.height() / 20.0;
    const QRectF r(0.5 * s, 0.5 * s, size.width() - s, size.height() - s);
    RoundedPanel(p, r, r.height() / 2, colour.lighter(135), colour.darker(120), colour.darker(170), 0.8 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(
        QRectF(r.left() + r.height() / 2, r.top() + s, r.width() - r.height(), r.height() * 0.35),
        r.height() * 0.17, r.height() * 0.17);
    return Done(img);
}

QImage DrawPointer(QSize size, int direction) {
    // Drawn pointing up, then turned.
    const bool across = direction >= 2;
    const QSize up = across ? size.transposed() : size;
    QImage img = Blank(up);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = up.width(), h = up.height();
    QPainterPath arrow;
    arrow.moveTo(w / 2, h * 0.04);
    arrow.lineTo(w * 0.95, h * 0.45);
    arrow.lineTo(w * 0.66, h * 0.45);
    arrow.lineTo(w * 0.66, h * 0.95);
    arrow.lineTo(w * 0.34, h * 0.95);
    arrow.lineTo(w * 0.34, h * 0.45);
    arrow.lineTo(w * 0.05, h * 0.45);
    arrow.closeSubpath();
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, ink::Red.lighter(130));
    g.setColorAt(1, ink::Red.darker(130));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold.darker(130), w / 20));
    p.drawPath(arrow);
    p.end();
    const int angle[4] = {0, 180, 270, 90};
    return img.transformed(QTransform().rotate(angle[direction])).convertToFormat(QImage::Format_ARGB32);
}

QImage DrawTimer(QSize size, const QColor& colour) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, size.width() - 4, size.height() - 4);
    QRadialGradient g(r.center() - QPointF(r.width() * 0.15, r.height() * 0.15), r.width() * 0.7);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(140));
    p.setBrush(g);
    p.setPen(QPen(ink::Black, size.width() / 25.0));
    p.drawEllipse(r);
    p.setPen(QPen(ink::Black, size.width() / 40.0));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6, c = r.width() / 2;
        const QPointF m = r.center();
        p.drawLine(QPointF(m.x() + std::cos(a) * c * 0.82, m.y() + std::sin(a) * c * 0.82),
                   QPointF(m.x() + std::cos(a) * c * 0.95, m.y() + std::sin(a) * c * 0.95));
    }
    return Done(img);
}

QImage DrawClockBack(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    RoundedPanel(p, QRectF(1, 1, size.width() - 2, size.height() - 2), 8, QColor(0x30, 0x34, 0x3C),
                 QColor(0x10, 0x12, 0x16), ink::Gold, 2);
    p.setBrush(QColor(0x05, 0x14, 0x0A));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawRoundedRect(QRectF(8, 10, size.width() - 16, size.height() - 20), 4, 4);
    return Done(img);
}

QImage DrawDigit(QChar c, QSize size, const QColor& colour, const QColor& glow) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height(), t = std::max(2.0, w * 0.18);
    // Seven segments: a, b, c, d, e, f, g.
    static const char* const on[10] = {"abcdef", "bc",     "abged", "abgcd",   "fgbc",
                                       "afgcd",  "afgedc", "abc",   "abcdefg", "abcdfg"};
    QString segs;
    if (c.isDigit())
        segs = QString::fromLatin1(on[c.digitValue()]);
    else if (c == 'M' || c == '-')
        segs = QStringLiteral("g");
    const double l = t * 0.6, r = w - t * 0.6, top = t * 0.6, mid = h / 2, bot = h - t * 0.6;
    auto seg = [&](QPointF a, QPointF b) {
        p.setPen(QPen(colour, t, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    };
    // Unlit segments glow faintly, like a real display.
    p.setOpacity(0.12);
    for (int pass = 0; pass < 2; ++pass) {
        for (QChar s : QStringLiteral("abcdefg")) {
            if (pass == 1 && !segs.contains(s)) continue;
            if (pass == 1) p.setOpacity(1.0);
            switch (s.toLatin1()) {
            case 'a':
                seg({l + t * 0.4, top}, {r - t * 0.4, top});
                break;
            case 'b':
                seg({r, top + t * 0.4}, {r, mid - t * 0.4});
                break;
            case 'c':
                seg({r, mid + t * 0.4}, {r, bot - t * 0.4});
                break;
            case 'd':
                seg({l + t * 0.4, bot}, {r - t * 0.4, bot});
                break;
            case 'e':
                seg({l, mid + t * 0.4}, {l, bot - t * 0.4});
                break;
            case 'f':
                seg({l, top + t * 0.4}, {l, mid - t * 0.4});
                break;
            default:
                seg({l + t * 0.4, mid}, {r - t * 0.4, mid});
                break;
            }
        }
    }
    if (c == 'P' || c == ':') {
        p.setOpacity(1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        if (c == ':') {
            p.drawEllipse(QPointF(w / 2, h * 0.3), t * 0.6, t * 0.6);
            p.drawEllipse(QPointF(w / 2, h * 0.7), t * 0.6, t * 0.6);
        } else {
            p.drawEllipse(QPointF(w / 2, bot), t * 0.6, t * 0.6);
        }
    }
    (void)glow;
    return Done(img);
}

QImage DrawTitle(QSize size, const QString& text, const QString& subtitle) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QPainterPath title;
    title.addText(0, 0, Bold(100), text);
    const QRectF box(w * 0.05, h * 0.08, w * 0.9, h * 0.58);
    const QRectF r = title.boundingRect();
    const double k = std::min(box.width() / r.width(), box.height() / r.height());
    title = QTransform()
                .translate(box.center().x(), box.center().y())
                .scale(k, k)
                .translate(-r.center().x(), -r.center().y())
                .map(title);
    p.setPen(QPen(QColor(0, 0, 0, 120), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(title.translated(3, 4));
    QLinearGradient g(0, box.top(), 0, box.bottom());
    g.setColorAt(0, ink::GoldLight);
    g.setColorAt(0.5, ink::Gold);
    g.setColorAt(1, ink::Gold.darker(150));
    p.setPen(QPen(ink::Red.darker(150), 3));
    p.setBrush(g);
    p.drawPath(title);
    // The four suits under the name.
    const double pip = h * 0.16;
    for (int s = 0; s < 4; ++s)
        DrawSuit(p, s, QRectF(w / 2 + (s - 2) * pip * 1.5 + pip * 0.25, h * 0.72, pip, pip),
                 s < 2 ? ink::Red : ink::Black);
    if (!subtitle.isEmpty()) {
        p.setPen(ink::GoldLight);
        p.setFont(Bold(int(h * 0.1), QStringLiteral("Liberation Sans")));
        p.drawText(QRectF(0, h * 0.88, w, h * 0.12), Qt::AlignCenter, subtitle);
    }
    return Done(img);
}

QImage DrawCaption(QSize size, const QString& text, const QColor& colour) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath t;
    QFont f = Bold(100, QStringLiteral("Noto Sans CJK SC"));
    t.addText(0, 0, f, text);
    const QRectF box(size.width() * 0.04, size.height() * 0.12, size.width() * 0.92, size.height() * 0.76);
    const QRectF r = t.boundingRect();
    const double k = std::min(box.width() / r.width(), box.height() / r.height());
    t = QTransform()
            .translate(box.center().x(), box.center().y())
            .scale(k, k)
            .translate(-r.center().x(), -r.center().y())
            .map(t);
    p.setPen(QPen(QColor(0, 0, 0, 160), std::max(2.0, size.height() / 14.0), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(t);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, box.top(), 0, box.bottom());
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawPath(t);
    return Done(img);
}

QImage DrawMedal(int size, int place) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor metals[3] = {QColor(0xE8, 0xC0, 0x3A), QColor(0xC8, 0xCC, 0xD4),
                                     QColor(0xC0, 0x7A, 0x3A)};
    const QColor metal = metals[std::clamp(place, 1, 3) - 1];
    // Ribbon, then the disc.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Red);
    p.drawPolygon(
        QPolygonF({QPointF(size * 0.3, 0), QPointF(size * 0.5, size * 0.45), QPointF(size * 0.7, 0)}));
    QRadialGradient g(QPointF(size * 0.42, size * 0.55), size * 0.4);
    g.setColorAt(0, metal.lighter(140));
    g.setColorAt(1, metal.darker(130));
    p.setBrush(g);
    p.setPen(QPen(metal.darker(170), size / 20.0));
    p.drawEllipse(QPointF(size * 0.5, size * 0.64), size * 0.33, size * 0.33);
    p.setPen(metal.darker(200));
    p.setFont(Bold(int(size * 0.38), QStringLiteral("Liberation Sans")));
    p.drawText(QRectF(0, size * 0.31, size, size * 0.66), Qt::AlignCenter, QString::number(place));
    return Done(img);
}

QImage DrawButtonPiece(int height, int piece, bool alternative) {
    const int capW = height / 2;
    const QSize size(piece == 2 ? 8 : capW, height);
    // The whole button is drawn once, then cut into its caps and the middle.
    const int fullW = capW * 2 + 8;
    QImage full = Blank(QSize(fullW, height));
    QPainter p(&full);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = alternative ? QColor(0x5A, 0x2A, 0x7E) : ink::Red;
    RoundedPanel(p, QRectF(0.5, 0.5, fullW - 1, height - 1), height * 0.45, body.lighter(140),
                 body.darker(130), ink::Gold.darker(120), std::max(1.0, height / 22.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(height * 0.2, height * 0.1, fullW - height * 0.4, height * 0.35), height * 0.17,
                      height * 0.17);
    p.end();
    const int x = piece == 0 ? 0 : piece == 1 ? capW + 8 : capW;
    return full.copy(x, 0, size.width(), height).convertToFormat(QImage::Format_ARGB32);
}

QImage DrawShelf(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = size.height();
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xB0, 0x7A, 0x45));
    g.setColorAt(1, QColor(0x5E, 0x3A, 0x1C));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x3A, 0x22, 0x10), 1.5));
    p.drawRoundedRect(QRectF(1, h * 0.55, size.width() - 2, h * 0.4), 4, 4);
    p.drawRect(QRectF(size.width() * 0.08, h * 0.9, 10, h * 0.1));
    p.drawRect(QRectF(size.width() * 0.92 - 10, h * 0.9, 10, h * 0.1));
    return Done(img);
}

QImage DrawRoundIcon(int size, const QString& glyph, const QColor& colour) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(size * 0.4, size * 0.35), size * 0.6);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(130));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, size / 20.0));
    p.drawEllipse(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9));
    p.setPen(Qt::white);
    p.setFont(Bold(int(size * (glyph.size() > 2 ? 0.26 : 0.42)), QStringLiteral("Liberation Sans")));
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
    return Done(img);
}

QImage DrawScroll(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, QColor(0xE8, 0xD6, 0xA8));
    g.setColorAt(0.5, QColor(0xF8, 0xEE, 0xD0));
    g.setColorAt(1, QColor(0xE0, 0xCC, 0x98));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x3A), 2));
    p.drawRect(QRectF(w * 0.06, h * 0.05, w * 0.88, h * 0.9));
    for (double y : {h * 0.03, h * 0.93}) {
        QLinearGradient rod(0, y, 0, y + h * 0.05);
        rod.setColorAt(0, QColor(0xC8, 0x9A, 0x5A));
        rod.setColorAt(1, QColor(0x6A, 0x42, 0x1C));
        p.setBrush(rod);
        p.drawRoundedRect(QRectF(w * 0.02, y, w * 0.96, h * 0.045), h * 0.02, h * 0.02);
    }
    return Done(img);
}

QImage DrawRibbon(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QPainterPath r;
    r.moveTo(0, h * 0.2);
    r.lineTo(w, h * 0.2);
    r.lineTo(w - h * 0.25, h * 0.5);
    r.lineTo(w, h * 0.8);
    r.lineTo(0, h * 0.8);
    r.lineTo(h * 0.25, h * 0.5);
    r.closeSubpath();
    QLinearGradient g(0, h * 0.2, 0, h * 0.8);
    g.setColorAt(0, ink::Red.lighter(130));
    g.setColorAt(1, ink::Red.darker(140));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, 2));
    p.drawPath(r);
    return Done(img);
}

QImage DrawNoticeBar(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xFF, 0xF8, 0xE0));
    g.setColorAt(1, QColor(0xE8, 0xD8, 0xA8));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, 2));
    p.drawRoundedRect(r, size.height() * 0.3, size.height() * 0.3);
    return Done(img);
}

QImage DrawCursorFrames(int kind, int frames) {
    QImage strip = Blank(QSize(32 * frames, 32));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < frames; ++f) {
        p.save();
        p.translate(32 * f, 0);
        const double phase = double(f) / frames;
        if (kind == 0) {
            // A pointing arrow whose tip (hot spot 1, 1) carries a small card that tilts.
            QPolygonF arrow({QPointF(1, 1), QPointF(1, 22), QPointF(6, 17), QPointF(10, 26), QPointF(13, 25),
                             QPointF(9, 16), QPointF(16, 16)});
            p.setBrush(ink::Red);
            p.setPen(QPen(Qt::white, 1.2));
            p.drawPolygon(arrow);
            p.translate(22, 20);
            p.rotate(-15 + 30 * std::sin(phase * 2 * M_PI));
            p.setBrush(ink::Paper);
            p.setPen(QPen(ink::Black, 1));
            p.drawRoundedRect(QRectF(-5, -7, 10, 14), 2, 2);
            DrawSuit(p, 0, QRectF(-3, -3, 6, 6), ink::Red);
        } else if (kind == 1) {
            // Four suits circling the hot spot in the middle.
            for (int s = 0; s < 4; ++s) {
                const double a = (phase + s / 4.0) * 2 * M_PI;
                DrawSuit(p, s, QRectF(16 + std::cos(a) * 9 - 5, 16 + std::sin(a) * 9 - 5, 10, 10),
                         s < 2 ? ink::Red : ink::Black);
            }
        } else {
            // A text beam (hot spot 16, 16) with a blinking tick.
            p.setPen(QPen(Qt::white, 4));
            p.drawLine(QPointF(16, 5), QPointF(16, 27));
            p.setPen(QPen(ink::Black, 2));
            p.drawLine(QPointF(16, 5), QPointF(16, 27));
            p.drawLine(QPointF(12, 5), QPointF(20, 5));
            p.drawLine(QPointF(12, 27), QPointF(20, 27));
            if (f % 2 == 0) p.fillRect(QRectF(19, 14, 4, 4), ink::Red);
        }
        p.restore();
    }
    return Done(strip);
}

QPainterPath StarPath(const QPointF& centre, double outer, double inner, int points, double turn) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn - M_PI / 2 + i * M_PI / points;
        const double r = i % 2 ? inner : outer;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

} // namespace tarvo::art
