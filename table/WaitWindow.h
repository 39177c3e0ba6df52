// The wait window of a network series: while the server waits for its clients, or a client for
// the server's welcome. A status line, one line per player who has joined, an animation, and
// "Ok" (the server starts the series) and "Cancel" (stop waiting).
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace tarvo {

class TGifAnimation;

struct WaitTexts {
    QString caption = "Please, wait...";
    QString waitingForPlayers = "Expectation of connection of other players...";
    QString waitingForGame = "Expectation of game...";
    std::array<QString, 3> connected{"The second player was connected...",
                                     "The third player was connected...",
                                     "The fourth player was connected..."};
    QString noGames = "There are no accessible games";
    QString ok = "Ok", cancel = "Cancel";
};

class WaitWindow : public QDialog {
  public:
    // The server waits for players ("Ok" stays off until one has joined); a client for the game.
    WaitWindow(bool server, const WaitTexts& texts, bool animate, QWidget* parent = nullptr);

    // Server: `clients` players have joined; "Ok" may start the series, waiting can no longer be
    // cancelled.
    void ShowJoined(int clients);
    // Client: the server did not answer (told again at every attempt).
    void ShowNoGames();

    QLabel* StatusLine() const { return status_; }
    QLabel* PlayerLine(int i) const { return players_[static_cast<std::size_t>(i)]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  private:
    WaitTexts texts_;
    QLabel* status_;
    std::array<QLabel*, 3> players_{};
    TGifAnimation* animation_;
    QPushButton *ok_, *cancel_;
};

} // namespace tarvo
