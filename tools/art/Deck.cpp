// Card faces, backs and suit icons.
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "tools/art/Art.h"

namespace tarvo::art {

namespace {

QPainterPath Unite(const std::vector<QPainterPath>& parts) {
    QPainterPath out;
    for (const auto& p : parts) out = out.united(p);
    return out.simplified();
}

QPainterPath Stem() {
    QPainterPath s;
    s.moveTo(0.47, 0.70);
    s.cubicTo(0.46, 0.86, 0.38, 0.95, 0.26, 1.0);
    s.lineTo(0.74, 1.0);
    s.cubicTo(0.62, 0.95, 0.54, 0.86, 0.53, 0.70);
    s.closeSubpath();
    return s;
}

QPainterPath BuildSuit(int suit) {
    QPainterPath p;
    switch (suit) {
    case 0: // heart
        p.moveTo(0.5, 0.98);
        p.cubicTo(0.36, 0.80, 0.0, 0.58, 0.0, 0.30);
        p.cubicTo(0.0, 0.10, 0.14, 0.0, 0.28, 0.0);
        p.cubicTo(0.40, 0.0, 0.47, 0.08, 0.5, 0.18);
        p.cubicTo(0.53, 0.08, 0.60, 0.0, 0.72, 0.0);
        p.cubicTo(0.86, 0.0, 1.0, 0.10, 1.0, 0.30);
        p.cubicTo(1.0, 0.58, 0.64, 0.80, 0.5, 0.98);
        p.closeSubpath();
        return p;
    case 1: // diamond, sides slightly drawn in
        p.moveTo(0.5, 0.0);
        p.quadTo(0.66, 0.27, 0.86, 0.5);
        p.quadTo(0.66, 0.73, 0.5, 1.0);
        p.quadTo(0.34, 0.73, 0.14, 0.5);
        p.quadTo(0.34, 0.27, 0.5, 0.0);
        p.closeSubpath();
        return p;
    case 2: { // club: three leaves and a stem
        QPainterPath a, b, c, m;
        a.addEllipse(QPointF(0.5, 0.25), 0.225, 0.225);
        b.addEllipse(QPointF(0.245, 0.58), 0.225, 0.225);
        c.addEllipse(QPointF(0.755, 0.58), 0.225, 0.225);
        m.addEllipse(QPointF(0.5, 0.52), 0.13, 0.13);
        return Unite({a, b, c, m, Stem()});
    }
    default: { // spade: a turned heart on a stem
        p.moveTo(0.5, 0.0);
        p.cubicTo(0.62, 0.18, 1.0, 0.38, 1.0, 0.62);
        p.cubicTo(1.0, 0.80, 0.86, 0.88, 0.73, 0.88);
        p.cubicTo(0.62, 0.88, 0.54, 0.82, 0.5, 0.72);
        p.cubicTo(0.46, 0.82, 0.38, 0.88, 0.27, 0.88);
        p.cubicTo(0.14, 0.88, 0.0, 0.80, 0.0, 0.62);
        p.cubicTo(0.0, 0.38, 0.38, 0.18, 0.5, 0.0);
        p.closeSubpath();
        return Unite({p, Stem()});
    }
    }
}

// Letters of the courts and the ace, by rank 5..8 (jack, queen, king, ace).
QString RankLabel(int rank, const DeckStyle& style) {
    static const char* const latin[9] = {"6", "7", "8", "9", "10", "J", "Q", "K", "A"};
    static const char16_t* const cyrillic[4] = {u"\u0412", u"\u0414", u"\u041A", u"\u0422"};
    if (rank >= 5 && style.russianLetters) return QString::fromUtf16(cyrillic[rank - 5]);
    return QString::fromLatin1(latin[rank]);
}

// Text drawn as a path so that it can be squeezed, outlined and placed to the pixel.
QPainterPath TextPath(const QString& text, const QFont& font) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Fits a path into a box: scaled to the box height, squeezed when it would be too wide, centred.
QPainterPath FitPath(const QPainterPath& path, const QRectF& box) {
    const QRectF r = path.boundingRect();
    if (r.isEmpty()) return path;
    double sy = box.height() / r.height();
    double sx = sy;
    if (r.width() * sx > box.width()) sx = box.width() / r.width();
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(path);
}

struct PipSpot {
    double col, row; // 0..1 across the pip area
};

std::vector<PipSpot> PipLayout(int count) {
    const std::vector<PipSpot> sides6 = {{0, 0}, {0, 0.5}, {0, 1}, {1, 0}, {1, 0.5}, {1, 1}};
    const std::vector<PipSpot> sides8 = {{0, 0}, {0, 1.0 / 3}, {0, 2.0 / 3}, {0, 1},
                                         {1, 0}, {1, 1.0 / 3}, {1, 2.0 / 3}, {1, 1}};
    std::vector<PipSpot> out;
    switch (count) {
    case 6:
        return sides6;
    case 7:
        out = sides6;
        out.push_back({0.5, 0.25});
        return out;
    case 8:
        out = sides6;
        out.push_back({0.5, 0.25});
        out.push_back({0.5, 0.75});
        return out;
    case 9:
        out = sides8;
        out.push_back({0.5, 0.5});
        return out;
    default:
        out = sides8;
        out.push_back({0.5, 1.0 / 6});
        out.push_back({0.5, 5.0 / 6});
        return out;
    }
}

void DrawIndex(QPainter& p, int rank, int suit, const QSizeF& size, const DeckStyle& style) {
    const double w = size.width(), h = size.height();
    const bool small = h < 120;
    QFont f(style.indexFont);
    f.setBold(true);
    f.setPixelSize(100);
    const QPainterPath label = TextPath(RankLabel(rank, style), f);
    // The index column: rank letter over a small suit, both crisp on whole pixels at small size.
    const double colW = small ? 13 : w * 0.15;
    const double x0 = small ? 2 : w * 0.035;
    const double textH = small ? 11 : h * 0.085;
    const double y0 = small ? 3 : h * 0.035;
    QRectF textBox(x0, y0, colW, textH);
    QPainterPath fitted = FitPath(label, textBox);
    p.setPen(Qt::NoPen);
    p.setBrush(style.suitColour[suit]);
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(w, h);
            p.rotate(180);
        }
        p.drawPath(fitted);
        const double pip = small ? 9 : w * 0.105;
        DrawSuit(p, suit, QRectF(x0 + (colW - pip) / 2, y0 + textH + (small ? 2 : h * 0.014), pip, pip),
                 style.suitColour[suit]);
        p.restore();
    }
}

