#include "tools/art/RadioArt.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "tools/art/Art.h"

namespace tarvo::art {

namespace {

QFont Sans(double pixels, bool bold = true) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(bold);
    f.setPixelSize(std::max(1, int(pixels)));
    return f;
}

// A glossy round button face, the base of the player's buttons.
void ButtonFace(QPainter& p, const QRectF& r, const QColor& colour) {
    QRadialGradient g(r.left() + r.width() * 0.4, r.top() + r.height() * 0.3, r.width() * 0.7);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(0.6, colour);
    g.setColorAt(1, colour.darker(170));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, std::max(1.5, r.width() / 22)));
    p.drawEllipse(r);
    QLinearGradient shine(0, r.top(), 0, r.center().y());
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(r.left() + r.width() * 0.18, r.top() + r.height() * 0.06, r.width() * 0.64,
                         r.height() * 0.42));
}

QPolygonF Triangle(double x, double y, double w, double h, bool right) {
    return right ? QPolygonF({QPointF(x, y), QPointF(x + w, y + h / 2), QPointF(x, y + h)})
                 : QPolygonF({QPointF(x + w, y), QPointF(x, y + h / 2), QPointF(x + w, y + h)});
}

} // namespace

QImage DrawRadioSet(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    // Cabinet of polished wood with a rounded top.
    QPainterPath body;
    body.addRoundedRect(QRectF(2, h * 0.12, w - 4, h * 0.86), h * 0.16, h * 0.16);
    QLinearGradient wood(0, h * 0.12, 0, h);
    wood.setColorAt(0, QColor(0xA8, 0x62, 0x2C));
    wood.setColorAt(0.5, QColor(0x7A, 0x40, 0x18));
    wood.setColorAt(1, QColor(0x4A, 0x26, 0x0E));
    p.setBrush(wood);
    p.setPen(QPen(QColor(0x2E, 0x16, 0x06), 2));
    p.drawPath(body);
    // The aerial.
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC8), 2));
    p.drawLine(QPointF(w * 0.78, h * 0.13), QPointF(w * 0.9, 1));
    // Speaker cloth with its grille.
    const QRectF speaker(w * 0.07, h * 0.24, w * 0.42, h * 0.62);
    p.setPen(QPen(QColor(0x2E, 0x16, 0x06), 1.5));
    p.setBrush(QColor(0xD8, 0xC4, 0x96));
    p.drawRoundedRect(speaker, 6, 6);
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x3A), 1));
    for (double x = speaker.left() + 5; x < speaker.right() - 2; x += 5)
        p.drawLine(QPointF(x, speaker.top() + 3), QPointF(x, speaker.bottom() - 3));
    // Dial window with its scale, and the two knobs.
    const QRectF dial(w * 0.55, h * 0.24, w * 0.38, h * 0.3);
    p.setPen(QPen(ink::Gold, 1.5));
    p.setBrush(QColor(0xF4, 0xE8, 0xC0));
    p.drawRoundedRect(dial, 4, 4);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x08), 1));
    for (int k = 0; k <= 10; ++k) {
        const double x = dial.left() + 4 + k * (dial.width() - 8) / 10;
        p.drawLine(QPointF(x, dial.bottom() - 3), QPointF(x, dial.bottom() - (k % 5 == 0 ? 10 : 6)));
    }
    for (double cx : {w * 0.62, w * 0.86}) {
        QRadialGradient knob(cx - 2, h * 0.7 - 2, h * 0.12);
        knob.setColorAt(0, QColor(0xF0, 0xE0, 0xB0));
        knob.setColorAt(1, QColor(0x6A, 0x4A, 0x1A));
        p.setBrush(knob);
        p.setPen(QPen(QColor(0x2E, 0x16, 0x06), 1));
        p.drawEllipse(QPointF(cx, h * 0.72), h * 0.1, h * 0.1);
    }
    return Done(img);
}

QImage DrawRadioLamp(QSize size, int state) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QColor colour = state == 2 ? QColor(0x30, 0xF0, 0x50) : state == 1 ? QColor(0xF0, 0x30, 0x30)
                                                                            : QColor(0x50, 0x50, 0x50);
    // The dial glows while the radio plays; the needle stands where the station is.
    const QRectF dial(w * 0.55, h * 0.24, w * 0.38, h * 0.3);
    if (state == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x80, 0xFF, 0x80, 90));
        p.drawRoundedRect(dial, 4, 4);
    }
    p.setPen(QPen(state == 0 ? QColor(0x60, 0x60, 0x60) : QColor(0xC0, 0x10, 0x10), 2));
    p.drawLine(QPointF(dial.left() + dial.width() * 0.62, dial.top() + 2),
               QPointF(dial.left() + dial.width() * 0.62, dial.bottom() - 2));
    // The lamp on the cabinet's top edge.
    const QPointF lamp(w * 0.5 + 2, h * 0.17);
    QRadialGradient glow(lamp, h * 0.12);
    glow.setColorAt(0, colour.lighter(160));
    glow.setColorAt(0.6, colour);
    glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), state == 0 ? 255 : 0));
    p.setBrush(glow);
    p.setPen(state == 0 ? QPen(QColor(0x20, 0x20, 0x20), 1) : QPen(Qt::NoPen));
    p.drawEllipse(lamp, h * 0.07, h * 0.07);
    if (state == 0) { // no list or no pictures: the set is crossed out
        p.setPen(QPen(QColor(0xC0, 0x10, 0x10, 200), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(w * 0.12, h * 0.3), QPointF(w * 0.88, h * 0.9));
        p.drawLine(QPointF(w * 0.88, h * 0.3), QPointF(w * 0.12, h * 0.9));
    }
    return Done(img);
}

