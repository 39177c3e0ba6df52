#include "tools/pictures/BuiltinPictures.h"

#include <QConicalGradient>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "tools/art/Art.h"
#include "tools/art/RadioArt.h"

namespace tarvo::art {

namespace {
const char* const Suits[4] = {"CH", "BU", "KR", "PI"};
const char* const Ranks[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
const char* const Days[7] = {"OB01MO", "OB02TU", "OB03WE", "OB04TH", "OB05FR", "OB06SU", "OB07SU"};
const char* const Icons[4] = {"CHER", "BUBI", "KRES", "PIKI"};
const char* const Languages[8] = {"ENG", "RUS", "DEU", "FRA", "SPA", "CHI", "ITA", "CZE"};

const QString Rc = QStringLiteral("RCDATA");

bool AddGif(ResourceSet& set, const QString& name, const std::vector<QImage>& frames, int delay,
            const QString& scratch, QString* error) {
    const QString path = QDir(scratch).filePath(name + QStringLiteral(".gif"));
    if (!WriteGif(path, frames, delay, error)) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    set.Add(Rc, name, f.readAll());
    return true;
}

QImage Sheet(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QFont BoldFont(double pixels, const QString& family = QStringLiteral("Liberation Serif")) {
    QFont f(family);
    f.setBold(true);
    f.setPixelSize(std::max(1, int(pixels)));
    return f;
}

// A text as a path centred on a point, filled with a vertical gold gradient and a dark rim.
void GoldText(QPainter& p, const QString& text, const QFont& font, const QPointF& centre, double shine) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF r = path.boundingRect();
    path.translate(centre.x() - r.center().x(), centre.y() - r.center().y());
    const QRectF box = path.boundingRect();
    QLinearGradient g(box.left() + box.width() * (shine - 0.35), 0, box.left() + box.width() * (shine + 0.35),
                      0);
    g.setColorAt(0, ink::Gold);
    g.setColorAt(0.5, QColor(0xFF, 0xFA, 0xE0));
    g.setColorAt(1, ink::Gold);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x08), std::max(1.0, font.pixelSize() / 14.0)));
    p.setBrush(g);
    p.drawPath(path);
}