void DrawPips(QPainter& p, int count, int suit, const QSizeF& size, const DeckStyle& style) {
    const double w = size.width(), h = size.height();
    const bool small = h < 120;
    // At the small size the columns keep a clear gap to the index column (x 2..15).
    const double pip = small ? (count >= 9 ? 10.5 : 11.5) : w * 0.17;
    const QRectF area(small ? 25 : w * 0.3, h * (small ? 0.14 : 0.13), small ? w - 50 : w * 0.4,
                      h * (small ? 0.72 : 0.74));
    for (const PipSpot& s : PipLayout(count)) {
        const QPointF c(area.left() + s.col * area.width(), area.top() + s.row * area.height());
        QRectF box(c.x() - pip / 2, c.y() - pip / 2, pip, pip);
        DrawSuit(p, suit, box, style.suitColour[suit], s.row > 0.5);
    }
}

void DrawAce(QPainter& p, int suit, const QSizeF& size, const DeckStyle& style) {
    const double w = size.width(), h = size.height();
    const double big = w * (suit == 3 && style.ornateAce ? 0.50 : 0.42);
    const QPointF c(w / 2, h / 2);
    if (style.ornateAce) {
        // A gold ring behind the pip, and for the ace of spades a second, finer one.
        p.setBrush(Qt::NoBrush);
        QPen ring(style.trim, std::max(1.0, w * 0.012));
        p.setPen(ring);
        const double r = big * 0.78;
        p.drawEllipse(c, r, r);
        if (suit == 3) {
            ring.setWidthF(std::max(0.8, w * 0.006));
            p.setPen(ring);
            p.drawEllipse(c, r + w * 0.03, r + w * 0.03);
            // Rays between the rings.
            for (int i = 0; i < 24; ++i) {
                const double a = i * M_PI / 12;
                p.drawLine(
                    QPointF(c.x() + std::cos(a) * r, c.y() + std::sin(a) * r),
                    QPointF(c.x() + std::cos(a) * (r + w * 0.03), c.y() + std::sin(a) * (r + w * 0.03)));
            }
        }
    }
    QRectF box(c.x() - big / 2, c.y() - big / 2, big, big);
    DrawSuit(p, suit, box, style.suitColour[suit]);
    if (style.ornateAce && suit == 3) {
        // A gold vein down the middle of the large spade.
        QPainterPath vein;
        vein.moveTo(c.x(), box.top() + big * 0.2);
        vein.lineTo(c.x(), box.top() + big * 0.7);
        p.setPen(QPen(style.trim, std::max(1.0, w * 0.012), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(vein);
        p.setBrush(style.trim);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(c.x(), box.top() + big * 0.5), big * 0.06, big * 0.06);
    }
}

// Headgear above the court letter: 5 jack's cap, 6 queen's tiara, 7 king's crown.
void DrawHeadgear(QPainter& p, int rank, const QRectF& box, const QColor& gold, const QColor& jewel) {
    QPainterPath g;
    const double l = box.left(), r = box.right(), t = box.top(), b = box.bottom(), w = box.width();
    if (rank == 7) {
        g.moveTo(l, b);
        g.lineTo(l, t + box.height() * 0.35);
        g.lineTo(l + w * 0.25, t + box.height() * 0.65);
        g.lineTo(l + w * 0.5, t);
        g.lineTo(l + w * 0.75, t + box.height() * 0.65);
        g.lineTo(r, t + box.height() * 0.35);
        g.lineTo(r, b);
        g.closeSubpath();
    } else if (rank == 6) {
        g.moveTo(l, b);
        g.cubicTo(l, t + box.height() * 0.3, l + w * 0.3, t, l + w * 0.5, t);
        g.cubicTo(l + w * 0.7, t, r, t + box.height() * 0.3, r, b);
        g.closeSubpath();
    } else {
        // A beret with a feather.
        g.moveTo(l, b);
        g.cubicTo(l, t + box.height() * 0.4, r, t + box.height() * 0.2, r, b);
        g.closeSubpath();
        QPainterPath feather;
        feather.moveTo(l + w * 0.6, t + box.height() * 0.55);
        feather.cubicTo(l + w * 0.8, t - box.height() * 0.1, r + w * 0.1, t - box.height() * 0.2, r, t);
        feather.cubicTo(r - w * 0.05, t + box.height() * 0.3, l + w * 0.8, t + box.height() * 0.45,
                        l + w * 0.66, t + box.height() * 0.6);
        feather.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(jewel.lighter(130));
        p.drawPath(feather);
    }
    p.setPen(QPen(gold.darker(150), std::max(0.6, w * 0.03)));
    p.setBrush(gold);
    p.drawPath(g);
    p.setPen(Qt::NoPen);
    p.setBrush(jewel);
    const double d = std::max(1.2, w * 0.08);
    if (rank == 7) {
        for (double fx : {0.0, 0.5, 1.0})
            p.drawEllipse(QPointF(l + w * fx, t + (fx == 0.5 ? 0 : box.height() * 0.35)), d, d);
        p.drawEllipse(QPointF(l + w * 0.5, b - box.height() * 0.25), d * 0.9, d * 0.9);
    } else if (rank == 6) {
        for (int i = 1; i <= 3; ++i)
            p.drawEllipse(QPointF(l + w * i / 4.0, b - box.height() * 0.3), d * 0.7, d * 0.7);
    }
}

// One half of a court card: a figure in flat colours (head, headgear, hair or beard, robe) with the
// rank letter and the suit in the corner. The lower half is the same turned round.
void DrawCourtHalf(QPainter& p, int rank, int suit, const QRectF& half, const DeckStyle& style, bool corner) {
    const double W = half.width(), H = half.height(), cx = half.center().x(), top = half.top();
    const QColor robe = style.robe[suit];
    const QColor ink = style.suitColour[suit];
    const QColor skin(0xF3, 0xD2, 0xB3), line(0x4A, 0x30, 0x22);
    const QColor hair = rank == 6   ? QColor(0xC8, 0x8A, 0x2A)
                        : rank == 5 ? QColor(0x6A, 0x3E, 0x1E)
                                    : QColor(0x8A, 0x8A, 0x90);
    const double pen = std::max(0.6, W * 0.012);
    const QPointF head(cx + (corner ? W * 0.06 : 0), top + H * 0.43);
    const double rx = W * 0.16, ry = H * 0.18;
    p.setPen(Qt::NoPen);
    if (rank == 6) {
        // The queen's hair falls to her shoulders behind the head.
        p.setBrush(hair);
        QPainterPath locks;
        locks.addRoundedRect(QRectF(head.x() - rx * 1.35, head.y() - ry * 1.05, rx * 2.7, ry * 2.5), rx * 0.9,
                             rx * 0.9);
        p.drawPath(locks);
    }
    // The robe rises from the middle line to a collar under the chin.
    if (style.courtFigures) {
        QPainterPath robePath;
        const double base = half.bottom() + 1;
        robePath.moveTo(half.left() - 1, base);
        robePath.lineTo(half.left() - 1, base - H * 0.16);
        robePath.cubicTo(half.left() + W * 0.15, top + H * 0.66, head.x() - W * 0.25, top + H * 0.63,
                         head.x(), top + H * 0.63);
        robePath.cubicTo(head.x() + W * 0.25, top + H * 0.63, half.right() - W * 0.1, top + H * 0.66,
                         half.right() + 1, base - H * 0.16);
        robePath.lineTo(half.right() + 1, base);
        robePath.closeSubpath();
        QLinearGradient g(half.left(), 0, half.right(), 0);
        g.setColorAt(0, robe.darker(130));
        g.setColorAt(0.55, robe.lighter(118));
        g.setColorAt(1, robe.darker(130));
        p.setBrush(g);
        p.setPen(QPen(robe.darker(170), pen));
        p.drawPath(robePath);
        // A sash of trim across the chest and a row of buttons.
        p.setPen(QPen(style.trim, std::max(1.0, W * 0.045)));
        p.drawLine(QPointF(head.x() - W * 0.34, top + H * 0.74), QPointF(head.x() + W * 0.28, half.bottom()));
        p.setPen(Qt::NoPen);
        p.setBrush(style.trim);
        for (int i = 0; i < 2; ++i)
            p.drawEllipse(QPointF(head.x() + W * 0.2, top + H * (0.74 + 0.11 * i)), W * 0.025, W * 0.025);
        // Ruff collar.
        p.setBrush(QColor(0xFA, 0xF6, 0xEA));
        p.setPen(QPen(line, pen * 0.8));
        p.drawEllipse(QPointF(head.x(), top + H * 0.635), rx * 1.15, H * 0.055);
    }
    // Head.
    p.setPen(QPen(line, pen));
    p.setBrush(skin);
    p.drawEllipse(head, rx, ry);
    if (rank == 7) {
        // The king's beard and moustache.
        QPainterPath beard;
        beard.moveTo(head.x() - rx * 0.95, head.y() + ry * 0.05);
        beard.cubicTo(head.x() - rx * 0.9, head.y() + ry * 1.3, head.x() + rx * 0.9, head.y() + ry * 1.3,
                      head.x() + rx * 0.95, head.y() + ry * 0.05);
        beard.cubicTo(head.x() + rx * 0.5, head.y() + ry * 0.55, head.x() - rx * 0.5, head.y() + ry * 0.55,
                      head.x() - rx * 0.95, head.y() + ry * 0.05);
        p.setBrush(hair);
        p.drawPath(beard);
    } else if (rank == 5) {
        // The jack's short hair.
        p.setBrush(hair);
        p.setPen(Qt::NoPen);
        p.drawChord(QRectF(head.x() - rx, head.y() - ry, rx * 2, ry * 1.3), 0, 180 * 16);
    }
    // Eyes, nose and mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(line);
    const double eye = std::max(0.7, W * 0.022);
    p.drawEllipse(QPointF(head.x() - rx * 0.4, head.y() - ry * 0.12), eye, eye * 1.2);
    p.drawEllipse(QPointF(head.x() + rx * 0.4, head.y() - ry * 0.12), eye, eye * 1.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, pen * 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(head.x(), head.y() - ry * 0.02), QPointF(head.x() - rx * 0.12, head.y() + ry * 0.22));
    p.setPen(QPen(rank == 6 ? QColor(0xC0, 0x30, 0x40) : line, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(head.x() - rx * 0.3, head.y() + ry * 0.18, rx * 0.6, ry * 0.35), 200 * 16, 140 * 16);
    // Headgear sits on the head.
    const double capW = rx * (rank == 5 ? 2.5 : 2.1);
    DrawHeadgear(
        p, rank,
        QRectF(head.x() - capW / 2 + (rank == 5 ? rx * 0.2 : 0), head.y() - ry * 1.55, capW, ry * 0.8),
        style.trim, rank == 5 ? robe : ink);
    // The rank letter and the suit in the free corner; the small cards have no room for them.
    if (!corner) return;
    QFont f(style.courtFont);
    f.setBold(true);
    f.setPixelSize(100);
    const QRectF letterBox(half.left() + W * 0.05, top + H * 0.05, W * 0.24, H * 0.24);
    const QPainterPath letter = FitPath(TextPath(RankLabel(rank, style), f), letterBox);
    p.setPen(QPen(style.trim.darker(120), std::max(0.5, W * 0.01)));
    p.setBrush(ink);
    p.drawPath(letter);
    const double pip = W * 0.2;
    DrawSuit(p, suit, QRectF(letterBox.center().x() - pip / 2, letterBox.bottom() + H * 0.04, pip, pip), ink);
}

void DrawCourt(QPainter& p, int rank, int suit, const QSizeF& size, const DeckStyle& style) {
    const double w = size.width(), h = size.height();
    const bool small = h < 120;
    // The panel of the court, inside the indices.
    const QRectF panel(small ? 15.5 : w * 0.2, small ? 4.5 : h * 0.06, small ? w - 31 : w * 0.6,
                       small ? h - 9 : h * 0.88);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(panel, w * 0.03, w * 0.03);
    p.setClipPath(clip);
    p.fillRect(panel, style.courtTint);
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(panel.center());
            p.rotate(180);
            p.translate(-panel.center());
        }
        DrawCourtHalf(p, rank, suit, QRectF(panel.left(), panel.top(), panel.width(), panel.height() / 2),
                      style, !small);
        p.restore();
    }
    // The middle line and the panel's frame.
    p.setPen(QPen(style.trim.darker(115), std::max(0.8, w * 0.01)));
    p.drawLine(QPointF(panel.left(), panel.center().y()), QPointF(panel.right(), panel.center().y()));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.trim.darker(120), std::max(1.0, w * 0.012)));
    p.drawRoundedRect(panel, w * 0.03, w * 0.03);
    if (!small) {
        p.setPen(QPen(style.suitColour[suit], 0.8));
        p.drawRoundedRect(panel.adjusted(-w * 0.015, -w * 0.015, w * 0.015, w * 0.015), w * 0.04, w * 0.04);
    }
}

} // namespace

