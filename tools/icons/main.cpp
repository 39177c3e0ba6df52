// Draws the program's icon for the desktop: PNGs in the icon theme's sizes and one scalable SVG,
// all from the same painting, so that every size is the same card.
// Usage: tarvo3-icons OUTPUT_DIR  (writes OUTPUT_DIR/hicolor/<size>/apps/tarvo3.png and .svg)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

#include "tools/art/Art.h"

namespace {

// The ace of spades standing upright in a square of `side` units, a little narrower than tall.
void PaintIcon(QPainter& p, double side) {
    using namespace tarvo::art;
    p.setRenderHint(QPainter::Antialiasing);
    const double h = side * 0.94, w = h * 0.72;
    const QRectF card((side - w) / 2, (side - h) / 2, w, h);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), std::max(1.0, side / 64)));
    p.setBrush(ink::Paper);
    p.drawRoundedRect(card, w * 0.1, w * 0.1);
    const QPointF c = card.center();
    const double big = w * 0.62;
    // The gold ring of the game's ace; on the smallest sizes it would only blur the pip.
    if (side >= 32) {
        p.setPen(QPen(ink::Gold, std::max(1.0, side / 48)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, big * 0.74, big * 0.74);
    }
    DrawSuit(p, 3, QRectF(c.x() - big / 2, c.y() - big / 2, big, big), ink::Black);
}

bool WritePng(const QString& dir, int side) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(dir).arg(side);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintIcon(p, side);
    p.end();
    return QDir().mkpath(folder) && image.save(folder + QStringLiteral("/tarvo3.png"), "PNG");
}

bool WriteSvg(const QString& dir) {
    const QString folder = dir + QStringLiteral("/hicolor/scalable/apps");
    if (!QDir().mkpath(folder)) return false;
    constexpr int side = 256;
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/tarvo3.svg"));
    svg.setSize(QSize(side, side));
    svg.setViewBox(QRect(0, 0, side, side));
    svg.setTitle(QStringLiteral("Tarvo-Trio"));
    QPainter p;
    if (!p.begin(&svg)) return false;
    PaintIcon(p, side);
    return p.end();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvo3-icons OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        if (!WritePng(dir, side)) {
            std::fprintf(stderr, "tarvo3-icons: cannot write the %d pixel icon in %s\n", side, argv[1]);
            return 1;
        }
    if (!WriteSvg(dir)) {
        std::fprintf(stderr, "tarvo3-icons: cannot write the scalable icon in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