// A four-pointed sparkle.
void Sparkle(QPainter& p, const QPointF& c, double r, const QColor& colour) {
    if (r <= 0.2) return;
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c, QPointF(c.x() + r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + r));
    star.quadTo(c, QPointF(c.x() - r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
}

// A cup on its foot, in a metal colour, inside the box.
void Cup(QPainter& p, const QRectF& box, const QColor& metal) {
    const double w = box.width(), h = box.height(), x = box.left(), y = box.top();
    QLinearGradient g(x, 0, x + w, 0);
    g.setColorAt(0, metal.darker(140));
    g.setColorAt(0.4, metal.lighter(150));
    g.setColorAt(1, metal.darker(150));
    p.setPen(QPen(metal.darker(200), std::max(1.0, w / 40)));
    p.setBrush(Qt::NoBrush);
    // Handles.
    p.drawArc(QRectF(x, y + h * 0.08, w * 0.34, h * 0.34), 90 * 16, 180 * 16);
    p.drawArc(QRectF(x + w * 0.66, y + h * 0.08, w * 0.34, h * 0.34), 270 * 16, 180 * 16);
    p.setBrush(g);
    QPainterPath bowl;
    bowl.moveTo(x + w * 0.14, y + h * 0.04);
    bowl.lineTo(x + w * 0.86, y + h * 0.04);
    bowl.cubicTo(x + w * 0.86, y + h * 0.45, x + w * 0.62, y + h * 0.58, x + w * 0.55, y + h * 0.6);
    bowl.lineTo(x + w * 0.55, y + h * 0.78);
    bowl.lineTo(x + w * 0.45, y + h * 0.78);
    bowl.lineTo(x + w * 0.45, y + h * 0.6);
    bowl.cubicTo(x + w * 0.38, y + h * 0.58, x + w * 0.14, y + h * 0.45, x + w * 0.14, y + h * 0.04);
    p.drawPath(bowl);
    p.drawRoundedRect(QRectF(x + w * 0.28, y + h * 0.78, w * 0.44, h * 0.1), 2, 2);
    p.drawRect(QRectF(x + w * 0.22, y + h * 0.88, w * 0.56, h * 0.1));
}

// "GTopTen": the cup with sparkles and "TOP 10" in gold with a shine running across it.
std::vector<QImage> DrawTopTenCup(QSize size, int frames) {
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / frames;
        QImage img = Sheet(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Cup(p, QRectF(w * 0.03, h * 0.1, h * 0.75, h * 0.82), ink::Gold);
        DrawSuit(p, 2, QRectF(w * 0.03 + h * 0.27, h * 0.2, h * 0.2, h * 0.2), ink::Red);
        GoldText(p, QStringLiteral("TOP 10"), BoldFont(h * 0.42), QPointF(w * 0.66, h * 0.5),
                 std::fmod(t * 1.5, 1.5) - 0.2);
        for (int k = 0; k < 4; ++k) {
            const double phase = std::fmod(t + k * 0.25, 1.0);
            const double r = h * 0.09 * std::sin(phase * M_PI);
            const QPointF at[4] = {
                {w * 0.06, h * 0.12}, {w * 0.36, h * 0.18}, {w * 0.95, h * 0.2}, {w * 0.5, h * 0.9}};
            Sparkle(p, at[k], r, QColor(0xFF, 0xF4, 0xB0));
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

// "GClubF" and "GClubG": the club badge, a shield with the club suit whose rim catches the light
// going round; local records in red, network ones in blue with the link of three seats.
std::vector<QImage> DrawClubBadge(QSize size, bool network, int frames) {
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    const QColor body = network ? QColor(0x1F, 0x5A, 0xB8) : ink::Red;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / frames;
        QImage img = Sheet(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shield;
        shield.moveTo(w * 0.08, h * 0.06);
        shield.lineTo(w * 0.92, h * 0.06);
        shield.lineTo(w * 0.92, h * 0.5);
        shield.cubicTo(w * 0.92, h * 0.75, w * 0.6, h * 0.88, w * 0.5, h * 0.96);
        shield.cubicTo(w * 0.4, h * 0.88, w * 0.08, h * 0.75, w * 0.08, h * 0.5);
        shield.closeSubpath();
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, body.lighter(140));
        g.setColorAt(1, body.darker(150));
        p.setBrush(g);
        const double a = t * 2 * M_PI;
        QConicalGradient rim(QPointF(w / 2, h / 2), -t * 360);
        rim.setColorAt(0, QColor(0xFF, 0xFA, 0xE0));
        rim.setColorAt(0.15, ink::Gold);
        rim.setColorAt(0.85, ink::Gold.darker(130));
        rim.setColorAt(1, QColor(0xFF, 0xFA, 0xE0));
        p.setPen(QPen(QBrush(rim), w * 0.07));
        p.drawPath(shield);
        const double s = w * 0.5 * (1.0 + 0.06 * std::sin(a));
        DrawSuit(p, 2, QRectF((w - s) / 2, h * 0.2, s, s), QColor(0xFF, 0xFD, 0xF7));
        if (network) {
            p.setPen(QPen(ink::GoldLight, 1.5));
            const QPointF seats[3] = {{w * 0.3, h * 0.74}, {w * 0.5, h * 0.84}, {w * 0.7, h * 0.74}};
            p.drawLine(seats[0], seats[1]);
            p.drawLine(seats[1], seats[2]);
            for (int k = 0; k < 3; ++k) {
                const bool lit = int(t * 6) % 3 == k;
                p.setBrush(lit ? QColor(0xFF, 0xFF, 0xFF) : ink::Gold);
                p.drawEllipse(seats[k], w * 0.06, w * 0.06);
            }
        } else {
            p.setPen(QPen(ink::GoldLight, 1));
            p.setFont(BoldFont(h * 0.16, QStringLiteral("Liberation Sans")));
            p.drawText(QRectF(0, h * 0.64, w, h * 0.2), Qt::AlignCenter, QStringLiteral("PC"));
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

// The end of a cycle. 0: the best place, a gold cup under bursting fireworks; 1: a place in the
// top ten, a silver star among rising sparks; 2: no place, a grey cloud whose rain washes the
// cards away (played once, so its last frame is the settled one).
std::vector<QImage> DrawCycleEnd(QSize size, int kind, int frames) {
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / (frames - 1);
        QImage img = Sheet(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        if (kind == 0) {
            const QColor bursts[3] = {ink::Red, QColor(0x1F, 0x8A, 0xE0), QColor(0x30, 0xB0, 0x40)};
            const QPointF centres[3] = {{w * 0.18, h * 0.3}, {w * 0.82, h * 0.28}, {w * 0.5, h * 0.16}};
            for (int b = 0; b < 3; ++b) {
                const double phase = std::fmod(t + b / 3.0, 1.0);
                const double r = h * 0.3 * phase;
                QColor c = bursts[b];
                c.setAlphaF(float(1.0 - phase));
                p.setPen(QPen(c, 2));
                for (int k = 0; k < 10; ++k) {
                    const double a = k * M_PI / 5;
                    const QPointF d(std::cos(a), std::sin(a));
                    p.drawLine(centres[b] + d * r * 0.5, centres[b] + d * r);
                }
            }
            Cup(p, QRectF(w / 2 - h * 0.3, h * 0.28, h * 0.6, h * 0.68), ink::Gold);
            GoldText(p, QStringLiteral("1"), BoldFont(h * 0.26), QPointF(w / 2, h * 0.46), t);
        } else if (kind == 1) {
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const double a = -M_PI / 2 + k * M_PI / 5;
                const double r = (k % 2 ? 0.2 : 0.44) * h;
                const QPointF pt(w / 2 + std::cos(a) * r, h * 0.52 + std::sin(a) * r);
                if (k == 0)
                    star.moveTo(pt);
                else
                    star.lineTo(pt);
            }
            star.closeSubpath();
            QLinearGradient g(w / 2 - h * 0.4, 0, w / 2 + h * 0.4, 0);
            const double shine = std::fmod(t * 2, 1.0);
            g.setColorAt(0, ink::Silver.darker(130));
            g.setColorAt(std::clamp(shine, 0.01, 0.99), QColor(0xFF, 0xFF, 0xFF));
            g.setColorAt(1, ink::Silver.darker(140));
            p.setBrush(g);
            p.setPen(QPen(ink::Navy, 2));
            p.drawPath(star);
            for (int k = 0; k < 8; ++k) {
                const double phase = std::fmod(t * 2 + k / 8.0, 1.0);
                const double x = w * (0.1 + 0.8 * ((k * 37) % 8) / 7.0);
                Sparkle(p, QPointF(x, h * (0.95 - 0.85 * phase)), h * 0.05 * std::sin(phase * M_PI),
                        k % 2 ? ink::Gold : QColor(0x1F, 0x8A, 0xE0));
            }
        } else {
            // Cards lie on the ground; the rain falls harder, then the cloud darkens over them.
            for (int s = 0; s < 4; ++s) {
                p.save();
                p.translate(w * (0.26 + 0.16 * s), h * 0.82);
                p.rotate(-20 + 13 * s);
                p.setBrush(ink::Paper);
                p.setPen(QPen(ink::Edge, 1));
                p.drawRoundedRect(QRectF(-10, -14, 20, 28), 3, 3);
                DrawSuit(p, s, QRectF(-6, -6, 12, 12), s < 2 ? ink::Red : ink::Black);
                p.restore();
            }
            const QColor cloud = QColor(0x90, 0x94, 0x9C).darker(int(100 + 40 * t));
            p.setPen(Qt::NoPen);
            p.setBrush(cloud);
            for (const QRectF& puff : {QRectF(w * 0.22, h * 0.14, w * 0.24, h * 0.3),
                                       QRectF(w * 0.36, h * 0.04, w * 0.3, h * 0.38),
                                       QRectF(w * 0.56, h * 0.14, w * 0.24, h * 0.3)})
                p.drawEllipse(puff);
            p.drawRoundedRect(QRectF(w * 0.24, h * 0.26, w * 0.54, h * 0.18), h * 0.09, h * 0.09);
            p.setPen(QPen(QColor(0x3A, 0x6A, 0xC8), 2, Qt::SolidLine, Qt::RoundCap));
            const int drops = int(4 + 10 * t);
            for (int k = 0; k < drops; ++k) {
                const double x = w * (0.27 + 0.48 * ((k * 5) % 13) / 12.0);
                const double y = h * (0.46 + 0.3 * std::fmod(t * 3 + k * 0.37, 1.0));
                p.drawLine(QPointF(x, y), QPointF(x - 2, y + h * 0.07));
            }
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

// "FlagO" + language: the flags beside the languages and the card face sets, 40 x 27.
QImage DrawFlag(const QString& code) {
    const QSize size(40, 27);
    const double w = size.width(), h = size.height();
    QImage img = Sheet(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    auto bands = [&](std::initializer_list<QColor> colours, bool vertical) {
        const int n = static_cast<int>(colours.size());
        int i = 0;
        for (const QColor& c : colours) {
            p.setBrush(c);
            if (vertical)
                p.drawRect(QRectF(w * i / n, 0, w / n + 0.5, h));
            else
                p.drawRect(QRectF(0, h * i / n, w, h / n + 0.5));
            ++i;
        }
    };
    const QColor red(0xD5, 0x2B, 0x1E), white(Qt::white), blue(0x00, 0x39, 0xA6);
    if (code == QLatin1String("Eng")) {
        p.fillRect(img.rect(), QColor(0x01, 0x21, 0x69));
        p.setPen(QPen(white, 5.5));
        p.drawLine(QPointF(0, 0), QPointF(w, h));
        p.drawLine(QPointF(w, 0), QPointF(0, h));
        p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 1.8));
        p.drawLine(QPointF(0, 0), QPointF(w, h));
        p.drawLine(QPointF(w, 0), QPointF(0, h));
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawRect(QRectF(w / 2 - 4.5, 0, 9, h));
        p.drawRect(QRectF(0, h / 2 - 4.5, w, 9));
        p.setBrush(QColor(0xC8, 0x10, 0x2E));
        p.drawRect(QRectF(w / 2 - 2.7, 0, 5.4, h));
        p.drawRect(QRectF(0, h / 2 - 2.7, w, 5.4));
    } else if (code == QLatin1String("Rus")) {
        bands({white, blue, red}, false);
    } else if (code == QLatin1String("Deu")) {
        bands({Qt::black, QColor(0xDD, 0x00, 0x00), QColor(0xFF, 0xCE, 0x00)}, false);
    } else if (code == QLatin1String("Fra")) {
        bands({QColor(0x00, 0x23, 0x95), white, QColor(0xED, 0x29, 0x39)}, true);
    } else if (code == QLatin1String("Spa")) {
        const QColor yellow(0xF1, 0xBF, 0x00), spanishRed(0xAA, 0x15, 0x1B);
        p.fillRect(img.rect(), spanishRed);
        p.fillRect(QRectF(0, h / 4, w, h / 2), yellow);
        p.setBrush(spanishRed.darker(120));
        p.drawRoundedRect(QRectF(w * 0.22, h * 0.36, w * 0.12, h * 0.3), 1.5, 1.5);
    } else if (code == QLatin1String("Chi")) {
        p.fillRect(img.rect(), QColor(0xEE, 0x1C, 0x25));
        p.setBrush(QColor(0xFF, 0xFF, 0x00));
        p.drawPath(StarPath({w * 0.17, h * 0.27}, h * 0.17, h * 0.17 * 0.38, 5));
        const QPointF small[4] = {
            {w * 0.33, h * 0.1}, {w * 0.4, h * 0.22}, {w * 0.4, h * 0.38}, {w * 0.33, h * 0.5}};
        for (int k = 0; k < 4; ++k)
            p.drawPath(StarPath(small[k], h * 0.06, h * 0.06 * 0.38, 5, (20.0 * k - 30) * M_PI / 180));
    } else if (code == QLatin1String("Ita")) {
        bands({QColor(0x00, 0x92, 0x46), white, QColor(0xCE, 0x2B, 0x37)}, true);
    } else if (code == QLatin1String("Cze")) {
        bands({white, QColor(0xD7, 0x14, 0x1A)}, false);
        p.setBrush(QColor(0x11, 0x45, 0x7E));
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(w / 2, h / 2), QPointF(0, h)}));
    } else if (code == QLatin1String("Jap")) {
        p.fillRect(img.rect(), white);
        p.setBrush(QColor(0xBC, 0x00, 0x2D));
        p.drawEllipse(QPointF(w / 2, h / 2), h * 0.3, h * 0.3);
    } else if (code == QLatin1String("Kor")) {
        p.fillRect(img.rect(), white);
        const QPointF c(w / 2, h / 2);
        const double r = h * 0.25;
        p.setBrush(QColor(0xCD, 0x2E, 0x3A));
        p.drawPie(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        p.setBrush(QColor(0x00, 0x47, 0xA0));
        p.drawPie(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180 * 16, 180 * 16);
        p.drawEllipse(QPointF(c.x() + r / 2, c.y()), r / 2, r / 2);
        p.setBrush(QColor(0xCD, 0x2E, 0x3A));
        p.drawEllipse(QPointF(c.x() - r / 2, c.y()), r / 2, r / 2);
        // The four trigrams, as short black bars in the corners.
        p.setPen(QPen(Qt::black, 1.6));
        const QPointF corners[4] = {
            {w * 0.16, h * 0.2}, {w * 0.84, h * 0.2}, {w * 0.16, h * 0.8}, {w * 0.84, h * 0.8}};
        for (int k = 0; k < 4; ++k) {
            p.save();
            p.translate(corners[k]);
            p.rotate(k == 0 || k == 3 ? -34 : 34);
            for (int bar = -1; bar <= 1; ++bar) p.drawLine(QPointF(-3.5, bar * 2.4), QPointF(3.5, bar * 2.4));
            p.restore();
        }
    }
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.end();
    return img;
}

// "GOpt": the options dialog's corner piece, a golden cog turning behind a fan of three cards that
// opens as it turns; the last frames close the fan again, so the still frame shows it at rest.
std::vector<QImage> DrawOptionsAnimation(QSize size, int frames) {
    std::vector<QImage> out;
    const double w = size.width(), h = size.height();
    DeckStyle style;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / frames;
        QImage img = Sheet(size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // The cog: twelve teeth round a ring, turning one tooth in a cycle of the fan.
        p.save();
        p.translate(w / 2, h * 0.70);
        p.rotate(t * 30);
        QPainterPath cog;
        const double outer = w * 0.38, inner = w * 0.30;
        for (int k = 0; k < 24; ++k) {
            const double a0 = (k - 0.35) * M_PI / 12, a1 = (k + 0.35) * M_PI / 12;
            const double r = k % 2 == 0 ? outer : inner;
            const QPointF p0(r * std::cos(a0), r * std::sin(a0)), p1(r * std::cos(a1), r * std::sin(a1));
            if (k == 0)
                cog.moveTo(p0);
            else
                cog.lineTo(p0);
            cog.lineTo(p1);
        }
        cog.closeSubpath();
        cog.addEllipse(QPointF(0, 0), w * 0.14, w * 0.14);
        cog.setFillRule(Qt::OddEvenFill);
        QRadialGradient metal(QPointF(-w * 0.1, -w * 0.1), outer * 1.4);
        metal.setColorAt(0, ink::GoldLight);
        metal.setColorAt(1, ink::Gold.darker(140));
        p.setPen(QPen(ink::Gold.darker(180), 1));
        p.setBrush(metal);
        p.drawPath(cog);
        p.restore();
        // The fan: three cards from one pivot, spread by a smooth swell over the cycle.
        const double spread = 4 + 16 * std::pow(std::sin(t * M_PI), 2);
        const QSize card(40, 55);
        const int faces[3] = {21, 33, 36}; // jack of hearts, ace of hearts, ace of spades
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(w / 2, h * 0.62);
            p.rotate((i - 1) * spread);
            p.fillRect(
                QRectF(-card.width() / 2.0 - 0.5, -h * 0.55 - 0.5, card.width() + 1, card.height() + 1),
                ink::Edge);
            p.drawImage(QPointF(-card.width() / 2.0, -h * 0.55), DrawFace(faces[i], card, style, false));
            p.restore();
        }
        p.end();
        out.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

// "GMedal": a ribbon and a large gold disc with an empty middle, where the window draws the place.
QImage DrawPlaceMedal(QSize size) {
    QImage img = Sheet(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setPen(QPen(ink::Red.darker(140), 1));
    p.setBrush(ink::Red);
    p.drawPolygon(QPolygonF({QPointF(w * 0.22, 0), QPointF(w * 0.42, 0), QPointF(w * 0.6, h * 0.42),
                             QPointF(w * 0.44, h * 0.46)}));
    p.setBrush(QColor(0x1F, 0x3A, 0x7A));
    p.drawPolygon(QPolygonF({QPointF(w * 0.78, 0), QPointF(w * 0.58, 0), QPointF(w * 0.4, h * 0.42),
                             QPointF(w * 0.56, h * 0.46)}));
    // The disc: its middle at (50, 76) of the 100 x 120 picture.
    const QPointF c(w * 0.5, h * 76.0 / 120.0);
    const double r = w * 0.42;
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, ink::GoldLight);
    g.setColorAt(0.6, ink::Gold);
    g.setColorAt(1, ink::Gold.darker(160));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold.darker(180), 2));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(ink::Gold.darker(140), 1.5));
    p.setBrush(QColor(0xFF, 0xF4, 0xC8));
    p.drawEllipse(c, r * 0.72, r * 0.72);
    // Laurel dots round the rim.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Gold.darker(150));
    for (int k = 0; k < 16; ++k) {
        const double a = k * M_PI / 8;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.86, r * 0.05, r * 0.05);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// "GPlace01" ... "GPlace10": the place number in dark red, to lie in the medal's middle.
QImage DrawPlaceNumber(QSize size, int place) {
    QImage img = Sheet(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const QFont font = BoldFont(size.height() * (place >= 10 ? 0.62 : 0.8));
    path.addText(0, 0, font, QString::number(place));
    const QRectF r = path.boundingRect();
    path.translate(size.width() / 2.0 - r.center().x(), size.height() / 2.0 - r.center().y());
    p.setPen(QPen(QColor(0xFF, 0xF4, 0xC8), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8E, 0x1B, 0x22));
    p.drawPath(path);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}
} // namespace

bool AddBuiltinPictures(ResourceSet& set, const QString& scratchDir, QString* error) {
    const DeckStyle style;
    // The deck: bitmaps for the small window, PNG for the others.
    for (int card = 1; card <= 36; ++card) {
        const QString name =
            QString::fromLatin1(Suits[(card - 1) % 4]) + QString::fromLatin1(Ranks[(card - 1) / 4]);
        set.Add(QStringLiteral("BITMAP"), name, BmpBytes(DrawFace(card, {69, 94}, style, false)));
        set.Add(Rc, name + 'B', PngBytes(DrawFace(card, {146, 198}, style, true)));
    }
    for (int b = 1; b <= 7; ++b) {
        const QString name = QString::fromLatin1(Days[b - 1]);
        const QImage small = DrawBack(b, {69, 94}, BackPattern::Lattice, false);
        const QImage large = DrawBack(b, {146, 198}, BackPattern::Lattice, true);
        set.Add(QStringLiteral("BITMAP"), name, BmpBytes(small));
        set.Add(QStringLiteral("BITMAP"), name + 'R', BmpBytes(Turned(small)));
        set.Add(Rc, name + 'B', PngBytes(large));
        set.Add(Rc, name + QStringLiteral("RB"), PngBytes(Turned(large)));
    }
    for (int s = 0; s < 4; ++s) {
        set.Add(QStringLiteral("BITMAP"), QString::fromLatin1(Icons[s]), BmpBytes(DrawSuitIcon(s, 20, true)));
        set.Add(Rc, QString::fromLatin1(Icons[s]) + 'B', PngBytes(DrawSuitIcon(s, 40, false)));
    }
    set.Add(QStringLiteral("JPEG"), QStringLiteral("FonG"), JpegBytes(DrawCloth(2, 0, {760, 500})));
    set.Add(QStringLiteral("JPEG"), QStringLiteral("FonGB"), JpegBytes(DrawCloth(2, 0, {1920, 922})));

    // The talon and the blank.
    set.Add(Rc, QStringLiteral("GKolodaSmall"), PngBytes(DrawTalonBase({58, 25})));
    set.Add(Rc, QStringLiteral("GKolodaSmallB"), PngBytes(DrawTalonBase({116, 50})));
    set.Add(Rc, QStringLiteral("GKolodaLarge"), PngBytes(DrawTalonSpot({60, 60})));
    set.Add(Rc, QStringLiteral("GKolodaLargeB"), PngBytes(DrawTalonSpot({120, 120})));
    QImage free(10, 10, QImage::Format_ARGB32);
    free.fill(Qt::transparent);
    set.Add(Rc, QStringLiteral("GFree"), PngBytes(free));

    // Plates, bubbles, pointers and timers around the table.
    set.Add(Rc, QStringLiteral("RamkaDGSm"), PngBytes(DrawPlateFrame({130, 70}, ink::Navy)));
    set.Add(Rc, QStringLiteral("RamkaDGBg"), PngBytes(DrawPlateFrame({260, 140}, ink::Navy)));
    set.Add(Rc, QStringLiteral("RamkaERSm"), PngBytes(DrawPlateFrame({130, 90}, ink::Red.darker(120))));
    set.Add(Rc, QStringLiteral("RamkaERBg"), PngBytes(DrawPlateFrame({260, 180}, ink::Red.darker(120))));
    const char* const hands[4] = {"Hand_Up", "Hand_Down", "Hand_Left", "Hand_Right"};
    for (int d = 0; d < 4; ++d)
        set.Add(Rc, QString::fromLatin1(hands[d]),
                PngBytes(DrawPointer(d < 2 ? QSize(40, 60) : QSize(60, 40), d)));
    const std::pair<const char*, QColor> bubbles[5] = {{"SPBlue", QColor(0x1F, 0x5A, 0xB8)},
                                                       {"SPGreen", QColor(0x1E, 0x8B, 0x3A)},
                                                       {"SPRed", QColor(0xC0, 0x18, 0x2B)},
                                                       {"SPYellow", QColor(0xD8, 0xA8, 0x10)},
                                                       {"SPFiolet", QColor(0x7A, 0x2A, 0xA8)}};
    for (const auto& [name, colour] : bubbles) {
        set.Add(Rc, QString::fromLatin1(name), PngBytes(DrawBubble({160, 20}, colour)));
        set.Add(Rc, QString::fromLatin1(name) + 'B', PngBytes(DrawBubble({320, 40}, colour)));
    }
    set.Add(Rc, QStringLiteral("GTimerR"), PngBytes(DrawTimer({50, 50}, ink::Red)));
    set.Add(Rc, QStringLiteral("GTimerY"), PngBytes(DrawTimer({50, 50}, QColor(0xF0, 0xC0, 0x20))));

    // Clocks of the main menu: the time in green, each online figure in its own colour.
    set.Add(Rc, QStringLiteral("GClockBG"), PngBytes(DrawClockBack({115, 64})));
    const QColor clockGreen(0x40, 0xF0, 0x60);
    for (int d = 0; d <= 9; ++d)
        set.Add(Rc, QStringLiteral("GBClock%1").arg(d),
                PngBytes(DrawDigit(QChar('0' + d), {18, 40}, clockGreen, clockGreen)));
    set.Add(Rc, QStringLiteral("GBClockP"), PngBytes(DrawDigit(':', {8, 18}, clockGreen, clockGreen)));
    const std::pair<const char*, QColor> figures[6] = {
        {"GRClock", QColor(0xFF, 0x50, 0x50)}, {"GAClock", QColor(0xFF, 0xB0, 0x30)},
        {"GGClock", QColor(0x40, 0xF0, 0x60)}, {"GYClock", QColor(0xF0, 0xE0, 0x40)},
        {"GVClock", QColor(0xB0, 0x80, 0xFF)}, {"GNClock", QColor(0x50, 0xC8, 0xFF)}};
    for (const auto& [name, colour] : figures) {
        const QString base = QString::fromLatin1(name);
        for (int d = 0; d <= 9; ++d)
            set.Add(Rc, base + QString::number(d),
                    PngBytes(DrawDigit(QChar('0' + d), {16, 34}, colour, colour)));
        set.Add(Rc, base + 'M', PngBytes(DrawDigit('M', {16, 34}, colour, colour)));
        set.Add(Rc, base + 'P', PngBytes(DrawDigit('P', {16, 34}, colour, colour)));
    }
    set.Add(Rc, QStringLiteral("Windows"), PngBytes(DrawRoundIcon(48, QStringLiteral("PC"), ink::Navy)));
    set.Add(Rc, QStringLiteral("Android"), PngBytes(DrawRoundIcon(48, QStringLiteral("\u260E"), ink::Cloth)));
    set.Add(Rc, QStringLiteral("Account48"), PngBytes(DrawRoundIcon(48, QStringLiteral("\u263A"), ink::Red)));
    set.Add(Rc, QStringLiteral("GTourMenu"), PngBytes(DrawRoundIcon(48, QStringLiteral("T"), ink::Cloth)));
    // A tournament player without a photo: a face by sex.
    set.Add(Rc, QStringLiteral("GAcNoM"), PngBytes(DrawRoundIcon(96, QStringLiteral("\u2642"), ink::Navy)));
    set.Add(Rc, QStringLiteral("GAcNoF"), PngBytes(DrawRoundIcon(96, QStringLiteral("\u2640"), ink::Red)));

    // The account windows: state stars, field lamps, the faces of the lists, the photo frame.
    const std::pair<char, QColor> states[3] = {
        {'R', QColor(0xE0, 0x20, 0x20)}, {'Y', QColor(0xF0, 0xC8, 0x10)}, {'G', QColor(0x20, 0xB0, 0x30)}};
    for (const auto& [letter, colour] : states) {
        set.Add(Rc, QStringLiteral("Star") + QLatin1Char(letter) + QLatin1Char('0'), PngBytes(DrawStateStar(40, colour)));
        set.Add(Rc, QStringLiteral("Lamp") + QLatin1Char(letter), PngBytes(DrawLamp(16, colour)));
    }
    // The tournament window's state: the server open or closed.
    set.Add(Rc, QStringLiteral("GTourOn"), PngBytes(DrawLamp(28, states[2].second)));
    set.Add(Rc, QStringLiteral("GTourOff"), PngBytes(DrawLamp(28, states[0].second)));
    set.Add(Rc, QStringLiteral("FaceMan16"), PngBytes(DrawListFace(16, true)));
    set.Add(Rc, QStringLiteral("FaceWoman16"), PngBytes(DrawListFace(16, false)));
    set.Add(Rc, QStringLiteral("GAcFrame"), PngBytes(DrawPhotoFrame({240, 290}, {20, 20, 200, 250})));
    set.Add(Rc, QStringLiteral("GAcNoPhoto"), PngBytes(DrawNoPhoto({200, 250})));

    // News and chat shelf, medals, title and captions.
    set.Add(Rc, QStringLiteral("GPolkaNw"), PngBytes(DrawShelf({220, 54})));
    AddRadioBuiltins(set);
    set.Add(Rc, QStringLiteral("GNews072"), PngBytes(DrawRoundIcon(72, QStringLiteral("NEWS"), ink::Navy)));
    set.Add(Rc, QStringLiteral("GChat072"), PngBytes(DrawRoundIcon(72, QStringLiteral("CHAT"), ink::Cloth)));
    for (int m = 1; m <= 3; ++m)
        set.Add(Rc, QStringLiteral("GMEDAL%1").arg(m, 2, 10, QLatin1Char('0')), PngBytes(DrawMedal(32, m)));
    set.Add(Rc, QStringLiteral("GTitle"),
            PngBytes(DrawTitle({600, 160}, QStringLiteral("Tarvo-Trio"), QString())));
    // The title screen's emblem, shown left and right of the name.
    set.Add(Rc, QStringLiteral("Logo"), PngBytes(DrawRoundIcon(128, QStringLiteral("\u2660"), ink::Red)));
    const char16_t* const captions[8] = {
        u"Tarvo-Trio", u"\u0422\u0430\u0440\u0432\u043E-\u0422\u0440\u0438\u043E",
        u"Tarvo-Trio", u"Tarvo-Trio",
        u"Tarvo-Trio", u"\u4E09\u4EBA\u675C\u62C9\u514B",
        u"Tarvo-Trio", u"Tarvo-Trio"};
    const char16_t* const elite[8] = {u"Elite",      u"\u042D\u043B\u0438\u0442\u0430",
                                      u"Elite",      u"\u00C9lite",
                                      u"\u00C9lite", u"\u7CBE\u82F1",
                                      u"\u00C9lite", u"Elita"};
    const char16_t* const network[8] = {
        u"Network game",  u"\u0421\u0435\u0442\u0435\u0432\u0430\u044F \u0438\u0433\u0440\u0430",
        u"Netzwerkspiel", u"Jeu en r\u00E9seau",
        u"Juego en red",  u"\u7F51\u7EDC\u6E38\u620F",
        u"Gioco in rete", u"S\u00ED\u0165ov\u00E1 hra"};
    for (int l = 0; l < 8; ++l) {
        const QString code = QString::fromLatin1(Languages[l]);
        set.Add(Rc, QStringLiteral("Cap") + code,
                PngBytes(DrawCaption({300, 60}, QString::fromUtf16(captions[l]), ink::Gold)));
        set.Add(Rc, QStringLiteral("Elite") + code,
                PngBytes(DrawCaption({200, 40}, QString::fromUtf16(elite[l]), ink::Red)));
        set.Add(Rc, QStringLiteral("Net__") + code,
                PngBytes(DrawCaption({200, 40}, QString::fromUtf16(network[l]), QColor(0x2A, 0x7F, 0xB8))));
    }
    set.Add(Rc, QStringLiteral("GSvitok"), PngBytes(DrawScroll({450, 570})));
    set.Add(Rc, QStringLiteral("GCap300"), PngBytes(DrawRibbon({300, 64})));
    set.Add(Rc, QStringLiteral("GLenta280x090"), PngBytes(DrawRibbon({280, 90})));
    set.Add(Rc, QStringLiteral("AdvBar3"), PngBytes(DrawNoticeBar({175, 40})));

    // Button pieces by height: left cap, right cap, middle.
    for (const int h : {29, 44, 59})
        for (const bool alt : {false, true}) {
            const QString base = QString(alt ? QChar('Q') : QChar('R')) + QString::number(h);
            set.Add(Rc, base + QStringLiteral("_L"), PngBytes(DrawButtonPiece(h, 0, alt)));
            set.Add(Rc, base + QStringLiteral("_R"), PngBytes(DrawButtonPiece(h, 1, alt)));
            set.Add(Rc, base + QStringLiteral("_2"), PngBytes(DrawButtonPiece(h, 2, alt)));
        }

    // Cursors: frames of 32 x 32 side by side.
    const char* const cursors[3] = {"CURHAND", "CURWAIT", "CUREDIT"};
    for (int k = 0; k < 3; ++k)
        set.Add(QStringLiteral("ANICURSOR"), QString::fromLatin1(cursors[k]),
                PngBytes(DrawCursorFrames(k, 8)));

    // Animations.
    QDir().mkpath(scratchDir);
    const char* const banners[3] = {"GKonBads", "GKonGood", "GKonNich"};
    for (int o = 0; o < 3; ++o)
        if (!AddGif(set, QString::fromLatin1(banners[o]), DrawResultBanner({240, 110}, o, 24), 8, scratchDir,
                    error))
            return false;
    if (!AddGif(set, QStringLiteral("GifMenu1"), DrawMenuAnimation({160, 200}, 1, 24), 8, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GifMenu2"), DrawMenuAnimation({160, 200}, 2, 24), 8, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GSirenaB"), DrawSiren({30, 33}, QColor(0x30, 0x60, 0xFF), 8), 10,
                scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GSirenaR"), DrawSiren({30, 33}, QColor(0xFF, 0x30, 0x30), 8), 10,
                scratchDir, error))
        return false;
    // The records windows: the medal with its place numbers, the top ten cup, the club badges and
    // the three endings of a cycle.
    set.Add(Rc, QStringLiteral("GMedal"), PngBytes(DrawPlaceMedal({100, 120})));
    for (int place = 1; place <= 10; ++place)
        set.Add(Rc, QStringLiteral("GPlace%1").arg(place, 2, 10, QLatin1Char('0')),
                PngBytes(DrawPlaceNumber({48, 48}, place)));
    if (!AddGif(set, QStringLiteral("GTopTen"), DrawTopTenCup({240, 120}, 20), 8, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GClubF"), DrawClubBadge({60, 75}, false, 16), 10, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GClubG"), DrawClubBadge({60, 75}, true, 16), 10, scratchDir, error))
        return false;
    for (const char* code : {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"})
        set.Add(Rc, QStringLiteral("FlagO") + QLatin1String(code), PngBytes(DrawFlag(QLatin1String(code))));
    // The options dialog's corner piece; frame 35 is its still frame.
    if (!AddGif(set, QStringLiteral("GOpt"), DrawOptionsAnimation({90, 120}, 36), 6, scratchDir, error))
        return false;
    const char* const endings[3] = {"GEndBest", "GEndGood", "GEndBads"};
    for (int k = 0; k < 3; ++k)
        if (!AddGif(set, QString::fromLatin1(endings[k]), DrawCycleEnd({240, 120}, k, 24), 8, scratchDir,
                    error))
            return false;
    // The world: the chat board's "new" mark and the menu's link pictures (the world top ten, the
    // statistics, the product page, the mobile edition's store entries).
    set.Add(Rc, QStringLiteral("GNew"), PngBytes(DrawNewMark({40, 18})));
    set.Add(Rc, QStringLiteral("GWorld48"),
            PngBytes(DrawRoundIcon(48, QStringLiteral("TOP"), ink::Gold.darker(140))));
    set.Add(Rc, QStringLiteral("GStat48"),
            PngBytes(DrawRoundIcon(48, QStringLiteral("\u03A3"), QColor(0x6A, 0x2A, 0x98))));
    set.Add(Rc, QStringLiteral("GHome48"), PngBytes(DrawRoundIcon(48, QStringLiteral("www"), ink::Navy)));
    set.Add(Rc, QStringLiteral("GApk48"), PngBytes(DrawRoundIcon(48, QStringLiteral("APK"), ink::Cloth)));
    set.Add(Rc, QStringLiteral("GPlay48"), PngBytes(DrawRoundIcon(48, QStringLiteral("\u25B6"), ink::Cloth)));
    return true;
}

} // namespace tarvo::art
