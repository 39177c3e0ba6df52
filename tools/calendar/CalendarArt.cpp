#include "tools/calendar/CalendarArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <map>

#include "calendar/Sheets.h"
#include "packages/Package.h"
#include "tools/art/Art.h"

namespace tarvo::art {

namespace {

// Colours the card palette lacks: leaves, skin, wood and the flags' own.
namespace tint {
const QColor Leaf{0x2E, 0x8B, 0x47};
const QColor Orange{0xE8, 0x7A, 0x1C};
const QColor Wood{0x8A, 0x55, 0x2A};
const QColor Sun{0xF6, 0xC8, 0x32};
const QColor Sky{0x1B, 0x2A, 0x55};
const QColor FlagBlue{0x1C, 0x3F, 0x94};
const QColor FlagRed{0xD5, 0x2B, 0x1E};
const QColor FlagGold{0xF1, 0xBF, 0x00};
const QColor Board{0x24, 0x4D, 0x3A};
} // namespace tint

QLinearGradient Vertical(double top, double bottom, const QColor& colour) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(1, colour.darker(125));
    return g;
}

QRadialGradient Ball(const QPointF& centre, double radius, const QColor& colour) {
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(135));
    return g;
}

// Text as an outline scaled into the box, so that it fills it whatever the font's metrics.
QPainterPath FittedText(const QString& text, const QFont& font, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF r = path.boundingRect();
    if (r.isEmpty()) return path;
    const double k = std::min(box.width() / r.width(), box.height() / r.height());
    return QTransform()
        .translate(box.center().x(), box.center().y())
        .scale(k, k)
        .translate(-r.center().x(), -r.center().y())
        .map(path);
}

QFont FontOf(const QString& family, bool bold = true) {
    QFont f(family);
    f.setPixelSize(100);
    f.setBold(bold);
    return f;
}

// A painter on a picture of `size` whose drawing is written in a 52-pixel design square.
struct Canvas {
    explicit Canvas(int size) : img(Blank(QSize(size, size))), p(&img) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(size / 52.0, size / 52.0);
    }
    QImage Finish() {
        p.end();
        return Done(img);
    }
    QImage img;
    QPainter p;
};

// The sheet -----------------------------------------------------------------------------------

QImage DrawSheetBase() {
    QImage img = Blank(kCalendarSheetSize);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = kCalendarSheetSize.width(), h = kCalendarSheetSize.height();
    const QRectF paper(1, 4, w - 2, h - 5.5);
    // A drop of shadow under the leaf lifts it off the menu's cloth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(paper.translated(0.8, 1.2), 4, 4);
    QLinearGradient g(0, paper.top(), 0, paper.bottom());
    g.setColorAt(0, ink::Paper);
    g.setColorAt(1, ink::Cream);
    p.setBrush(g);
    p.setPen(QPen(ink::Edge, 0.8));
    p.drawRoundedRect(paper, 4, 4);
    // The red head of the leaf, where the month is written.
    QPainterPath head;
    head.addRoundedRect(paper, 4, 4);
    QPainterPath band;
    band.addRect(QRectF(paper.left(), paper.top(), paper.width(), 21));
    QLinearGradient red(0, paper.top(), 0, paper.top() + 21);
    red.setColorAt(0, ink::Red.lighter(125));
    red.setColorAt(1, ink::Red.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(head.intersected(band));
    p.setPen(QPen(ink::Gold, 1.0));
    p.drawLine(QPointF(paper.left() + 0.5, paper.top() + 21.5),
               QPointF(paper.right() - 0.5, paper.top() + 21.5));
    // Two rings of the binding through holes in the head.
    for (const double x : {15.0, 45.0}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3A, 0x08, 0x10));
        p.drawEllipse(QPointF(x, 9.5), 2.0, 1.6);
        QLinearGradient metal(x - 1.5, 0, x + 1.5, 0);
        metal.setColorAt(0, ink::Gold.darker(130));
        metal.setColorAt(0.5, ink::GoldLight);
        metal.setColorAt(1, ink::Gold.darker(130));
        p.setBrush(metal);
        p.setPen(QPen(ink::Gold.darker(170), 0.5));
        p.drawRoundedRect(QRectF(x - 1.4, 0.5, 2.8, 9.5), 1.4, 1.4);
    }
    // The corner of the leaf turns up a little, as on a real pad.
    QPainterPath curl;
    curl.moveTo(paper.right(), paper.bottom() - 9);
    curl.lineTo(paper.right() - 9, paper.bottom());
    curl.lineTo(paper.right() - 3, paper.bottom() - 3);
    curl.closeSubpath();
    QLinearGradient fold(paper.right() - 9, paper.bottom(), paper.right(), paper.bottom() - 9);
    fold.setColorAt(0, ink::Cream.darker(112));
    fold.setColorAt(1, ink::Paper);
    p.setBrush(fold);
    p.setPen(QPen(ink::Edge, 0.5));
    p.drawPath(curl);
    p.end();
    return Done(img);
}

// Signs of the zodiac: the sign's symbol in gold on a night-blue medal -------------------------

