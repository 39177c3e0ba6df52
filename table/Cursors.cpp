#include "Cursors.h"

#include <QHash>

#include "packages/Package.h"

namespace tarvo {
namespace {

const char* StripName(CursorRole role) {
    switch (role) {
    case CursorRole::Hand:
        return "CURHAND";
    case CursorRole::Wait:
        return "CURWAIT";
    case CursorRole::Edit:
        return "CUREDIT";
    case CursorRole::Arrow:
        break;
    }
    return nullptr;
}

QPoint HotSpot(CursorRole role) {
    return role == CursorRole::Hand ? QPoint(1, 1) : QPoint(16, 16);
}

Qt::CursorShape SystemShape(CursorRole role) {
    switch (role) {
    case CursorRole::Hand:
        return Qt::PointingHandCursor;
    case CursorRole::Wait:
        return Qt::WaitCursor;
    case CursorRole::Edit:
        return Qt::IBeamCursor;
    case CursorRole::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

QList<QPixmap> OwnCursorFrames(CursorRole role) {
    static QHash<int, QList<QPixmap>> cache;
    int key = static_cast<int>(role);
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    QList<QPixmap> frames;
    if (const char* name = StripName(role)) {
        const QImage strip =
            Package::Program().ReadPicture(QStringLiteral("ANICURSOR"), QString::fromLatin1(name));
        for (int x = 0; x + 32 <= strip.width(); x += 32)
            frames.append(QPixmap::fromImage(strip.copy(x, 0, 32, 32)));
    }
    cache.insert(key, frames);
    return frames;
}

CursorKeeper::CursorKeeper(QWidget* widget) : QObject(widget), widget_(widget) {
    connect(&timer_, &QTimer::timeout, this, [this] {
        ++frame_;
        Apply();
    });
}

void CursorKeeper::SetOwn(bool own) {
    own_ = own;
    Apply();
}

void CursorKeeper::Show(CursorRole role) {
    if (role == role_ && widget_ && widget_->testAttribute(Qt::WA_SetCursor)) return;
    role_ = role;
    frame_ = 0;
    Apply();
}

void CursorKeeper::Apply() {
    if (!widget_) return;
    QList<QPixmap> frames = own_ ? OwnCursorFrames(role_) : QList<QPixmap>();
    if (frames.isEmpty()) {
        timer_.stop();
        widget_->setCursor(SystemShape(role_));
        return;
    }
    QPoint hot = HotSpot(role_);
    widget_->setCursor(QCursor(frames[frame_ % frames.size()], hot.x(), hot.y()));
    if (frames.size() > 1 && !timer_.isActive()) timer_.start(100);
}

} // namespace tarvo
