#include "table/MediaControls.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "table/Decorations.h"

namespace tarvo {

namespace {
// Balloons over the menu pictures show for five seconds.
constexpr int HintMs = 5000;

void ShowHint(QWidget* widget, QHelpEvent* help, const QString& hint) {
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), hint, widget, {}, HintMs);
}
} // namespace

RadioIndicator::RadioIndicator(QWidget* parent) : QWidget(parent) {
    resize(Width, Height);
    setCursor(Qt::PointingHandCursor);
}

void RadioIndicator::SetLook(Look look, const QString& hint) {
    if (look_ == look && hint_ == hint) return;
    look_ = look;
    hint_ = hint;
    update();
}

void RadioIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 71, BuiltinPicture(QStringLiteral("GPolkaNw")));
    p.drawImage(37, 6, BuiltinPicture(QStringLiteral("GRadioA")));
    const char* lamp = look_ == Look::On ? "GRadioG" : look_ == Look::Off ? "GRadioR" : "GRadioB";
    p.drawImage(37, 6, BuiltinPicture(QLatin1String(lamp)));
}

void RadioIndicator::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) return;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emit clicked(event->button() == Qt::RightButton);
}

bool RadioIndicator::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowHint(this, static_cast<QHelpEvent*>(event), hint_);
        return true;
    }
    // The right button belongs to the radio here, not to the window's popup.
    if (event->type() == QEvent::ContextMenu) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

MusicButtons::MusicButtons(QWidget* parent) : QWidget(parent) {
    resize(2 * Step + ButtonSize, ButtonSize);
    setCursor(Qt::PointingHandCursor);
}

void MusicButtons::SetLook(bool playing, int volume, const QString& playHint, const QString& nextHint,
                           const QString& volumeHint, const QFont& volumeFont) {
    playing_ = playing;
    volume_ = volume;
    hints_[0] = playHint;
    hints_[1] = nextHint;
    hints_[2] = volumeHint;
    volumeFont_ = volumeFont;
    update();
}

int MusicButtons::ButtonAt(QPoint at) {
    if (at.y() < 0 || at.y() >= ButtonSize || at.x() < 0) return -1;
    const int button = at.x() / Step;
    return button <= 2 && at.x() - button * Step < ButtonSize ? button : -1;
}

void MusicButtons::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const char* const names[3] = {playing_ ? "MP_Pause" : "MP_Play", "MP_Next", "MP_Volume"};
    for (int b = 0; b < 3; ++b) {
        QRect place(b * Step, 0, ButtonSize, ButtonSize);
        QImage picture = BuiltinPicture(QLatin1String(names[b]));
        if (b == pressed_) { // pressed: a little smaller and darker
            place.adjust(2, 2, -2, -2);
            p.setOpacity(0.8);
        }
        p.drawImage(place, picture);
        p.setOpacity(1.0);
        if (b == 2) {
            p.setFont(volumeFont_);
            p.setPen(QColor(0xFF, 0xFF, 0x00));
            p.drawText(QRect(place.left(), place.top() + place.height() / 2, place.width(), place.height() / 2 - 4),
                       Qt::AlignHCenter | Qt::AlignBottom, QString::number(volume_));
        }
    }
}

void MusicButtons::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = ButtonAt(event->position().toPoint());
    update();
}

void MusicButtons::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const int button = ButtonAt(at);
    const bool same = button == pressed_;
    pressed_ = -1;
    update();
    if (!same) return;
    const int x = at.x() - button * Step;
    if (button == 0) emit playClicked();
    if (button == 1) emit nextClicked(x < ButtonSize / 3);
    if (button == 2) emit volumeClicked(x);
}

bool MusicButtons::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int button = ButtonAt(help->pos());
        ShowHint(this, help, button < 0 ? QString() : hints_[button]);
        return true;
    }
    return QWidget::event(event);
}

} // namespace tarvo
