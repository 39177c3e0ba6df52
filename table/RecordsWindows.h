// The windows of the player's records: the general score during a series, the end of a 30-game
// cycle, the history browser and the local top ten. Each takes the values its caller already
// holds and reads only its own files; the window classes are in GeneralScoreWindow.h,
// CycleEndWindow.h, HistoryWindow.h and TopTenWindow.h.
//
// This header names the records types only by declaration, so that it can sit beside the table's
// headers in one translation unit.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>

#include "core/Card.h"
#include "table/Fonts.h"

class QWidget;

namespace tarvo {

class SoundPlayer;

struct TCount;
struct EndOfCycle;

// What every records window needs from the settings.
struct RecordsWindowOptions {
    int language = 0;   // the column of the language tables; also picks the CJK glyph shapes
    FontSettings fonts; // the families and scales of the font roles
    bool soundOn = true;
    SoundPlayer* sound = nullptr; // the window's sounds play here; none without
    bool gifAnimation = true;
    bool ownCursor = false; // the program's own cursors over the window and its buttons
    // The button firework, played before a window closes through its button when the player has
    // it switched on and the graphics package is there; empty for none.
    std::function<void(QWidget* button)> salute;
};

// The general score window (popup "General score" during a series), modal. seatScores are the
// points of the series for seats 1, 2 and 3.
void ShowGeneralScore(const TCount& count, const Arr1<std::int32_t, 3>& seatScores, const QString& playerName,
                      const RecordsWindowOptions& options, QWidget* parent = nullptr);

// The end-of-cycle window, modal; plays its sound as it opens.
void ShowCycleEnd(const EndOfCycle& end, const RecordsWindowOptions& options, QWidget* parent = nullptr);

// "History" of the main menu: plays "WOpenFo", then the history browser over the "History"
// folder of the data folder, modal. The menu button's own salute is the menu's.
void ShowHistory(const std::filesystem::path& dataFolder, const RecordsWindowOptions& options,
                 QWidget* parent = nullptr);

// "Top Ten" of the main menu: plays "WOpenFo", then the local top ten of the records file the
// data folder holds for the kind of play ("Tarvo3.net" when netGame), modal. The menu button's
// own salute is the menu's.
void ShowTopTen(const std::filesystem::path& dataFolder, bool netGame, const RecordsWindowOptions& options,
                QWidget* parent = nullptr);

// The records file the top ten window reads.
std::filesystem::path TopTenRecordsFile(const std::filesystem::path& dataFolder, bool netGame);

} // namespace tarvo
