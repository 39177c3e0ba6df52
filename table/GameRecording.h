// The recording of a game on the main window: what is captured (the client area, or the window
// with its frame as the screen shows it, anything lying over it included), when, and the notice
// "Creating a GIF..." while the file is finished. The encoding itself runs off the window's
// thread (GifRecorder).
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QWidget>

#include "settings/Settings.h"
#include "table/Fonts.h"
#include "table/GifRecorder.h"
#include "table/ImageStore.h"

namespace tarvo {

// The notice over the middle of the client area while a recording is finished.
class GifNotice : public QWidget {
  public:
    GifNotice(const ImageStore& store, const FontSettings& fonts, QWidget* parent);
    void Show(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const ImageStore& store_;
    const FontSettings& fonts_;
    QString text_;
};

class GameRecording : public QObject {
    Q_OBJECT
  public:
    // window: the main window; table: the widget over its whole client area, which carries the
    // notice.
    // `store` and `fonts` are the window's and outlive the recording.
    GameRecording(QWidget* window, QWidget* table, const ImageStore& store, const FontSettings& fonts);

    // At the deal: records this game when the settings ask for it (only the smallest window is
    // recorded). The first picture is taken once the deal is on the screen.
    void StartRecording(const Settings& settings, const QString& folder, const QString& noticeText);
    // The picture of this moment, the window refreshed first (the deal, the result).
    void CaptureFrame();
    // At the result, when leaving for the menu, and at exit: the file is finished in the
    // background under the notice.
    void FinishRecording();
    // After a recording: the notice goes and the window is drawn again under it.
    void RestoreMenuDecorations();
    // For the program's exit: every file on the disk.
    void WaitForFiles() { recorder_.WaitForFiles(); }
    bool Recording() const { return recorder_.Recording(); }

    // The folder of the recordings in a data folder.
    static QString Folder(const QString& dataFolder);

  signals:
    // Once per recording that could not be saved; folder and the reason for the message.
    void failed(const QString& folder, const QString& reason);
    // Every recording's end, saved or not.
    void finished(const GifRecordingOutcome& outcome);

  private:
    QImage Capture() const;

    QWidget* window_;
    GifNotice* notice_;
    GifRecorder recorder_;
    int area_ = 1;
    QString folder_, noticeText_;
};

} // namespace tarvo
