#include "table/GifAnimation.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "packages/Package.h"

// The built-in pictures live in the table library; asking for them here keeps a program that
// shows only these windows from losing them at link time.
static void RegisterAnimationPictures() {
    Q_INIT_RESOURCE(tarvo_pictures);
}

namespace tarvo {

GifFrames ReadBuiltinGif(const QString& name) {
    static const bool registered = (RegisterAnimationPictures(), true);
    (void)registered;
    GifFrames gif;
    std::optional<QByteArray> bytes = Package::Program().Read(RcData, name);
    if (!bytes) return gif;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    for (;;) {
        QImage frame = reader.read();
        if (frame.isNull()) break;
        gif.frames.push_back(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        // A delay of 0 would spin the timer; browsers treat it as a tenth of a second too.
        const int delay = reader.nextImageDelay();
        gif.delays.push_back(delay > 10 ? delay : 100);
        if (!reader.canRead()) break;
    }
    return gif;
}

TGifAnimation::TGifAnimation(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
}

void TGifAnimation::Load(const QString& name) {
    Load(name, ReadBuiltinGif(name));
}

void TGifAnimation::Load(const QString& name, GifFrames frames) {
    timer_.stop();
    name_ = name;
    gif_ = std::move(frames);
    frame_ = 0;
    update();
}

void TGifAnimation::Start() {
    if (gif_.frames.size() < 2) return;
    // A one-shot animation that already ran to its end plays again from the start.
    if (!loop_ && frame_ == FrameCount() - 1) frame_ = 0;
    update();
    Schedule();
}

void TGifAnimation::Stop() {
    timer_.stop();
}

void TGifAnimation::ShowFrame(int frame) {
    timer_.stop();
    frame_ = gif_.frames.empty() ? 0 : std::clamp(frame, 0, FrameCount() - 1);
    update();
}

void TGifAnimation::Clear() {
    timer_.stop();
    gif_ = {};
    frame_ = 0;
    update();
}

void TGifAnimation::Step() {
    if (gif_.frames.size() < 2) return;
    if (frame_ + 1 < FrameCount()) {
        ++frame_;
    } else if (loop_) {
        frame_ = 0;
    } else {
        timer_.stop();
        return;
    }
    update();
    // The last frame of a one-shot animation stays up; nothing more to schedule.
    if (loop_ || frame_ + 1 < FrameCount())
        Schedule();
    else
        timer_.stop();
}

void TGifAnimation::Schedule() {
    timer_.start(gif_.delays[static_cast<std::size_t>(frame_)]);
}

void TGifAnimation::paintEvent(QPaintEvent*) {
    if (gif_.frames.empty()) return;
    const QImage& frame = gif_.frames[static_cast<std::size_t>(frame_)];
    QPainter p(this);
    if (frame.size() == size()) {
        p.drawImage(0, 0, frame);
        return;
    }
    // A picture of another size keeps its proportions, centred in the place.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fit = frame.size().scaled(size(), Qt::KeepAspectRatio);
    p.drawImage(QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit), frame);
}

} // namespace tarvo
