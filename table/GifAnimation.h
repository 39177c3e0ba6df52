// An animation of the program's own GIF pictures ("GTopTen", "GEndBest", ...) placed in a window:
// it plays looped or once, or stands still on one frame when the player has switched animation
// off. Frames are decoded once when the picture is loaded and stepped by a timer at the GIF's own
// delays.
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace tarvo {

// The frames of a built-in GIF and their delays in milliseconds; empty when the program has no
// such picture or it cannot be decoded.
struct GifFrames {
    std::vector<QImage> frames;
    std::vector<int> delays;
};
GifFrames ReadBuiltinGif(const QString& name);

class TGifAnimation : public QWidget {
  public:
    explicit TGifAnimation(QWidget* parent = nullptr);

    // Loads the picture and shows its first frame; a missing picture leaves the place empty.
    void Load(const QString& name);
    void Load(const QString& name, GifFrames frames);
    // Looped animations start over after the last frame; the others stop on it.
    void SetLoop(bool loop) { loop_ = loop; }
    bool Loop() const { return loop_; }
    void Start();
    void Stop();
    // Shows one frame without animating (a frame past the end shows the last one).
    void ShowFrame(int frame);
    // Drops the frames: the place stays empty.
    void Clear();

    QString Name() const { return name_; }
    int FrameCount() const { return static_cast<int>(gif_.frames.size()); }
    int CurrentFrame() const { return frame_; }
    bool Running() const { return timer_.isActive(); }
    // Advances one frame as the timer would.
    void Step();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Schedule();

    QString name_;
    GifFrames gif_;
    int frame_ = 0;
    bool loop_ = true;
    QTimer timer_;
};

} // namespace tarvo
