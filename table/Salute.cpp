#include "table/Salute.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "packages/Package.h"

namespace tarvo {

namespace {

// A window of its own over whatever lies beneath: it never takes the focus or a click, and what
// it covered comes back by itself when it closes.
class SaluteOverlay : public QWidget {
  public:
    explicit SaluteOverlay(QImage strip)
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
          strip_(std::move(strip)) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }
    void ShowFrame(int frame) {
        frame_ = frame;
        repaint(); // at once: every frame is seen, none is merged into the next
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect(), Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawImage(QPoint(SaluteStripLeft(frame_), 0), strip_);
    }

  private:
    QImage strip_;
    int frame_ = 1;
};

bool playing = false;
// A click that lands while a salute plays gets none of its own.
struct PlayingNow {
    PlayingNow() { playing = true; }
    ~PlayingNow() { playing = false; }
    PlayingNow(const PlayingNow&) = delete;
    PlayingNow& operator=(const PlayingNow&) = delete;
};

} // namespace

QRect SaluteArea(QPoint globalCentre) {
    return {globalCentre - QPoint(SaluteSize / 2, SaluteSize / 2), QSize(SaluteSize, SaluteSize)};
}

bool PlaySalute(const PackageRegistry& packages, QPoint globalCentre, const SaluteWatcher& watcher) {
    if (playing || !qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    QImage strip;
    if (!packages.LoadPicture(QStringLiteral("GTouch"), GraphicsPackage, strip)) return false;
    if (strip.width() < SaluteSize * SaluteFrames || strip.height() < SaluteSize) return false;
    const PlayingNow now;

    SaluteOverlay overlay(std::move(strip));
    overlay.setGeometry(SaluteArea(globalCentre));
    overlay.show();
    int frame = 1;
    overlay.ShowFrame(frame);
    if (watcher) watcher(frame, overlay);

    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(SaluteFrameMs);
    // The last frame stays up for its own interval too before the window goes.
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (frame == SaluteFrames) {
            timer.stop();
            loop.quit();
            return;
        }
        overlay.ShowFrame(++frame);
        if (watcher) watcher(frame, overlay);
    });
    timer.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    overlay.close();
    return true;
}

bool PlaySalute(const PackageRegistry& packages) {
    return PlaySalute(packages, QCursor::pos());
}

std::function<void(QWidget*)> SaluteCallback(bool enabled, const PackageRegistry& packages) {
    if (!enabled) return {};
    return [&packages](QWidget*) { PlaySalute(packages); };
}

} // namespace tarvo
