// The world top ten window in its two layouts and the window that posts a finished cycle.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "online/Requests.h"
#include "table/WorldWindows.h"

namespace tarvo {

class Account;
class TQobCardsButton;

// The picture a list is drawn into: it paints its items over its ground.
class PaintedList : public QWidget {
  public:
    explicit PaintedList(QWidget* parent = nullptr, QColor ground = QColor(0x12, 0x2A, 0x4E));
    void SetItems(std::vector<PaintedItem> items, const QFont& font);
    const std::vector<PaintedItem>& Items() const { return items_; }
    // The texts top to bottom, one line per row of the picture, for the log and the tests.
    QStringList Lines() const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<PaintedItem> items_;
    QFont font_;
    QColor ground_;
};

// What a list of the window shows, as read from the server or the records files.
struct WorldListData {
    QString heading;
    bool connected = true;             // the list was read
    std::array<TQobRecord, 10> rows{}; // a top ten (empty rows are not drawn)
    std::array<TQobTop10, 10> club{};  // list 1: the club by rating
    bool clubList = false;
    bool localList = false; // lists 6 and 7: name and score of a records file's top ten
    bool tournament = false; // the tournament's: flags by the country's name, the city alone
    std::vector<std::pair<std::string, std::string>> local;
    std::optional<int> games;                      // "Number of games"
    std::optional<std::array<TQobRecord, 10>> own; // the player's rows (first five), read or not
    bool ownTried = false;
    std::optional<QString> note; // a line below the list ("Your place: 4")
    int gid = 0;
};
// The tournament top ten by score, rating or games ('s', 'r', 'k'), and the place of the player's
// own value below it when he has one.
WorldListData TournamentListData(ScoreClient& client, char list, std::optional<int> ownValue, int language);
// The items of a list in a picture of `width`.
std::vector<PaintedItem> WorldListItems(const WorldListData& data, int width, int language);

class TFormWorldTopTen : public QDialog {
  public:
    TFormWorldTopTen(ScoreClient& client, const Account& account, Settings& settings,
                     std::filesystem::path dataFolder, WorldLayout layout,
                     const RecordsWindowOptions& options, WorldWindowHooks hooks, QWidget* parent = nullptr);

    // Reads and draws a list: 1..7 in the list layout, the game number in the platform layout.
    void ShowList(int list);
    int List() const { return list_; }

    std::vector<QPushButton*> ListButtons; // 7 lists, or the 3 platforms
    PaintedList* Picture = nullptr;
    TQobCardsButton* ButtonPassport = nullptr;
    TQobCardsButton* Button1 = nullptr; // "Close"

  private:
    WorldListData ReadGameList(int gid);

    ScoreClient& client_;
    const Account& account_;
    Settings& settings_;
    std::filesystem::path dataFolder_;
    WorldLayout layout_;
    RecordsWindowOptions options_;
    WorldWindowHooks hooks_;
    int list_ = 0;
};

class TFormWorldWrite : public QDialog {
  public:
    TFormWorldWrite(ScoreClient& client, Settings& settings, int score, const RecordsWindowOptions& options,
                    WorldWindowHooks hooks, QWidget* parent = nullptr);

    void Send();
    void Passport();
    std::optional<int> Place() const { return place_; }

    QLabel *LabelNick = nullptr, *LabelCountry = nullptr, *LabelCity = nullptr, *LabelScore = nullptr,
           *LabelPlace = nullptr;
    QLabel *Face = nullptr, *Flag = nullptr;
    TQobCardsButton *ButtonSend = nullptr, *ButtonPassport = nullptr, *Button1 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowPassportValues();

    ScoreClient& client_;
    Settings& settings_;
    int score_;
    RecordsWindowOptions options_;
    WorldWindowHooks hooks_;
    std::optional<int> place_;
    bool shown_ = false;
};

} // namespace tarvo
