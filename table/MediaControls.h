// The main menu's radio on its shelf and the music player's buttons. They only show and report
// clicks; the window decides what a click does.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

namespace tarvo {

// The radio on its shelf (220 x 125): the shelf at (0, 71), the set at (37, 6) and its lamp.
class RadioIndicator : public QWidget {
    Q_OBJECT
  public:
    enum class Look { Unavailable, Off, On };
    static constexpr int Width = 220, Height = 125;

    explicit RadioIndicator(QWidget* parent = nullptr);
    void SetLook(Look look, const QString& hint);
    Look CurrentLook() const { return look_; }
    QString Hint() const { return hint_; }

  signals:
    void clicked(bool rightButton);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    Look look_ = Look::Unavailable;
    QString hint_;
};

// Play/pause, back/next (the left third goes back) and volume: 61 x 61 each, 65 apart.
class MusicButtons : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ButtonSize = 61, Step = 65;

    explicit MusicButtons(QWidget* parent = nullptr);
    // `playHint` is shown over the play button (artist and title), `volumeFont` draws the number.
    void SetLook(bool playing, int volume, const QString& playHint, const QString& nextHint,
                 const QString& volumeHint, const QFont& volumeFont);
    bool ShowsPause() const { return playing_; }
    // The button under a point of this widget: 0 play, 1 next, 2 volume, -1 none.
    static int ButtonAt(QPoint at);

  signals:
    void playClicked();
    void nextClicked(bool back);
    void volumeClicked(int x); // x within the button

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    bool playing_ = false;
    int volume_ = 50;
    int pressed_ = -1;
    QString hints_[3];
    QFont volumeFont_;
};

} // namespace tarvo