QImage DrawZodiac(int sign) {
    Canvas c(kZodiacPictureSize);
    QPainter& p = c.p;
    const QPointF m(26, 26);
    QRadialGradient sky(QPointF(20, 18), 34);
    sky.setColorAt(0, ink::Navy.lighter(150));
    sky.setColorAt(1, tint::Sky.darker(130));
    p.setBrush(sky);
    p.setPen(QPen(ink::Gold, 2.6));
    p.drawEllipse(m, 24, 24);
    p.setPen(QPen(ink::GoldLight, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(m, 20.5, 20.5);
    // A few stars of the constellation's sky.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 12; ++i) {
        const double a = (i * 30 + sign * 7) * M_PI / 180;
        p.drawEllipse(QPointF(26 + 17.5 * std::cos(a), 26 + 17.5 * std::sin(a)), 0.7, 0.7);
    }
    const QString glyph(QChar(0x2648 + sign));
    const QPainterPath symbol =
        FittedText(glyph, FontOf(QStringLiteral("DejaVu Sans")), QRectF(14, 14, 24, 24));
    p.setPen(QPen(QColor(0, 0, 0, 120), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(symbol.translated(0.6, 0.8));
    QLinearGradient gold(0, 14, 0, 38);
    gold.setColorAt(0, ink::GoldLight);
    gold.setColorAt(1, ink::Gold);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(symbol);
    return c.Finish();
}

// Animals of the Eastern years: the animal's character in gold on a red seal ------------------

QImage DrawAnimal(int animal) {
    static const char16_t glyphs[12] = {u'鼠', u'牛', u'虎', u'兔', u'龍', u'蛇',
                                        u'馬', u'羊', u'猴', u'雞', u'狗', u'豬'};
    Canvas c(kCalendarPictureSize);
    QPainter& p = c.p;
    const QPointF m(26, 26);
    // A paper-cut rim of twelve scallops, one for each animal of the cycle.
    QPainterPath rim;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        rim.addEllipse(QPointF(26 + 21 * std::cos(a), 26 + 21 * std::sin(a)), 4.6, 4.6);
    }
    rim.addEllipse(m, 22, 22);
    p.setPen(QPen(ink::Gold.darker(150), 0.8));
    p.setBrush(Ball(m, 25, ink::Gold));
    p.drawPath(rim.simplified());
    p.setBrush(Ball(m, 21, ink::Red));
    p.setPen(QPen(ink::Red.darker(160), 0.8));
    p.drawEllipse(m, 20.5, 20.5);
    p.setPen(QPen(ink::GoldLight, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(m, 17.5, 17.5);
    // The animal of the year lights up on the rim.
    const double a = (animal * 30 - 90) * M_PI / 180;
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Red);
    p.drawEllipse(QPointF(26 + 21.5 * std::cos(a), 26 + 21.5 * std::sin(a)), 2.0, 2.0);
    QFont font = FontOf(QStringLiteral("Noto Serif CJK TC"));
    font.setWeight(QFont::Black);
    const QPainterPath glyph = FittedText(QString(QChar(glyphs[animal])), font, QRectF(14, 13.5, 24, 25));
    p.setPen(QPen(QColor(0x50, 0x05, 0x0C, 170), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph.translated(0.5, 0.7));
    QLinearGradient gold(0, 13, 0, 39);
    gold.setColorAt(0, ink::GoldLight.lighter(110));
    gold.setColorAt(1, ink::Gold);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(glyph);
    return c.Finish();
}

// Flags on a pole, waving ----------------------------------------------------------------------

enum class Flag { Russia, Usa, France, Germany, Spain, England };

QImage FlatFlag(Flag flag, QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    auto stripes = [&](std::initializer_list<std::pair<QColor, double>> list, bool across) {
        double at = 0;
        for (const auto& [colour, share] : list) {
            const QRectF r =
                across ? QRectF(at * w, 0, share * w + 1, h) : QRectF(0, at * h, w, share * h + 1);
            p.fillRect(r, colour);
            at += share;
        }
    };
    switch (flag) {
    case Flag::Russia:
        stripes({{Qt::white, 1.0 / 3}, {tint::FlagBlue, 1.0 / 3}, {tint::FlagRed, 1.0 / 3}}, false);
        break;
    case Flag::France:
        stripes({{tint::FlagBlue, 1.0 / 3}, {Qt::white, 1.0 / 3}, {tint::FlagRed, 1.0 / 3}}, true);
        break;
    case Flag::Germany:
        stripes({{ink::Black, 1.0 / 3}, {tint::FlagRed, 1.0 / 3}, {tint::FlagGold, 1.0 / 3}}, false);
        break;
    case Flag::Spain:
        stripes({{tint::FlagRed, 0.25}, {tint::FlagGold, 0.5}, {tint::FlagRed, 0.25}}, false);
        // The coat of arms, as small as it is on the flag, near the hoist.
        p.setPen(Qt::NoPen);
        p.setBrush(tint::FlagRed.darker(110));
        p.drawRoundedRect(QRectF(w * 0.22, h * 0.36, w * 0.12, h * 0.28), w * 0.03, w * 0.03);
        break;
    case Flag::England:
        p.fillRect(QRectF(0, 0, w, h), Qt::white);
        p.fillRect(QRectF(0, h * 0.4, w, h * 0.2), tint::FlagRed);
        p.fillRect(QRectF(w / 2 - h * 0.1, 0, h * 0.2, h), tint::FlagRed);
        break;
    case Flag::Usa: {
        for (int i = 0; i < 13; ++i)
            p.fillRect(QRectF(0, i * h / 13, w, h / 13 + 0.5), i % 2 ? Qt::white : tint::FlagRed);
        const QRectF canton(0, 0, w * 0.42, h * 7 / 13);
        p.fillRect(canton, tint::FlagBlue.darker(115));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 5; ++col)
                p.drawEllipse(QPointF(canton.width() * (col + 0.5 + (row % 2) * 0.25) / 5.3,
                                      canton.height() * (row + 0.6) / 4.3),
                              w / 90.0, w / 90.0);
        break;
    }
    }
    return img;
}

void DrawFlag(QPainter& p, Flag flag) {
    // The flag is drawn flat at four times the size, then laid on the pole in thin vertical
    // slices, each lifted and shaded by the wave.
    const QRectF cloth(9.5, 7, 38, 26);
    const int k = 4;
    const QImage flat = FlatFlag(flag, QSize(int(cloth.width()) * k, int(cloth.height()) * k));
    const int slices = int(cloth.width()) * 2;
    for (int i = 0; i < slices; ++i) {
        const double t = double(i) / slices;
        const double lift = 2.2 * std::sin(t * 2 * M_PI * 1.1) * t;
        const double shade = std::cos(t * 2 * M_PI * 1.1);
        const QRectF target(cloth.left() + t * cloth.width(), cloth.top() + lift,
                            cloth.width() / slices + 0.35, cloth.height());
        const QRectF source(t * flat.width(), 0, double(flat.width()) / slices, flat.height());
        p.drawImage(target, flat, source);
        p.fillRect(target,
                   shade > 0 ? QColor(255, 255, 255, int(40 * shade)) : QColor(0, 0, 0, int(-45 * shade)));
    }
    // The pole with its golden knob.
    QLinearGradient pole(7, 0, 10, 0);
    pole.setColorAt(0, tint::Wood.lighter(140));
    pole.setColorAt(1, tint::Wood.darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(pole);
    p.drawRoundedRect(QRectF(7, 5, 2.8, 44), 1.2, 1.2);
    p.setBrush(Ball(QPointF(8.4, 4.2), 2.6, ink::Gold));
    p.drawEllipse(QPointF(8.4, 4.2), 2.6, 2.6);
}

// Holiday pictures -----------------------------------------------------------------------------

void NewYearTree(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(tint::Wood);
    p.drawRect(QRectF(23, 41, 6, 8));
    const struct { double top, base, half; } tiers[3] = {{18, 44, 20}, {11, 33, 15}, {5, 22, 10}};
    for (const auto& t : tiers) {
        QPainterPath tier;
        tier.moveTo(26, t.top);
        tier.quadTo(26 + t.half * 0.5, t.base - 6, 26 + t.half, t.base);
        tier.quadTo(26, t.base - 3, 26 - t.half, t.base);
        tier.quadTo(26 - t.half * 0.5, t.base - 6, 26, t.top);
        QLinearGradient g(26 - t.half, 0, 26 + t.half, 0);
        g.setColorAt(0, tint::Leaf.lighter(130));
        g.setColorAt(1, tint::Leaf.darker(150));
        p.setBrush(g);
        p.setPen(QPen(tint::Leaf.darker(200), 0.6));
        p.drawPath(tier);
    }
    p.setPen(Qt::NoPen);
    const struct {
        double x, y;
        QColor colour;
    } balls[] = {{20, 25, ink::Red},  {31, 20, ink::Gold}, {27, 30, QColor(0x2A, 0x7F, 0xB8)},
                 {16, 38, ink::Gold}, {36, 38, ink::Red},  {26, 40, QColor(0xB0, 0x40, 0xC0)}};
    for (const auto& b : balls) {
        p.setBrush(Ball(QPointF(b.x, b.y), 2.3, b.colour));
        p.drawEllipse(QPointF(b.x, b.y), 2.3, 2.3);
    }
    p.setBrush(Ball(QPointF(26, 6), 6, ink::Gold));
    p.setPen(QPen(ink::Gold.darker(160), 0.6));
    p.drawPath(StarPath(QPointF(26, 6.5), 6, 2.6, 5));
}

void StudentCapAndBook(QPainter& p) {
    // An open book under a graduate's cap.
    p.setPen(QPen(ink::Red.darker(150), 0.8));
    p.setBrush(ink::Red);
    QPainterPath cover;
    cover.moveTo(3, 30);
    cover.lineTo(26, 35);
    cover.lineTo(49, 30);
    cover.lineTo(49, 45);
    cover.lineTo(26, 50);
    cover.lineTo(3, 45);
    cover.closeSubpath();
    p.drawPath(cover);
    p.setPen(QPen(ink::Edge, 0.6));
    for (const double side : {-1.0, 1.0}) {
        QPainterPath page;
        page.moveTo(26, 34);
        page.quadTo(26 + side * 11, 26, 26 + side * 21, 29);
        page.lineTo(26 + side * 21, 43);
        page.quadTo(26 + side * 11, 40, 26, 47);
        page.closeSubpath();
        p.setBrush(ink::Paper);
        p.drawPath(page);
        for (int line = 0; line < 3; ++line) {
            const double y = 33.5 + line * 3.5;
            p.drawLine(QPointF(26 + side * 5, y + 0.5), QPointF(26 + side * 18, y - 2.5));
        }
    }
    // The cap.
    p.setPen(QPen(ink::Black, 0.6));
    p.setBrush(ink::Navy.darker(130));
    QPainterPath skull;
    skull.moveTo(16, 14);
    skull.lineTo(16, 22);
    skull.quadTo(26, 27, 36, 22);
    skull.lineTo(36, 14);
    skull.closeSubpath();
    p.drawPath(skull);
    QPolygonF board({QPointF(26, 4), QPointF(47, 11.5), QPointF(26, 19), QPointF(5, 11.5)});
    p.setBrush(Vertical(4, 19, ink::Navy));
    p.drawPolygon(board);
    p.setPen(QPen(ink::Gold, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26, 11.5), QPointF(42, 14));
    p.drawLine(QPointF(42, 14), QPointF(42, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Gold);
    p.drawEllipse(QPointF(26, 11.5), 1.4, 1.4);
    p.drawRoundedRect(QRectF(40.6, 23, 2.8, 5), 1, 1);
}

void Order(QPainter& p) {
    // A gilt star of rays with a red star on it: the order of the war years.
    p.setPen(QPen(ink::Gold.darker(160), 0.6));
    QRadialGradient g(QPointF(26, 26), 25);
    g.setColorAt(0, ink::GoldLight);
    g.setColorAt(0.7, ink::Gold);
    g.setColorAt(1, ink::Gold.darker(130));
    p.setBrush(g);
    p.drawPath(StarPath(QPointF(26, 26), 24, 13, 16));
    p.setBrush(QColor(0xE8, 0xE8, 0xEC));
    p.setPen(QPen(ink::Silver.darker(150), 0.5));
    p.drawPath(StarPath(QPointF(26, 26), 19, 15, 16, M_PI / 16));
    p.setPen(QPen(ink::Red.darker(170), 0.8));
    QLinearGradient red(10, 10, 42, 42);
    red.setColorAt(0, ink::Red.lighter(140));
    red.setColorAt(1, ink::Red.darker(130));
    p.setBrush(red);
    p.drawPath(StarPath(QPointF(26, 27), 16, 6.5, 5));
    p.setBrush(Ball(QPointF(26, 27), 4.5, ink::Gold));
    p.setPen(QPen(ink::Gold.darker(170), 0.5));
    p.drawEllipse(QPointF(26, 27), 4.5, 4.5);
}

void StGeorgeRibbon(QPainter& p) {
    // The ribbon of St George: one band looped over itself, its two ends hanging down. The five
    // stripes run along the band, so it is stroked five times, each stroke narrower than the last.
    const QColor orange(0xF0, 0x8A, 0x12), black(0x18, 0x14, 0x12);
    auto stroke = [&](const QPainterPath& path) {
        const double widths[6] = {10.4, 9.2, 7.2, 5.2, 3.2, 1.4};
        for (int i = 0; i < 6; ++i) {
            p.setPen(QPen(i == 0 ? black.darker(140) : (i % 2 ? black : orange), widths[i], Qt::SolidLine,
                          Qt::FlatCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
    };
    // The left end lies under the right one where they cross.
    QPainterPath under;
    under.moveTo(12, 50);
    under.lineTo(26, 31);
    under.cubicTo(38, 15, 35, 3, 26, 3);
    QPainterPath over;
    over.moveTo(26, 3);
    over.cubicTo(17, 3, 14, 15, 26, 31);
    over.lineTo(40, 50);
    stroke(under);
    stroke(over);
    // The swallow-tail cuts of the two ends.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawPolygon(QPolygonF({QPointF(7, 53), QPointF(12.5, 47.5), QPointF(17, 53)}));
    p.drawPolygon(QPolygonF({QPointF(35, 53), QPointF(39.5, 47.5), QPointF(45, 53)}));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Hearts(QPainter& p) {
    p.save();
    p.translate(17, 19);
    p.rotate(-18);
    DrawSuit(p, 0, QRectF(-13, -13, 26, 26), QColor(0xF0, 0x7A, 0x98));
    p.restore();
    DrawSuit(p, 0, QRectF(14, 13, 34, 34), ink::Red);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.save();
    p.translate(22, 21);
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 4.5, 2.2);
    p.restore();
    // Cupid's arrow through both.
    p.setPen(QPen(ink::Gold.darker(140), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 45), QPointF(45, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Gold.darker(140));
    p.drawPolygon(QPolygonF({QPointF(48, 6), QPointF(41, 9), QPointF(45, 13)}));
    p.setBrush(ink::Red.darker(120));
    p.drawPolygon(QPolygonF({QPointF(5, 45), QPointF(3, 39), QPointF(7, 43)}));
    p.drawPolygon(QPolygonF({QPointF(5, 45), QPointF(11, 47), QPointF(7, 43)}));
}

void EighthOfMarch(QPainter& p) {
    // A big "8" and a sprig of mimosa across it.
    QPainterPath eight;
    eight.addEllipse(QPointF(21, 15), 8.5, 8);
    eight.addEllipse(QPointF(21, 34), 11, 11.5);
    QPainterPathStroker stroker;
    stroker.setWidth(6);
    const QPainterPath figure = stroker.createStroke(eight).simplified();
    p.setPen(QPen(ink::Red.darker(160), 0.7));
    p.setBrush(Vertical(3, 46, QColor(0xD8, 0x30, 0x60)));
    p.drawPath(figure);
    p.setPen(QPen(tint::Leaf.darker(120), 1.3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(30, 50);
    stem.quadTo(38, 36, 48, 20);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QPointF at = stem.pointAtPercent(0.25 + i * 0.2);
        p.setBrush(tint::Leaf);
        p.save();
        p.translate(at);
        p.rotate(i % 2 ? 30 : -60);
        p.drawEllipse(QPointF(4, 0), 4, 1.3);
        p.restore();
    }
    // The fluffy yellow balls.
    const QPointF balls[] = {{44, 18}, {47, 22}, {42, 23}, {46, 27}, {40, 28}, {43, 31},
                             {38, 33}, {41, 36}, {49, 17}, {45, 14}, {36, 38}, {39, 40}};
    for (const QPointF& b : balls) {
        p.setBrush(Ball(b, 2.3, tint::Sun));
        p.drawEllipse(b, 2.3, 2.3);
    }
}

void Shamrock(QPainter& p) {
    const QColor leaf(0x2E, 0xA0, 0x4E);
    p.setPen(QPen(leaf.darker(160), 1.8, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(26, 24);
    stem.quadTo(27, 38, 34, 49);
    p.drawPath(stem);
    for (const double angle : {0.0, 120.0, 240.0}) {
        p.save();
        p.translate(26, 23);
        p.rotate(angle);
        QPainterPath heart = SuitPath(0);
        heart = QTransform().translate(-10, -21).scale(20, 20).map(heart);
        p.setBrush(Vertical(-21, -1, leaf));
        p.setPen(QPen(leaf.darker(170), 0.7));
        p.drawPath(heart);
        p.setPen(QPen(leaf.lighter(150), 0.6));
        p.drawLine(QPointF(0, -3), QPointF(0, -14));
        p.restore();
    }
}

void Jester(QPainter& p) {
    // A winking face under a fool's cap with bells.
    const QPointF face(26, 33);
    p.setPen(QPen(QColor(0xA0, 0x70, 0x10), 0.8));
    p.setBrush(Ball(face, 15, tint::Sun));
    p.drawEllipse(face, 14, 14);
    const struct {
        QPointF base1, base2, tip;
        QColor colour;
    } points[3] = {{{11, 26}, {24, 21}, {2, 6}, ink::Red},
                   {{20, 21}, {32, 21}, {26, 1}, QColor(0x2A, 0x7F, 0xB8)},
                   {{28, 21}, {41, 26}, {50, 6}, QColor(0x3A, 0x9A, 0x4A)}};
    for (const auto& pt : points) {
        QPainterPath horn;
        horn.moveTo(pt.base1);
        horn.quadTo((pt.base1 + pt.tip) / 2 + QPointF(0, 3), pt.tip);
        horn.quadTo((pt.base2 + pt.tip) / 2 + QPointF(2, 2), pt.base2);
        horn.closeSubpath();
        p.setBrush(Vertical(pt.tip.y(), pt.base1.y(), pt.colour));
        p.setPen(QPen(pt.colour.darker(170), 0.6));
        p.drawPath(horn);
        p.setBrush(Ball(pt.tip, 2.6, ink::Gold));
        p.setPen(QPen(ink::Gold.darker(170), 0.5));
        p.drawEllipse(pt.tip, 2.6, 2.6);
    }
    p.setBrush(Vertical(20, 26, ink::Gold));
    p.setPen(QPen(ink::Gold.darker(170), 0.5));
    p.drawRoundedRect(QRectF(11, 21, 30, 5), 2.5, 2.5);
    // Eyes, one winking, and a wide grin.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Black);
    p.drawEllipse(QPointF(20.5, 32), 1.8, 2.4);
    p.setPen(QPen(ink::Black, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(28.5, 30, 6, 4), 0, 180 * 16);
    QPainterPath grin;
    grin.moveTo(17, 37.5);
    grin.quadTo(26, 47, 35, 37.5);
    grin.quadTo(26, 41, 17, 37.5);
    p.setPen(QPen(ink::Black, 0.8));
    p.setBrush(ink::Red.darker(130));
    p.drawPath(grin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF0, 0x70, 0x60, 120));
    p.drawEllipse(QPointF(16, 38), 2.5, 1.6);
    p.drawEllipse(QPointF(36, 38), 2.5, 1.6);
}

void Balloons(QPainter& p) {
    const struct {
        QPointF at;
        QColor colour;
    } balloons[3] = {{{15, 17}, ink::Red}, {{37, 15}, QColor(0x2A, 0x7F, 0xB8)}, {{26, 24}, ink::Gold}};
    p.setPen(QPen(ink::Edge, 0.6));
    p.setBrush(Qt::NoBrush);
    for (const auto& b : balloons) {
        QPainterPath string;
        string.moveTo(b.at + QPointF(0, 12));
        string.cubicTo(b.at + QPointF(3, 20), QPointF(24, 40), QPointF(26, 50));
        p.drawPath(string);
    }
    for (const auto& b : balloons) {
        p.setPen(QPen(b.colour.darker(170), 0.6));
        p.setBrush(Ball(b.at, 10, b.colour));
        p.drawEllipse(b.at, 9, 11);
        p.drawPolygon(
            QPolygonF({b.at + QPointF(0, 10.5), b.at + QPointF(-2, 13.5), b.at + QPointF(2, 13.5)}));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawEllipse(b.at + QPointF(-3.5, -4.5), 2, 3.2);
    }
}

void BeachBall(QPainter& p) {
    const QRectF ball(5, 5, 42, 42);
    const QColor colours[6] = {ink::Red, Qt::white, tint::Sun, Qt::white, QColor(0x2A, 0x7F, 0xB8),
                               Qt::white};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(colours[i]);
        p.drawPie(ball, (90 + i * 60) * 16, 60 * 16);
    }
    QRadialGradient shade(QPointF(19, 17), 30);
    shade.setColorAt(0, QColor(255, 255, 255, 110));
    shade.setColorAt(0.55, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 90));
    p.setBrush(shade);
    p.setPen(QPen(ink::Edge, 0.8));
    p.drawEllipse(ball);
    p.setBrush(Qt::white);
    p.setPen(QPen(ink::Edge, 0.5));
    p.drawEllipse(QPointF(26, 26), 3.2, 3.2);
}

void Notes(QPainter& p) {
    // Two beamed quavers and a single one.
    auto head = [&](QPointF at, double size, const QColor& colour) {
        p.save();
        p.translate(at);
        p.rotate(-22);
        p.setBrush(Ball(QPointF(0, 0), size, colour));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(0, 0), size * 1.3, size);
        p.restore();
    };
    const QColor navy = ink::Navy;
    head({14, 42}, 4.6, navy);
    head({36, 37}, 4.6, navy);
    p.setPen(QPen(navy, 1.8));
    p.drawLine(QPointF(19.3, 41), QPointF(19.3, 12));
    p.drawLine(QPointF(41.3, 36), QPointF(41.3, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawPolygon(QPolygonF({QPointF(18.4, 11), QPointF(42.2, 5), QPointF(42.2, 10.5), QPointF(18.4, 16.5)}));
    p.drawPolygon(QPolygonF({QPointF(18.4, 19), QPointF(42.2, 13), QPointF(42.2, 17), QPointF(18.4, 23)}));
    head({8, 20}, 3.2, ink::Red);
    p.setPen(QPen(ink::Red, 1.3));
    p.drawLine(QPointF(11.6, 19.5), QPointF(11.6, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath flag;
    flag.moveTo(11.6, 3);
    flag.cubicTo(13, 7, 17, 7, 15.5, 12);
    p.drawPath(flag);
}

void Fireworks(QPainter& p) {
    QRadialGradient sky(QPointF(26, 22), 30);
    sky.setColorAt(0, tint::Sky.lighter(140));
    sky.setColorAt(1, tint::Sky.darker(140));
    p.setBrush(sky);
    p.setPen(QPen(ink::Gold, 1.4));
    p.drawEllipse(QPointF(26, 26), 24.5, 24.5);
    const struct {
        QPointF at;
        double radius;
        QColor colour;
        int rays;
    } bursts[3] = {{{18, 18}, 11, QColor(0xF0, 0x40, 0x48), 12},
                   {{35, 25}, 10, Qt::white, 10},
                   {{22, 36}, 8, QColor(0x70, 0xA8, 0xFF), 9}};
    for (const auto& b : bursts) {
        for (int i = 0; i < b.rays; ++i) {
            const double a = 2 * M_PI * i / b.rays;
            const QPointF dir(std::cos(a), std::sin(a));
            p.setPen(QPen(b.colour, 0.9, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(b.at + dir * b.radius * 0.3, b.at + dir * b.radius * 0.85);
            p.setPen(Qt::NoPen);
            p.setBrush(b.colour.lighter(130));
            p.drawEllipse(b.at + dir * b.radius, 1.1, 1.1);
        }
    }
    p.setBrush(ink::GoldLight);
    p.setPen(Qt::NoPen);
    p.drawPath(StarPath(QPointF(38, 40), 4, 1.7, 5));
}

void Guitar(QPainter& p) {
    p.save();
    p.translate(26, 27);
    p.rotate(38);
    // Neck and head first, the body over them.
    p.setPen(QPen(ink::Black, 0.5));
    p.setBrush(QColor(0x3A, 0x22, 0x10));
    p.drawRect(QRectF(-2.2, -27, 4.4, 22));
    p.setBrush(ink::Black);
    p.drawRoundedRect(QRectF(-3.2, -31, 6.4, 6), 1.2, 1.2);
    p.setBrush(ink::Silver);
    for (const double y : {-29.5, -27.0})
        for (const double x : {-4.4, 4.4}) p.drawEllipse(QPointF(x, y), 1, 1);
    QPainterPath body;
    body.addEllipse(QPointF(0, 6), 10, 9);
    body.addEllipse(QPointF(0, 16.5), 12.5, 11);
    const QPainterPath shape = body.simplified();
    QRadialGradient wood(QPointF(-3, 8), 22);
    wood.setColorAt(0, QColor(0xF5, 0xB0, 0x40));
    wood.setColorAt(0.7, QColor(0xC8, 0x60, 0x18));
    wood.setColorAt(1, QColor(0x70, 0x28, 0x0C));
    p.setBrush(wood);
    p.setPen(QPen(QColor(0x3A, 0x18, 0x08), 1.0));
    p.drawPath(shape);
    p.setBrush(QColor(0x20, 0x10, 0x08));
    p.setPen(QPen(ink::GoldLight, 0.7));
    p.drawEllipse(QPointF(0, 9), 3.6, 3.6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Black);
    p.drawRect(QRectF(-4.5, 19, 9, 2));
    p.setPen(QPen(QColor(0xE0, 0xE0, 0xE0, 200), 0.35));
    for (const double x : {-1.2, -0.4, 0.4, 1.2}) p.drawLine(QPointF(x, -26), QPointF(x, 20));
    p.restore();
    // A little sparkle of stage light.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Gold);
    p.drawPath(StarPath(QPointF(9, 10), 5, 1.6, 4));
    p.drawPath(StarPath(QPointF(43, 44), 3.5, 1.2, 4));
}

void Poppy(QPainter& p) {
    p.setPen(QPen(tint::Leaf.darker(130), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(27, 28);
    stem.quadTo(29, 40, 25, 50);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    p.setBrush(tint::Leaf);
    p.save();
    p.translate(27.5, 42);
    p.rotate(-35);
    p.drawEllipse(QPointF(6, 0), 7, 2.4);
    p.restore();
    const QColor red(0xD8, 0x1E, 0x1E);
    for (int i = 0; i < 4; ++i) {
        const double a = (45 + i * 90) * M_PI / 180;
        const QPointF at(26 + 8.5 * std::cos(a), 22 + 7.5 * std::sin(a));
        p.setBrush(Ball(at, 11, red));
        p.setPen(QPen(red.darker(160), 0.6));
        p.drawEllipse(at, 11, 10);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x18, 0x14, 0x12));
    p.drawEllipse(QPointF(26, 22), 5, 5);
    p.setBrush(QColor(0x50, 0x60, 0x30));
    p.drawEllipse(QPointF(26, 22), 2.2, 2.2);
}

void Computer(QPainter& p) {
    p.setPen(QPen(ink::Edge.darker(150), 0.7));
    p.setBrush(Vertical(5, 37, ink::Silver));
    p.drawRoundedRect(QRectF(3, 5, 46, 32), 3, 3);
    QLinearGradient screen(0, 8, 0, 34);
    screen.setColorAt(0, QColor(0x10, 0x24, 0x30));
    screen.setColorAt(1, QColor(0x04, 0x10, 0x14));
    p.setBrush(screen);
    p.drawRect(QRectF(6, 8, 40, 26));
    const QPainterPath code =
        FittedText(QStringLiteral("</>"), FontOf(QStringLiteral("Liberation Mono")), QRectF(11, 13, 30, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4C, 0xE0, 0x70));
    p.drawPath(code);
    p.setBrush(Vertical(37, 48, ink::Silver));
    p.setPen(QPen(ink::Edge.darker(150), 0.7));
    p.drawPolygon(QPolygonF({QPointF(22, 37), QPointF(30, 37), QPointF(32, 44), QPointF(20, 44)}));
    p.drawRoundedRect(QRectF(13, 44, 26, 4), 1.5, 1.5);
}

void Glasses(QPainter& p) {
    // A walking stick behind a pair of round glasses and a warm heart.
    p.setPen(QPen(tint::Wood.darker(130), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cane;
    cane.moveTo(40, 50);
    cane.lineTo(40, 12);
    cane.arcTo(QRectF(30, 5, 10, 12), 0, 180);
    p.drawPath(cane);
    p.setPen(QPen(tint::Wood.lighter(130), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(39.4, 48), QPointF(39.4, 14));
    DrawSuit(p, 0, QRectF(6, 6, 16, 16), ink::Red);
    for (const double x : {13.0, 31.0}) {
        p.setBrush(QColor(0xC8, 0xE4, 0xF4, 170));
        p.setPen(QPen(ink::Gold.darker(140), 2.2));
        p.drawEllipse(QPointF(x, 33), 7.5, 7.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 190));
        p.drawEllipse(QPointF(x - 2.8, 30), 1.8, 1.1);
    }
    p.setPen(QPen(ink::Gold.darker(140), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(19, 28, 6, 6), 20 * 16, 140 * 16);
    p.drawLine(QPointF(5.6, 31), QPointF(1.5, 28));
    p.drawLine(QPointF(38.4, 31), QPointF(48, 28));
}

void Blackboard(QPainter& p) {
    p.setPen(QPen(tint::Wood.darker(150), 0.7));
    p.setBrush(Vertical(3, 37, tint::Wood));
    p.drawRoundedRect(QRectF(2, 3, 48, 34), 2, 2);
    p.setBrush(Vertical(6, 34, tint::Board));
    p.drawRect(QRectF(5, 6, 42, 28));
    const QPainterPath abc =
        FittedText(QStringLiteral("ABC"), FontOf(QStringLiteral("Comic Neue")), QRectF(9, 9, 26, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 225));
    p.drawPath(abc);
    const QPainterPath sum =
        FittedText(QStringLiteral("2+2=4"), FontOf(QStringLiteral("Comic Neue")), QRectF(9, 23, 22, 8));
    p.setBrush(QColor(0xF8, 0xE8, 0x90, 220));
    p.drawPath(sum);
    // An apple for the teacher.
    const QPointF apple(39, 40);
    p.setPen(QPen(tint::Wood.darker(150), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(apple + QPointF(0, -7), apple + QPointF(1.5, -11));
    p.setPen(QPen(ink::Red.darker(170), 0.6));
    p.setBrush(Ball(apple, 10, QColor(0xD8, 0x20, 0x20)));
    QPainterPath fruit;
    fruit.addEllipse(apple + QPointF(-3.5, 0), 6.5, 7.5);
    fruit.addEllipse(apple + QPointF(3.5, 0), 6.5, 7.5);
    p.drawPath(fruit.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(tint::Leaf);
    p.save();
    p.translate(apple + QPointF(2, -10));
    p.rotate(-25);
    p.drawEllipse(QPointF(4, 0), 4, 1.8);
    p.restore();
}

void Pumpkin(QPainter& p) {
    p.setPen(QPen(tint::Leaf.darker(160), 0.6));
    p.setBrush(tint::Leaf.darker(120));
    QPainterPath stalk;
    stalk.moveTo(24, 14);
    stalk.quadTo(24, 7, 29, 4);
    stalk.lineTo(31, 6);
    stalk.quadTo(28, 9, 28.5, 14);
    stalk.closeSubpath();
    p.drawPath(stalk);
    const double lobes[5][2] = {{-13, 9}, {13, 9}, {-7, 11}, {7, 11}, {0, 11.5}};
    for (const auto& lobe : lobes) {
        const QPointF at(26 + lobe[0], 31);
        p.setBrush(Ball(at, 19, tint::Orange));
        p.setPen(QPen(tint::Orange.darker(170), 0.7));
        p.drawEllipse(at, lobe[1], 18);
    }
    // A candle glows through the carved face.
    const QColor glow(0xFF, 0xD8, 0x40);
    p.setPen(QPen(QColor(0x70, 0x30, 0x00), 0.6));
    p.setBrush(glow);
    p.drawPolygon(QPolygonF({QPointF(14, 28), QPointF(22, 28), QPointF(18, 21)}));
    p.drawPolygon(QPolygonF({QPointF(30, 28), QPointF(38, 28), QPointF(34, 21)}));
    p.drawPolygon(QPolygonF({QPointF(23.5, 34), QPointF(28.5, 34), QPointF(26, 30)}));
    QPainterPath mouth;
    mouth.moveTo(11, 36);
    mouth.quadTo(26, 50, 41, 36);
    mouth.lineTo(37, 38.5);
    mouth.lineTo(35, 36.5);
    mouth.lineTo(32, 40);
    mouth.lineTo(29, 38);
    mouth.lineTo(26, 41);
    mouth.lineTo(23, 38);
    mouth.lineTo(20, 40);
    mouth.lineTo(17, 36.5);
    mouth.lineTo(15, 38.5);
    mouth.closeSubpath();
    p.drawPath(mouth);
}

void Turkey(QPainter& p) {
    // The fan of the tail, then the bird.
    const QColor feathers[7] = {QColor(0xB0, 0x30, 0x20), tint::Orange, tint::Sun,
                                QColor(0x8A, 0x55, 0x2A), tint::Sun,    tint::Orange,
                                QColor(0xB0, 0x30, 0x20)};
    for (int i = 0; i < 7; ++i) {
        p.save();
        p.translate(26, 32);
        p.rotate(-72 + i * 24);
        p.setBrush(Vertical(-28, -4, feathers[i]));
        p.setPen(QPen(feathers[i].darker(170), 0.6));
        p.drawEllipse(QPointF(0, -16), 5.2, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(feathers[i].lighter(140));
        p.drawEllipse(QPointF(0, -25), 2.4, 3.2);
        p.restore();
    }
    p.setPen(QPen(QColor(0x3A, 0x20, 0x10), 0.7));
    p.setBrush(Ball(QPointF(26, 35), 12, QColor(0x7A, 0x46, 0x22)));
    p.drawEllipse(QPointF(26, 35), 11, 12);
    p.setBrush(Ball(QPointF(26, 22), 6, QColor(0x8A, 0x55, 0x2A)));
    p.drawEllipse(QPointF(26, 22), 6, 6.5);
    p.setPen(QPen(tint::Orange, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {22.0, 30.0}) p.drawLine(QPointF(x, 46), QPointF(x, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Gold);
    p.drawPolygon(QPolygonF({QPointF(24.5, 23), QPointF(27.5, 23), QPointF(26, 26.5)}));
    p.setBrush(ink::Red);
    p.drawEllipse(QPointF(27.5, 27.5), 1.6, 2.8);
    p.setBrush(Qt::white);
    for (const double x : {23.8, 28.2}) p.drawEllipse(QPointF(x, 20.5), 1.6, 1.6);
    p.setBrush(ink::Black);
    for (const double x : {23.8, 28.2}) p.drawEllipse(QPointF(x, 20.7), 0.8, 0.8);
}

QPainterPath EggPath(const QPointF& centre, double width, double height) {
    QPainterPath egg;
    const double w = width / 2, top = centre.y() - height * 0.55, bottom = centre.y() + height * 0.45;
    egg.moveTo(centre.x(), top);
    egg.cubicTo(centre.x() + w * 0.75, top, centre.x() + w * 1.05, bottom - height * 0.35,
                centre.x() + w * 1.0, bottom - height * 0.2);
    egg.cubicTo(centre.x() + w * 0.95, bottom + height * 0.02, centre.x() - w * 0.95, bottom + height * 0.02,
                centre.x() - w * 1.0, bottom - height * 0.2);
    egg.cubicTo(centre.x() - w * 1.05, bottom - height * 0.35, centre.x() - w * 0.75, top, centre.x(), top);
    return egg;
}

void EasterEggs(QPainter& p) {
    auto egg = [&](QPointF at, double w, double h, const QColor& colour, const QColor& pattern) {
        const QPainterPath shape = EggPath(at, w, h);
        p.setPen(QPen(colour.darker(170), 0.7));
        p.setBrush(Ball(at, h * 0.6, colour));
        p.drawPath(shape);
        p.save();
        p.setClipPath(shape);
        p.setPen(QPen(pattern, 1.3));
        p.setBrush(Qt::NoBrush);
        QPainterPath zigzag;
        const double y = at.y() + h * 0.02;
        zigzag.moveTo(at.x() - w, y);
        for (int i = 0; i < 12; ++i) zigzag.lineTo(at.x() - w + (i + 1) * w / 6, y + (i % 2 ? -2.2 : 2.2));
        p.drawPath(zigzag);
        p.drawLine(QPointF(at.x() - w, y - 5), QPointF(at.x() + w, y - 5));
        p.drawLine(QPointF(at.x() - w, y + 5), QPointF(at.x() + w, y + 5));
        p.setPen(Qt::NoPen);
        p.setBrush(pattern);
        for (int i = -2; i <= 2; ++i) p.drawEllipse(QPointF(at.x() + i * w / 5, y - 10), 0.9, 0.9);
        p.restore();
    };
    egg({18, 22}, 22, 30, ink::Navy.lighter(130), ink::GoldLight);
    egg({33, 31}, 26, 34, ink::Red, ink::GoldLight);
    // Spring grass in front of the eggs.
    for (int i = 0; i < 15; ++i) {
        const double x = 5 + i * 3, lean = (i % 3 - 1) * 2.5, height = 7 + (i * 7 % 5);
        QPainterPath blade;
        blade.moveTo(x - 1.6, 51);
        blade.quadTo(x, 51 - height * 0.6, x + lean, 51 - height);
        blade.quadTo(x + 0.6, 51 - height * 0.5, x + 1.6, 51);
        blade.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? tint::Leaf : tint::Leaf.lighter(135));
        p.drawPath(blade);
    }
}

void Glow(QPainter& p, const QPointF& centre, double radius) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, QColor(0xFF, 0xF0, 0xB0, 200));
    g.setColorAt(1, QColor(0xFF, 0xF0, 0xB0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void GoldBars(QPainter& p, const std::vector<QPolygonF>& bars) {
    QPainterPath cross;
    for (const auto& bar : bars) cross.addPolygon(bar);
    cross = cross.simplified();
    QLinearGradient g(12, 0, 40, 0);
    g.setColorAt(0, ink::Gold.darker(115));
    g.setColorAt(0.45, ink::GoldLight);
    g.setColorAt(1, ink::Gold.darker(135));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold.darker(190), 0.8));
    p.drawPath(cross);
}

QPolygonF Bar(double x, double y, double w, double h) {
    return QPolygonF(QRectF(x, y, w, h));
}

void OrthodoxCross(QPainter& p) {
    Glow(p, QPointF(26, 22), 24);
    GoldBars(p, {Bar(23, 2, 6, 48), Bar(18, 8, 16, 4), Bar(10, 16, 32, 5.5),
                 QPolygonF({QPointF(14, 38.5), QPointF(38, 31.5), QPointF(38, 36), QPointF(14, 43)})});
}

void CatholicCross(QPainter& p) {
    Glow(p, QPointF(26, 19), 22);
    p.setPen(QPen(QColor(0xE8, 0xC0, 0x40, 150), 0.8));
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        p.drawLine(QPointF(26 + 8 * std::cos(a), 18 + 8 * std::sin(a)),
                   QPointF(26 + 17 * std::cos(a), 18 + 17 * std::sin(a)));
    }
    GoldBars(p, {Bar(23, 3, 6, 47), Bar(11, 13, 30, 6)});
}

void ChristmasStar(QPainter& p) {
    QRadialGradient sky(QPointF(26, 18), 32);
    sky.setColorAt(0, ink::Navy.lighter(130));
    sky.setColorAt(1, tint::Sky.darker(150));
    p.setBrush(sky);
    p.setPen(QPen(ink::Gold, 1.4));
    p.drawEllipse(QPointF(26, 26), 24.5, 24.5);
    // Snowy hills under the star.
    p.save();
    QPainterPath clip;
    clip.addEllipse(QPointF(26, 26), 23.8, 23.8);
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0xF0, 0xFA));
    p.drawEllipse(QPointF(12, 56), 24, 14);
    p.setBrush(QColor(0xD0, 0xDE, 0xF0));
    p.drawEllipse(QPointF(42, 58), 22, 14);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    for (const QPointF& s :
         {QPointF(12, 17), QPointF(40, 12), QPointF(41, 30), QPointF(10, 31), QPointF(18, 8)})
        p.drawEllipse(s, 0.8, 0.8);
    Glow(p, QPointF(26, 21), 14);
    // The star of Bethlehem: eight rays, the lowest one long.
    QPainterPath star;
    const QPointF m(26, 21);
    for (int i = 0; i < 16; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 8;
        double r = i % 2 ? 2.6 : (i % 4 ? 7 : 11);
        if (i == 8) r = 20;
        const QPointF pt(m.x() + r * std::cos(a), m.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    QRadialGradient gold(m, 12);
    gold.setColorAt(0, Qt::white);
    gold.setColorAt(0.4, ink::GoldLight);
    gold.setColorAt(1, ink::Gold);
    p.setBrush(gold);
    p.setPen(QPen(ink::Gold.darker(150), 0.5));
    p.drawPath(star);
}

using Recipe = std::function<void(QPainter&)>;

const std::map<QString, Recipe>& HolidayRecipes() {
    static const std::map<QString, Recipe> recipes = {
        {QStringLiteral("R_NEWYEAR"), NewYearTree},
        {QStringLiteral("R_USAFLAG"), [](QPainter& p) { DrawFlag(p, Flag::Usa); }},
        {QStringLiteral("R_RUSFLAG"), [](QPainter& p) { DrawFlag(p, Flag::Russia); }},
        {QStringLiteral("R_FRAFLAG"), [](QPainter& p) { DrawFlag(p, Flag::France); }},
        {QStringLiteral("R_DEUFLAG"), [](QPainter& p) { DrawFlag(p, Flag::Germany); }},
        {QStringLiteral("R_ISPFLAG"), [](QPainter& p) { DrawFlag(p, Flag::Spain); }},
        {QStringLiteral("R_ENGFLAG"), [](QPainter& p) { DrawFlag(p, Flag::England); }},
        {QStringLiteral("R_RUSZNAN"), StudentCapAndBook},
        {QStringLiteral("R_RUSORDN"), Order},
        {QStringLiteral("R_RUSGEOR"), StGeorgeRibbon},
        {QStringLiteral("R_LOVE000"), Hearts},
        {QStringLiteral("R_8MARCH0"), EighthOfMarch},
        {QStringLiteral("R_USAPATR"), Shamrock},
        {QStringLiteral("R_1APRIL0"), Jester},
        {QStringLiteral("R_1MAY000"), Balloons},
        {QStringLiteral("R_BABY000"), BeachBall},
        {QStringLiteral("R_FRAMUS0"), Notes},
        {QStringLiteral("R_USA4JUL"), Fireworks},
        {QStringLiteral("R_USAELVI"), Guitar},
        {QStringLiteral("R_WAR0000"), Poppy},
        {QStringLiteral("R_ALLPROG"), Computer},
        {QStringLiteral("R_OLD0000"), Glasses},
        {QStringLiteral("R_TEACHER"), Blackboard},
        {QStringLiteral("R_HALLO00"), Pumpkin},
        {QStringLiteral("R_USABLAG"), Turkey},
        {QStringLiteral("R_PASHA00"), EasterEggs},
        {QStringLiteral("R_PRAKRES"), OrthodoxCross},
        {QStringLiteral("R_KATKRES"), CatholicCross},
        {QStringLiteral("R_ROGDEST"), ChristmasStar},
    };
    return recipes;
}

} // namespace

QImage DrawCalendarPicture(const QString& key) {
    const QString name = key.toUpper();
    if (name == QLatin1String(kSheetBaseImage.data(), qsizetype(kSheetBaseImage.size())))
        return DrawSheetBase();
    for (int i = 0; i < 12; ++i) {
        const std::string_view sign = ZodiacImageKey(i), animal = EasternYearImageKey(i);
        if (name == QLatin1String(sign.data(), qsizetype(sign.size()))) return DrawZodiac(i);
        if (name == QLatin1String(animal.data(), qsizetype(animal.size()))) return DrawAnimal(i);
    }
    const auto& recipes = HolidayRecipes();
    const auto it = recipes.find(name);
    if (it == recipes.end()) return {};
    Canvas c(kCalendarPictureSize);
    it->second(c.p);
    return c.Finish();
}

bool AddCalendarPackage(ResourceSet& set, QString* error) {
    for (const auto& key : CalendarImageKeys()) {
        const QString name = QString::fromStdString(key);
        const QImage picture = DrawCalendarPicture(name);
        if (picture.isNull()) {
            if (error) *error = QStringLiteral("no picture is drawn for ") + name;
            return false;
        }
        set.Add(RcData, name, PngBytes(picture));
    }
    return true;
}

} // namespace tarvo::art