QPainterPath SuitPath(int suit) {
    static const QPainterPath paths[4] = {BuildSuit(0), BuildSuit(1), BuildSuit(2), BuildSuit(3)};
    return paths[suit & 3];
}

void DrawSuit(QPainter& p, int suit, const QRectF& box, const QColor& fill, bool flipped) {
    QTransform t;
    if (flipped) {
        t.translate(box.right(), box.bottom());
        t.scale(-box.width(), -box.height());
    } else {
        t.translate(box.left(), box.top());
        t.scale(box.width(), box.height());
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(t.map(SuitPath(suit)));
    p.restore();
}

QImage DrawFace(int card, QSize size, const DeckStyle& style, bool bordered) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(style.paper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int rank = (card - 1) / 4, suit = (card - 1) % 4;
    const QSizeF s(size);
    if (rank <= 4)
        DrawPips(p, rank + 6, suit, s, style);
    else if (rank <= 7)
        DrawCourt(p, rank, suit, s, style);
    else
        DrawAce(p, suit, s, style);
    DrawIndex(p, rank, suit, s, style);
    if (bordered) {
        // The edge follows the rounded corners the table cuts off.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink::Edge, 1.5));
        p.drawRoundedRect(QRectF(0.75, 0.75, size.width() - 1.5, size.height() - 1.5), 8, 8);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QColor BackColour(int back) {
    static const QColor days[10] = {QColor(0x1F, 0x3A, 0x7A), QColor(0xA3, 0x16, 0x2B),
                                    QColor(0x1E, 0x6B, 0x3A), QColor(0x5B, 0x2A, 0x86),
                                    QColor(0x0F, 0x6E, 0x78), QColor(0xA0, 0x52, 0x1C),
                                    QColor(0x6B, 0x1F, 0x2F), QColor(0x2F, 0x4F, 0x4F),
                                    QColor(0x8B, 0x6B, 0x16), QColor(0x33, 0x33, 0x5C)};
    return days[(back - 1) % 10];
}

namespace {

void FillPattern(QPainter& p, const QRectF& r, BackPattern pattern, const QColor& c, double unit) {
    const QColor light = c.lighter(150), dark = c.darker(140);
    p.fillRect(r, c);
    p.setBrush(Qt::NoBrush);
    switch (pattern) {
    case BackPattern::Lattice: {
        p.setPen(QPen(light, unit * 0.12));
        for (double d = -r.height(); d < r.width() + r.height(); d += unit) {
            p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d - r.height(), r.bottom()));
            p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + r.height(), r.bottom()));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        for (double y = r.top(); y <= r.bottom() + unit; y += unit)
            for (double x = r.left(); x <= r.right() + unit; x += unit)
                p.drawEllipse(
                    QPointF(x + unit / 2, y + ((int((x - r.left()) / unit)) % 2 ? 0 : 0) + unit / 2),
                    unit * 0.1, unit * 0.1);
        break;
    }
    case BackPattern::Rhombi: {
        const QPointF c0 = r.center();
        for (int i = 20; i >= 1; --i) {
            const double k = i * unit * 0.6;
            QPolygonF poly({QPointF(c0.x(), c0.y() - k * 1.35), QPointF(c0.x() + k, c0.y()),
                            QPointF(c0.x(), c0.y() + k * 1.35), QPointF(c0.x() - k, c0.y())});
            p.setPen(Qt::NoPen);
            p.setBrush(i % 2 ? light : c);
            p.drawPolygon(poly);
        }
        break;
    }
    case BackPattern::Carpet: {
        for (double y = r.top(); y < r.bottom(); y += unit)
            for (double x = r.left(); x < r.right(); x += unit) {
                const bool odd = int((x - r.left()) / unit + (y - r.top()) / unit) % 2;
                p.setPen(Qt::NoPen);
                p.setBrush(odd ? dark : c);
                p.drawRect(QRectF(x, y, unit, unit));
                p.setBrush(ink::Gold);
                QPolygonF star(
                    {QPointF(x + unit / 2, y + unit * 0.15), QPointF(x + unit * 0.85, y + unit / 2),
                     QPointF(x + unit / 2, y + unit * 0.85), QPointF(x + unit * 0.15, y + unit / 2)});
                p.drawPolygon(star);
                p.setBrush(odd ? c : dark);
                p.drawEllipse(QPointF(x + unit / 2, y + unit / 2), unit * 0.12, unit * 0.12);
            }
        break;
    }
    case BackPattern::Cross: {
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        for (double y = r.top(); y < r.bottom() + unit; y += unit * 1.2)
            for (double x = r.left(); x < r.right() + unit; x += unit * 1.2) {
                p.drawRect(QRectF(x - unit * 0.12, y - unit * 0.4, unit * 0.24, unit * 0.8));
                p.drawRect(QRectF(x - unit * 0.4, y - unit * 0.12, unit * 0.8, unit * 0.24));
            }
        break;
    }
    case BackPattern::Chess: {
        p.setPen(Qt::NoPen);
        for (double y = r.top(); y < r.bottom(); y += unit)
            for (double x = r.left(); x < r.right(); x += unit)
                if (int((x - r.left()) / unit + (y - r.top()) / unit) % 2)
                    p.fillRect(QRectF(x, y, unit, unit), light);
        break;
    }
    case BackPattern::Diamond: {
        p.setPen(QPen(light, unit * 0.08));
        for (double y = r.top(); y < r.bottom() + unit; y += unit)
            for (double x = r.left(); x < r.right() + unit; x += unit * 0.8) {
                QPolygonF d({QPointF(x, y - unit * 0.45), QPointF(x + unit * 0.35, y),
                             QPointF(x, y + unit * 0.45), QPointF(x - unit * 0.35, y)});
                p.setBrush(int(x / unit) % 2 ? dark : Qt::NoBrush);
                p.drawPolygon(d);
            }
        break;
    }
    case BackPattern::Flower:
    case BackPattern::Folk: {
        const QColor petal = pattern == BackPattern::Folk ? ink::Gold : light;
        p.setPen(Qt::NoPen);
        for (double y = r.top(); y < r.bottom() + unit; y += unit * 1.5)
            for (double x = r.left() + (int(y / unit) % 2) * unit * 0.75; x < r.right() + unit;
                 x += unit * 1.5) {
                p.setBrush(petal);
                for (int k = 0; k < 6; ++k) {
                    p.save();
                    p.translate(x, y);
                    p.rotate(k * 60);
                    p.drawEllipse(QRectF(-unit * 0.14, -unit * 0.55, unit * 0.28, unit * 0.45));
                    p.restore();
                }
                p.setBrush(pattern == BackPattern::Folk ? ink::Red : ink::GoldLight);
                p.drawEllipse(QPointF(x, y), unit * 0.14, unit * 0.14);
            }
        break;
    }
    case BackPattern::Wave: {
        p.setPen(QPen(light, unit * 0.12));
        for (double y = r.top(); y < r.bottom() + unit; y += unit * 0.5) {
            QPainterPath wave;
            wave.moveTo(r.left(), y);
            for (double x = r.left(); x < r.right(); x += unit)
                wave.cubicTo(x + unit * 0.3, y - unit * 0.3, x + unit * 0.7, y + unit * 0.3, x + unit, y);
            p.drawPath(wave);
        }
        break;
    }
    case BackPattern::Knight:
    case BackPattern::Animal:
    case BackPattern::Place: {
        // Fine stripes behind a large emblem in the middle.
        p.setPen(QPen(light, unit * 0.06));
        for (double x = r.left(); x < r.right(); x += unit * 0.3)
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        break;
    }
    }
}

void DrawEmblem(QPainter& p, const QPointF& c, double size, BackPattern pattern, const QColor& colour) {
    p.setPen(QPen(ink::Gold, std::max(1.0, size * 0.05)));
    p.setBrush(colour.darker(130));
    if (pattern == BackPattern::Knight) {
        QPainterPath shield;
        shield.moveTo(c.x() - size * 0.5, c.y() - size * 0.55);
        shield.lineTo(c.x() + size * 0.5, c.y() - size * 0.55);
        shield.lineTo(c.x() + size * 0.5, c.y());
        shield.cubicTo(c.x() + size * 0.5, c.y() + size * 0.4, c.x(), c.y() + size * 0.65, c.x(),
                       c.y() + size * 0.65);
        shield.cubicTo(c.x(), c.y() + size * 0.65, c.x() - size * 0.5, c.y() + size * 0.4, c.x() - size * 0.5,
                       c.y());
        shield.closeSubpath();
        p.drawPath(shield);
        p.setPen(QPen(ink::Gold, std::max(1.0, size * 0.08)));
        p.drawLine(QPointF(c.x(), c.y() - size * 0.45), QPointF(c.x(), c.y() + size * 0.5));
        p.drawLine(QPointF(c.x() - size * 0.38, c.y() - size * 0.1),
                   QPointF(c.x() + size * 0.38, c.y() - size * 0.1));
        return;
    }
    p.drawEllipse(c, size * 0.55, size * 0.7);
    const double s = size * 0.34;
    if (pattern == BackPattern::Animal) {
        // A cat's head: ears, face and eyes.
        QPainterPath cat;
        cat.addEllipse(c, s * 0.8, s * 0.7);
        QPolygonF ear1({QPointF(c.x() - s * 0.75, c.y() - s * 0.2),
                        QPointF(c.x() - s * 0.6, c.y() - s * 1.05),
                        QPointF(c.x() - s * 0.15, c.y() - s * 0.6)});
        QPolygonF ear2({QPointF(c.x() + s * 0.75, c.y() - s * 0.2),
                        QPointF(c.x() + s * 0.6, c.y() - s * 1.05),
                        QPointF(c.x() + s * 0.15, c.y() - s * 0.6)});
        cat.addPolygon(ear1);
        cat.addPolygon(ear2);
        p.setPen(Qt::NoPen);
        p.setBrush(ink::Gold);
        p.drawPath(cat.simplified());
        p.setBrush(colour.darker(160));
        p.drawEllipse(QPointF(c.x() - s * 0.32, c.y() - s * 0.1), s * 0.12, s * 0.18);
        p.drawEllipse(QPointF(c.x() + s * 0.32, c.y() - s * 0.1), s * 0.12, s * 0.18);
        return;
    }
    if (pattern == BackPattern::Place) {
        // Towers of a small town.
        p.setPen(Qt::NoPen);
        p.setBrush(ink::Gold);
        p.drawRect(QRectF(c.x() - s * 0.9, c.y() - s * 0.1, s * 1.8, s * 0.7));
        p.drawRect(QRectF(c.x() - s * 0.25, c.y() - s * 0.8, s * 0.5, s * 0.8));
        QPolygonF roof({QPointF(c.x() - s * 0.35, c.y() - s * 0.8), QPointF(c.x(), c.y() - s * 1.3),
                        QPointF(c.x() + s * 0.35, c.y() - s * 0.8)});
        p.drawPolygon(roof);
        p.drawEllipse(QPointF(c.x() - s * 0.6, c.y() - s * 0.2), s * 0.25, s * 0.3);
        p.drawEllipse(QPointF(c.x() + s * 0.6, c.y() - s * 0.2), s * 0.25, s * 0.3);
        return;
    }
    // The four suits in a cross.
    const double pip = s * 0.8;
    const QPointF spots[4] = {{c.x(), c.y() - s * 0.55},
                              {c.x() + s * 0.55, c.y()},
                              {c.x(), c.y() + s * 0.55},
                              {c.x() - s * 0.55, c.y()}};
    for (int i = 0; i < 4; ++i)
        DrawSuit(p, i, QRectF(spots[i].x() - pip / 2, spots[i].y() - pip / 2, pip, pip),
                 i < 2 ? ink::GoldLight : ink::Gold);
}

} // namespace

