// The tournament window: the welcome line, the state lamp, ten tables of three seat buttons, the
// player's results and the rules of tournament play, with "Refresh", "Close" and "Top 10". It
// refreshes every 10 seconds, and while it is open it watches the game connection once a second.
// What it shows and what a click does come from the tournament desk; the window's owner connects
// the game once a seat is taken and closes the window when the game begins.
#pragma once

#include <QDialog>
#include <QScopedValueRollback>
#include <QTimer>
#include <array>
#include <functional>

#include "online/Tournament.h"
#include "table/RecordsWindows.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvo {

struct TournamentTexts {
    QString caption = "WORLD ONLINE TOURNAMENT";
    QString serverOn = "Server On", serverOff = "Server Off", noConnect = "No Connect";
    QString table = "Table", logOff = "Log off", takePlace = "Take the place of", free = "Free";
    QString nick = "Nick", yourScore = "Your score", yourPlace = "Your place", rating = "Rating",
            game = "Game", city = "City";
    QString firstBeat = "First beat - 5 cards", noFiveOfSuit = "To not distribute to 5 cards by one suit",
            yes = "Yes";
    QString refresh = "Refresh", close = "Close", topTen = "Top 10";
    QString sameAddress = "This table is already occupied by a player with your IP!";
    QString connectionError = "Server connection error!";
};

// What the window asks of its owner.
struct TournamentHooks {
    std::function<void(const QString&)> message;      // a message window
    std::function<void(const char*)> sound;           // a sound by name
    std::function<void(int table, int seat)> seated;  // a seat was taken: connect the game
    std::function<void()> left;                       // the player left his seat: "disA", close
    std::function<bool()> connectionFailed;           // the game connection raised an error
    std::function<void()> topTen;                     // "Top 10"
};

class TournamentWindow : public QDialog {
  public:
    TournamentWindow(TournamentDesk& desk, TournamentTexts texts, TournamentHooks hooks,
                     const RecordsWindowOptions& look = {}, QWidget* parent = nullptr);

    // Reads the tables and the state again and shows them.
    void Refresh();
    // Shows what the desk holds.
    void Show();
    // The texts in another language, while the window is open.
    void SetTexts(TournamentTexts texts);

    QPushButton* SeatButtonAt(int table, int seat) const {
        return seats_[static_cast<std::size_t>(table - 1)][static_cast<std::size_t>(seat - 1)];
    }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* CloseButton() const { return close_; }
    QLabel* WelcomeLabel() const { return welcome_; }

  protected:
    void reject() override; // not while the player holds a seat

  private:
    void ApplyTexts();
    // A request of the desk: the window's timers and clicks do not start another meanwhile.
    template <class Call> auto Request(Call call) {
        const QScopedValueRollback<bool> waiting(busy_, true);
        return call();
    }
    void OnSeat(int table, int seat);
    void Watch();

    TournamentDesk& desk_;
    TournamentTexts texts_;
    TournamentHooks hooks_;
    QLabel* welcome_ = nullptr;
    QLabel* lamp_ = nullptr;
    std::array<std::array<QPushButton*, 3>, kTournamentTables> seats_{};
    std::array<QGroupBox*, kTournamentTables> tableBoxes_{};
    std::array<QLabel*, 6> resultNames_{}, results_{};
    QLabel* rules_ = nullptr;
    QPushButton *refresh_ = nullptr, *close_ = nullptr, *topTen_ = nullptr;
    RecordsWindowOptions look_;
    QTimer refreshTimer_, watchTimer_;
    bool busy_ = false; // a request of the window waits for its answer (Request)
};

class PaintedList;

// The tournament top ten: the lists by score, rating and games, and the player's own place.
class TournamentTopTenWindow : public QDialog {
  public:
    struct Texts {
        QString caption = "Tournament Top Ten", score = "Score", rating = "Rating", games = "Games",
                close = "Close";
        int language = 0; // of the list's heading, "Your place" and "No Connect"
    };
    TournamentTopTenWindow(ScoreClient& client, const TQobClient& me, Texts texts,
                           const RecordsWindowOptions& look = {}, QWidget* parent = nullptr);
    void ShowList(char list); // 's', 'r' or 'k'
    PaintedList* List() const { return list_; }

  private:
    ScoreClient& client_;
    TQobClient me_;
    Texts texts_;
    RecordsWindowOptions look_;
    PaintedList* list_ = nullptr;
};

} // namespace tarvo
