// The title screen: the game's name with animated lettering, left by a click or a key.
#pragma once

#include <QTimer>
#include <QWidget>

namespace tarvo {

class TitleScreen : public QWidget {
    Q_OBJECT
  public:
    explicit TitleScreen(QWidget* parent = nullptr);
    // The caption picture in the player's language, in its colour variant.
    void SetCaption(int language, int captionColour);

  signals:
    void left();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;

  private:
    QTimer timer_;
    int tick_ = 0;
    int language_ = 0, captionColour_ = 1;
};

} // namespace tarvo