QImage DrawBack(int back, QSize size, BackPattern pattern, bool bordered) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(ink::Paper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const double margin = std::max(3.0, std::round(w * 0.06));
    const QRectF inner(margin, margin, w - 2 * margin, h - 2 * margin);
    const QColor c = BackColour(back);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(inner, w * 0.03, w * 0.03);
    p.setClipPath(clip);
    FillPattern(p, inner, pattern, c, std::max(6.0, w * 0.11));
    // A band of trim inside the edge of the pattern.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.darker(150), std::max(2.0, w * 0.04)));
    p.drawRoundedRect(inner, w * 0.03, w * 0.03);
    p.setPen(QPen(ink::Gold, std::max(1.0, w * 0.012)));
    p.drawRoundedRect(inner.adjusted(w * 0.035, w * 0.035, -w * 0.035, -w * 0.035), w * 0.02, w * 0.02);
    p.restore();
    DrawEmblem(p, QPointF(w / 2, h / 2), std::min(w, h) * 0.42, pattern, c);
    if (bordered) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink::Edge, 1.5));
        p.drawRoundedRect(QRectF(0.75, 0.75, w - 1.5, h - 1.5), 8, 8);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage Turned(const QImage& upright) {
    return upright.transformed(QTransform().rotate(90));
}

