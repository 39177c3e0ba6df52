#include "TitleScreen.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "TarvoVersion.h"
#include "packages/Package.h"
#include "table/MenuClocks.h"

namespace tarvo {

TitleScreen::TitleScreen(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(&timer_, &QTimer::timeout, this, [this] {
        ++tick_;
        update();
    });
    timer_.start(20);
}

void TitleScreen::SetCaption(int language, int captionColour) {
    language_ = language;
    captionColour_ = captionColour;
    update();
}

void TitleScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);
    QRect outer = rect().adjusted(12, 12, -12, -12);
    p.setPen(QPen(QColor(0xC0, 0x90, 0x30), 3));
    p.drawRect(outer);
    p.setPen(QPen(QColor(0x80, 0x60, 0x20), 1));
    p.drawRect(outer.adjusted(8, 8, -8, -8));

    static const QImage logo = [] {
        return Package::Program().ReadPicture(RcData, QStringLiteral("Logo"));
    }();
    if (!logo.isNull()) {
        QSize size = logo.size().scaled(110, 110, Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint(40, 40), size), logo);
        p.drawImage(QRect(QPoint(width() - 40 - size.width(), 40), size), logo);
    }

    // The letters rise and glow one after another.
    const QString title = QStringLiteral("Tarvo-Trio");
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(height() / 6);
    font.setBold(true);
    p.setFont(font);
    QFontMetrics metrics(font);
    int x = (width() - metrics.horizontalAdvance(title)) / 2;
    int baseline = height() / 2;
    for (int i = 0; i < title.size(); ++i) {
        double phase = tick_ * 0.08 - i * 0.45;
        int lift = static_cast<int>(std::lround(std::sin(phase) * height() / 60.0));
        int glow = 160 + static_cast<int>(std::lround(95 * (0.5 + 0.5 * std::sin(phase))));
        p.setPen(QColor(glow, glow * 3 / 4, 40));
        p.drawText(x, baseline - lift, QString(title[i]));
        x += metrics.horizontalAdvance(title[i]);
    }
    QImage caption = CaptionPicture(language_, captionColour_);
    if (!caption.isNull()) {
        QSize size = caption.size().scaled(width() / 2, height() / 8, Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint((width() - size.width()) / 2, height() * 3 / 4), size), caption);
    }
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(height() / 25);
    p.setFont(small);
    p.setPen(QColor(0xD0, 0xD0, 0xD0));
    const QString version = QStringLiteral("V ") + QLatin1String(kVersion);
    p.drawText((width() - QFontMetrics(small).horizontalAdvance(version)) / 2, height() * 2 / 3, version);
}

void TitleScreen::mouseReleaseEvent(QMouseEvent*) {
    timer_.stop();
    emit left();
}

void TitleScreen::keyReleaseEvent(QKeyEvent*) {
    timer_.stop();
    emit left();
}

} // namespace tarvo
