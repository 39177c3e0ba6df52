// The world's pictures: the "new" mark of the chat board.
#include <QFont>
#include <QLinearGradient>

#include "tools/art/Art.h"

namespace tarvo::art {

QImage DrawNewMark(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 1, size.width() - 2, size.height() - 2);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, ink::Red.lighter(140));
    g.setColorAt(1, ink::Red.darker(120));
    p.setBrush(g);
    p.setPen(QPen(ink::Gold, 1.2));
    p.drawRoundedRect(body, size.height() / 3.0, size.height() / 3.0);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(int(size.height() * 0.62));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(body, Qt::AlignCenter, QStringLiteral("NEW"));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace tarvo::art
