// The pictures of the account windows: the state stars and the field lamps, the two faces of the
// lists, and the frame around an account's photo.
#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/art/Art.h"

namespace tarvo::art {

QImage DrawStateStar(int size, const QColor& colour) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0 + size * 0.04);
    QRadialGradient g(QPointF(size * 0.42, size * 0.38), size * 0.55);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour.darker(115));
    p.setBrush(g);
    p.setPen(QPen(colour.darker(170), size / 24.0));
    p.drawPath(StarPath(centre, size * 0.47, size * 0.2, 5));
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawLamp(int size, const QColor& colour) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(size * 0.38, size * 0.34), size * 0.6);
    g.setColorAt(0, colour.lighter(190));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(160));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawListFace(int size, bool man) {
    QImage img = Blank(QSize(size, size));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QColor skin(0xF6, 0xD0, 0xA8), hair = man ? QColor(0x5A, 0x3A, 0x1E) : QColor(0xB0, 0x62, 0x1E);
    if (!man) { // long hair behind the face
        p.setBrush(hair);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(s * 0.12, s * 0.16, s * 0.76, s * 0.8), s * 0.3, s * 0.3);
    }
    p.setBrush(skin);
    p.setPen(QPen(QColor(0x80, 0x50, 0x30), s / 16.0));
    p.drawEllipse(QRectF(s * 0.2, s * 0.14, s * 0.6, s * 0.72));
    p.setBrush(hair);
    p.setPen(Qt::NoPen);
    p.drawChord(QRectF(s * 0.2, s * 0.08, s * 0.6, s * 0.5), 0, 180 * 16);
    p.setBrush(QColor(0x20, 0x20, 0x40));
    p.drawEllipse(QPointF(s * 0.38, s * 0.46), s * 0.05, s * 0.06);
    p.drawEllipse(QPointF(s * 0.62, s * 0.46), s * 0.05, s * 0.06);
    p.setPen(QPen(man ? QColor(0x90, 0x30, 0x30) : QColor(0xD0, 0x20, 0x40), s / 14.0));
    p.drawArc(QRectF(s * 0.38, s * 0.52, s * 0.24, s * 0.16), 200 * 16, 140 * 16);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawPhotoFrame(QSize size, QRect window) {
    QImage img = Blank(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, ink::GoldLight);
    g.setColorAt(0.5, ink::Gold);
    g.setColorAt(1, ink::Gold.darker(140));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), 10, 10);
    QPainterPath hole;
    hole.addRect(QRectF(window));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold.darker(170), 2));
    p.drawPath(frame.subtracted(hole));
    p.setPen(QPen(ink::Gold.darker(200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(window).adjusted(-1, -1, 1, 1));
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawNoPhoto(QSize size) {
    QImage img(size, QImage::Format_ARGB32);
    img.fill(QColor(0xD8, 0xDC, 0xE4));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xA8, 0xB0, 0xC0));
    p.setPen(Qt::NoPen);
    const double w = size.width(), h = size.height();
    p.drawEllipse(QRectF(w * 0.32, h * 0.18, w * 0.36, h * 0.32));
    p.drawChord(QRectF(w * 0.12, h * 0.56, w * 0.76, h * 0.7), 0, 180 * 16);
    return img;
}

} // namespace tarvo::art
