// The windows of the world: the world top ten (two layouts) and its write window at the end of a
// cycle, the chat board, and the world statistics. They read and write through the score client;
// what they need of the program around them comes in as hooks.
#pragma once

#include <QPixmap>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "table/RecordsWindows.h"

class QWidget;

namespace tarvo {

class Account;
class ScoreClient;
struct Settings;

struct WorldWindowHooks {
    std::function<void()> passport;                   // the passport window, modal
    std::function<void(const QString& text)> message; // the program's message window
};

// One text, picture or coloured band of a drawn list, at its place in the list's picture.
struct PaintedItem {
    QString text; // empty for a picture or a band
    QPixmap picture;
    QString pictureName; // "flag", "face" or the built-in picture's name
    QSize band;       // a band of this size filled with `colour`
    int x = 0, y = 0; // the left edge (the right one, or the centre, by `align`) and the top
    QColor colour;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
};

// The world top ten window: `list` 1..7 of the list layout (its seven lists), or in the platform
// layout the game number 15, 115 or 315 to show first. Modal.
enum class WorldLayout { Platform, Lists };
void ShowWorldTopTen(ScoreClient& client, const Account& account, Settings& settings,
                     const std::filesystem::path& dataFolder, WorldLayout layout, int list,
                     const RecordsWindowOptions& options, const WorldWindowHooks& hooks,
                     QWidget* parent = nullptr);

// The world top ten write window with the score of the cycle just finished. Modal; posts at most
// once. The place reached, or nothing when nothing was posted.
std::optional<int> ShowWorldTopTenWrite(ScoreClient& client, Settings& settings, int score,
                                        const RecordsWindowOptions& options, const WorldWindowHooks& hooks,
                                        QWidget* parent = nullptr);

// The chat window over the board, modal. `chatFile` is "QobChatQob.ini"; the number of the newest
// message seen when it closes.
int ShowChat(ScoreClient& client, Settings& settings, const std::filesystem::path& chatFile,
             const RecordsWindowOptions& options, const WorldWindowHooks& hooks, QWidget* parent = nullptr);

// The statistics window, modal. `saveSettings` keeps the vote in the settings file.
struct StatisticsHooks {
    std::function<std::optional<QString>()> askNick; // the input box "Nick"; nothing when cancelled
    std::function<void()> saveSettings;
};
void ShowStatistics(ScoreClient& client, Settings& settings, const RecordsWindowOptions& options,
                    const StatisticsHooks& hooks, QWidget* parent = nullptr);

} // namespace tarvo