QImage DrawPlayerButton(int size, int kind) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    ButtonFace(p, QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), ink::Navy);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x10, 0x20, 0x40), 1));
    switch (kind) {
    case 0:
        p.drawPolygon(Triangle(s * 0.4, s * 0.3, s * 0.3, s * 0.4, true));
        break;
    case 1:
        p.drawRect(QRectF(s * 0.34, s * 0.3, s * 0.11, s * 0.4));
        p.drawRect(QRectF(s * 0.55, s * 0.3, s * 0.11, s * 0.4));
        break;
    case 2:
        // The small arrow back on the left third, the large one ahead on the right.
        p.drawPolygon(Triangle(s * 0.14, s * 0.4, s * 0.14, s * 0.2, false));
        p.drawRect(QRectF(s * 0.12, s * 0.4, s * 0.03, s * 0.2));
        p.drawPolygon(Triangle(s * 0.4, s * 0.3, s * 0.2, s * 0.4, true));
        p.drawPolygon(Triangle(s * 0.58, s * 0.3, s * 0.2, s * 0.4, true));
        p.drawRect(QRectF(s * 0.78, s * 0.3, s * 0.05, s * 0.4));
        p.setPen(QPen(QColor(255, 255, 255, 110), 1));
        p.drawLine(QPointF(s / 3, s * 0.22), QPointF(s / 3, s * 0.78));
        break;
    default: {
        // A loudspeaker in the upper half, minus and plus at the sides; the number goes below.
        QPolygonF speaker({QPointF(s * 0.4, s * 0.24), QPointF(s * 0.47, s * 0.24), QPointF(s * 0.57, s * 0.15),
                           QPointF(s * 0.57, s * 0.5), QPointF(s * 0.47, s * 0.41), QPointF(s * 0.4, s * 0.41)});
        p.drawPolygon(speaker);
        p.setFont(Sans(s * 0.3));
        p.setPen(Qt::white);
        p.drawText(QRectF(s * 0.08, s * 0.2, s * 0.3, s * 0.3), Qt::AlignCenter, QStringLiteral("\u2212"));
        p.drawText(QRectF(s * 0.62, s * 0.2, s * 0.3, s * 0.3), Qt::AlignCenter, QStringLiteral("+"));
        break;
    }
    }
    return Done(img);
}

QImage DrawPowerButton(QSize size, bool on) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QColor colour = on ? QColor(0x18, 0xA0, 0x38) : QColor(0xB0, 0x18, 0x20);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(160));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, 3));
    p.drawRoundedRect(QRectF(3, 3, w - 6, h - 6), h * 0.25, h * 0.25);
    // The power sign.
    const QPointF c(w / 2, h / 2 + 2);
    const double r = h * 0.26;
    p.setPen(QPen(Qt::white, h * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 120 * 16, 300 * 16);
    p.drawLine(QPointF(c.x(), c.y() - r * 1.25), QPointF(c.x(), c.y() - r * 0.2));
    return Done(img);
}

QImage DrawVolumeMeter(QSize size, int lit) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setBrush(QColor(0x18, 0x18, 0x20));
    p.setPen(QPen(ink::Gold, 1.5));
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 4, 4);
    const double step = (w - 8) / 10;
    for (int k = 0; k < 10; ++k) {
        const double barH = (h - 8) * (0.3 + 0.7 * (k + 1) / 10.0);
        const QColor on = k < 6 ? QColor(0x40, 0xE0, 0x50) : k < 8 ? QColor(0xF0, 0xD0, 0x30) : QColor(0xF0, 0x40, 0x30);
        p.setPen(Qt::NoPen);
        p.setBrush(k < lit ? on : QColor(0x40, 0x40, 0x48));
        p.drawRect(QRectF(4 + k * step + 0.5, h - 4 - barH, step - 1.5, barH));
    }
    return Done(img);
}

QImage DrawLogoFrame(int size) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath frame;
    frame.addRoundedRect(QRectF(2, 2, s - 4, s - 4), 14, 14);
    frame.addRoundedRect(QRectF(14, 14, s - 28, s - 28), 8, 8);
    QLinearGradient gold(0, 0, s, s);
    gold.setColorAt(0, ink::GoldLight);
    gold.setColorAt(0.5, ink::Gold);
    gold.setColorAt(1, QColor(0x7A, 0x5A, 0x18));
    p.setBrush(gold);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x08), 1.5));
    p.drawPath(frame);
    return Done(img);
}

