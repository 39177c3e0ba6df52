// The four cursor roles of the window, as the system's cursors or the program's own animated ones.
#pragma once

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tarvo {

enum class CursorRole { Arrow, Hand, Wait, Edit };

// The frames of the program's own cursor for a role (none for the arrow, which stays the
// system's); each frame 32 x 32 from a strip in the built-in resources.
QList<QPixmap> OwnCursorFrames(CursorRole role);

// Shows a role's cursor on a widget and, for the program's own cursors, turns their frames.
class CursorKeeper : public QObject {
  public:
    explicit CursorKeeper(QWidget* widget);
    void SetOwn(bool own);
    void Show(CursorRole role);
    CursorRole Current() const { return role_; }

  private:
    void Apply();

    QPointer<QWidget> widget_;
    bool own_ = false;
    CursorRole role_ = CursorRole::Arrow;
    int frame_ = 0;
    QTimer timer_;
};

} // namespace tarvo
