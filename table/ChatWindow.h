// The chat window: the board's ten newest messages, two lines each, the message field, and the
// two choices the chat file keeps. One message and one refresh per 15 seconds.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "online/Chat.h"
#include "table/WorldWindows.h"

namespace tarvo {

class PaintedList;
class TQobCardsButton;

// The board's items in a picture `width` wide, 50 pixels per message: two bands, the first line
// with number, flag, face and "<city> : <time date game> <version> : <nick>", the second with the
// text; "GNew" on both lines of a message above `lastSeen`. "No Connect" when not read.
std::vector<PaintedItem> ChatBoardItems(const std::optional<std::array<TQobRecord, 10>>& board, int lastSeen,
                                        bool atBottom, int width, int language);

class TFormChat : public QDialog {
  public:
    TFormChat(ScoreClient& client, Settings& settings, std::filesystem::path chatFile,
              const RecordsWindowOptions& options, WorldWindowHooks hooks, QWidget* parent = nullptr);

    void Send();
    void Refresh();
    void Passport();
    // The 15-second tick: the refresh button and the message field come back.
    void Tick();
    const ChatFile& State() const { return state_; }
    int Top() const { return top_; }

    PaintedList* Board = nullptr;
    QLineEdit* EditMessage = nullptr;
    TQobCardsButton *ButtonSend = nullptr, *ButtonRefresh = nullptr, *ButtonPassport = nullptr,
                    *Button1 = nullptr;
    QCheckBox *CheckBottom = nullptr, *CheckOpen = nullptr;

  private:
    void DrawBoard();
    bool PassportFit() const;

    ScoreClient& client_;
    Settings& settings_;
    std::filesystem::path chatFile_;
    RecordsWindowOptions options_;
    WorldWindowHooks hooks_;
    ChatFile state_;
    int marksFrom_ = 0; // messages above this number carry the "new" mark
    int top_ = 0;
    QTimer tick_;
};

} // namespace tarvo