QImage DrawStationLogo(int size, const QString& name) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // Each station keeps its own colour: a hue from its name.
    const int hue = static_cast<int>(qHash(name, 7) % 360);
    const QColor colour = QColor::fromHsv(hue, 150, 170);
    QRadialGradient g(s * 0.4, s * 0.35, s * 0.7);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour.darker(170));
    p.setBrush(g);
    p.setPen(QPen(Qt::white, 3));
    p.drawEllipse(QRectF(4, 4, s - 8, s - 8));
    // The name on up to three lines, as large as it fits.
    p.setPen(Qt::white);
    const QRectF box(s * 0.16, s * 0.2, s * 0.68, s * 0.6);
    for (int px = int(s * 0.24); px >= 9; --px) {
        p.setFont(Sans(px));
        const QRectF need = p.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, name);
        if (need.width() <= box.width() && need.height() <= box.height()) break;
    }
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, name);
    return Done(img);
}

QImage DrawRadioHeader(QSize size) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setFont(Sans(h * 0.42));
    QPainterPath text;
    text.addText(0, 0, p.font(), QStringLiteral("RADIO"));
    const QRectF r = text.boundingRect();
    text.translate(w / 2 - r.center().x() + h * 0.3, h / 2 - r.center().y());
    QLinearGradient g(0, h * 0.2, 0, h * 0.8);
    g.setColorAt(0, ink::GoldLight);
    g.setColorAt(1, ink::Gold);
    p.setBrush(g);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x08), 1.5));
    p.drawPath(text);
    // Waves from an aerial to the left of the word.
    const QPointF aerial(text.boundingRect().left() - h * 0.45, h * 0.55);
    p.setPen(QPen(ink::GoldLight, 2));
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= 3; ++k) {
        const double rr = h * 0.1 * k;
        p.drawArc(QRectF(aerial.x() - rr, aerial.y() - rr, 2 * rr, 2 * rr), -45 * 16, 90 * 16);
    }
    p.drawLine(aerial, QPointF(aerial.x(), h * 0.9));
    return Done(img);
}

void AddRadioBuiltins(ResourceSet& set, const QString& flagsFolder) {
    const QString rc = QStringLiteral("RCDATA");
    const QSize setSize(146, 95);
    set.Add(rc, QStringLiteral("GRadioA"), PngBytes(DrawRadioSet(setSize)));
    const char* const lamps[3] = {"GRadioB", "GRadioR", "GRadioG"};
    for (int state = 0; state < 3; ++state)
        set.Add(rc, QLatin1String(lamps[state]), PngBytes(DrawRadioLamp(setSize, state)));
    const char* const buttons[4] = {"MP_Play", "MP_Pause", "MP_Next", "MP_Volume"};
    for (int kind = 0; kind < 4; ++kind)
        set.Add(rc, QLatin1String(buttons[kind]), PngBytes(DrawPlayerButton(61, kind)));
    // The flags are fitted from the system's 16 x 11 pictures into the list's 14 x 12.
    const QDir flags(flagsFolder);
    for (const QString& file : flags.entryList({QStringLiteral("??.png")}, QDir::Files)) {
        QImage flag(flags.filePath(file));
        if (flag.isNull()) continue;
        QImage img = Blank(QSize(14, 12));
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, 14, 12), flag);
        p.setPen(QColor(0x40, 0x40, 0x40, 120));
        p.drawRect(QRectF(0.5, 0.5, 13, 11));
        p.end();
        set.Add(rc, QStringLiteral("FlagR") + file.left(2).toUpper(), PngBytes(Done(img)));
    }
}

void AddRadioPackage(ResourceSet& set, const std::vector<std::pair<QString, QString>>& logos) {
    const QString rc = QStringLiteral("RCDATA");
    set.Add(rc, QStringLiteral("RRADIO_MAING"), PngBytes(DrawPowerButton({145, 90}, true)));
    set.Add(rc, QStringLiteral("RRADIO_MAINR"), PngBytes(DrawPowerButton({145, 90}, false)));
    for (int lit = 0; lit <= 10; ++lit)
        set.Add(rc, QStringLiteral("RRADIO_VOLUME%1").arg(lit, 2, 10, QLatin1Char('0')),
                PngBytes(DrawVolumeMeter({78, 30}, lit)));
    set.Add(rc, QStringLiteral("RRADIO_RAMKA"), PngBytes(DrawLogoFrame(180)));
    set.Add(rc, QStringLiteral("RRADIO_LOGO_RADIOUN"), PngBytes(DrawStationLogo(152, QStringLiteral("Radio"))));
    for (const auto& [picture, station] : logos) set.Add(rc, picture, PngBytes(DrawStationLogo(152, station)));
}

} // namespace tarvo::art
