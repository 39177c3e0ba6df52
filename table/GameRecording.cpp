#include "GameRecording.h"

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "table/Decorations.h"
#include "table/Fonts.h"

namespace tarvo {

GifNotice::GifNotice(const ImageStore& store, const FontSettings& fonts, QWidget* parent)
    : QWidget(parent), store_(store), fonts_(fonts) {
    hide();
}

void GifNotice::Show(const QString& text) {
    text_ = text;
    const QWidget* client = parentWidget();
    setGeometry((client->width() - 175) / 2, (client->height() - 40) / 2, 175, 40);
    show();
    raise();
    repaint();
}

void GifNotice::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x1f, 0x6b, 0x3a));
    if (!store_.background.isNull()) p.drawImage(-x(), -y(), store_.background);
    const QImage bar = BuiltinPicture(QStringLiteral("AdvBar3"));
    if (!bar.isNull()) p.drawImage(rect(), bar);
    const QFont font = RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, fonts_), false, fonts_);
    p.setFont(font);
    p.setPen(Bgr(0x0000FF));
    const QFontMetrics metrics(font);
    p.drawText((width() - metrics.horizontalAdvance(text_)) / 2, 10 + metrics.ascent(), text_);
}

GameRecording::GameRecording(QWidget* window, QWidget* table, const ImageStore& store,
                             const FontSettings& fonts)
    : QObject(window), window_(window), notice_(new GifNotice(store, fonts, table)),
      recorder_([this] { return Capture(); }) {
    connect(&recorder_, &GifRecorder::fileFinished, this, [this](const GifRecordingOutcome& outcome) {
        RestoreMenuDecorations();
        if (outcome.path.isEmpty()) emit failed(folder_, outcome.error);
        emit finished(outcome);
    });
}

QString GameRecording::Folder(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("GIFGame"));
}

void GameRecording::StartRecording(const Settings& settings, const QString& folder,
                                   const QString& noticeText) {
    FinishRecording();
    // Larger windows are never recorded: the options switch recording off for them.
    if (!settings.SaveGif || settings.WindowSize != 1) return;
    area_ = settings.GifArea == 2 ? 2 : 1;
    folder_ = folder;
    noticeText_ = noticeText;
    GifRecordingPlan plan;
    plan.folder = folder;
    plan.delayMs = settings.GifDelay >= 10 && settings.GifDelay <= 5000 ? settings.GifDelay : 1000;
    recorder_.StartRecording(plan);
    QTimer::singleShot(0, this, &GameRecording::CaptureFrame);
}

void GameRecording::CaptureFrame() {
    if (!recorder_.Recording()) return;
    // The screen shows only what has been painted.
    if (area_ == 2) window_->repaint();
    recorder_.CaptureFrame();
}

void GameRecording::FinishRecording() {
    if (!recorder_.Recording()) return;
    recorder_.FinishRecording();
    notice_->Show(noticeText_);
}

void GameRecording::RestoreMenuDecorations() {
    notice_->hide();
    window_->update();
}

// The client area is drawn afresh from the window's own pictures. The whole window is read back
// from the screen; where the screen cannot be read (some display servers refuse), the client
// area stands in.
QImage GameRecording::Capture() const {
    if (area_ == 2) {
        if (QScreen* screen = window_->screen()) {
            // The native window reports the frame as it is now; the widget's copy is only renewed
            // when the window moves, so a frame added after showing would be missed.
            const QWindow* native = window_->windowHandle();
            const QRect outer = native ? native->frameGeometry() : window_->frameGeometry();
            const QRect frame = outer.translated(-screen->geometry().topLeft());
            const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (!shot.isNull()) return shot.toImage();
        }
    }
    return window_->grab().toImage();
}

} // namespace tarvo