QImage DrawSuitIcon(int suit, int size, bool silverBackground, const DeckStyle& style) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(silverBackground ? ink::Silver : QColor(Qt::transparent));
    QPainter p(&img);
    // The small bitmap keys out silver, so its edge must not blend into it.
    p.setRenderHint(QPainter::Antialiasing, !silverBackground);
    const double m = size * 0.08;
    const QColor colour = style.suitColour[suit & 3];
    if (!silverBackground) {
        // A white halo keeps the icon legible on any cloth.
        QPainterPath halo = QTransform()
                                .translate(m - size * 0.04, m - size * 0.04)
                                .scale(size - 2 * m + size * 0.08, size - 2 * m + size * 0.08)
                                .map(SuitPath(suit));
        p.setPen(QPen(QColor(255, 255, 255, 220), size * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(halo);
    }
    DrawSuit(p, suit, QRectF(m, m, size - 2 * m, size - 2 * m), colour);
    p.end();
    return img.convertToFormat(silverBackground ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

QByteArray JpegBytes(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&b, "JPEG", quality);
    return bytes;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    // Opaque pictures are written as RGB, the others as RGBA: both are what the resizer accepts.
    const QImage out = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                               : image.convertToFormat(QImage::Format_RGB32);
    out.save(&b, "PNG");
    return bytes;
}

QByteArray BmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&b, "BMP");
    return bytes;
}

} // namespace tarvo::art
