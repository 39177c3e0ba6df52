// The end of a series: the new rating, the club line, the history record, the top ten at the end
// of a 30-game cycle, the title of the Order, and the general score. RecordSeries does the file
// work and hands the sounds, the messages and the end-of-cycle window to its caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameState.h"
#include "records/Club.h"
#include "records/History.h"

namespace tarvo {

constexpr int CycleLength = 30;

// The values held for the current series. kon lives in the game state (KonNumber).
struct SeriesValues {
    int slot = NewPlayerSlot;  // 1-5 a club member, 6 a new player, above 6 the online modes
    std::string nameField;     // 20 characters, Windows-1251
    std::string passwordField; // the stored form, 15 digits
    std::int32_t G0 = 0;       // games field at the start of the series
    double R0 = 0.0;           // rating at the start
    std::int32_t P0 = 0;       // score of the cycle at the start

    std::string NameUtf8() const { return NameFromField(nameField); }
};

// A member chosen in the main menu; nullopt for an empty slot or a file that cannot be read.
std::optional<SeriesValues> MemberSeries(const RecordsText& text, int slot);
// A new player from the new-player dialog: G0 = P0 = 0, R0 = 0.
SeriesValues NewPlayerSeries(std::string_view utf8Name, std::string_view utf8Password);

// R = (G0 * R0 + S) / kon, rounded half to even to six decimals, limited to -99.99 ... 99.99.
double SeriesRating(std::int32_t G0, double R0, std::int32_t S, std::int32_t kon);

// name (20) + FormatRating6(R) + kon in 7 + " " + (P0 + S) in 6 + stored password (15).
std::string SeriesClubLine(const SeriesValues& values, double rating, std::int32_t kon, std::int32_t S);

// The general score: seven display strings.
struct TCount {
    std::string Count_KonAll; // kon
    std::string Count_KonCur; // kon mod 30, or 30 at a multiple of 30
    std::string Count_ScoBeg; // P0
    std::string Count_ScoCur; // S
    std::string Count_ScoAll; // P0 + S
    std::string Count_ReiBeg; // R0, two decimals
    std::string Count_ReiCur; // the rating that recording now would give, two decimals
};
TCount MakeCount(const SeriesValues& values, const GameState& g);

// The rows of the language tables' title table ("You become the President of the order!" ...
// "You become a Bachelor of the Order!"), in table order; None: no title line.
enum class OrderTitle {
    President = 0,     // "You become the President of the order!"
    VicePresident = 1, // "You become the Vice-President of the order!"
    Academician = 2,   // "You become an Academician of the order!"
    Professor = 3,     // "You become a Professor of the order!"
    Doctor = 4,        // "You become a Doctor of the Order!"
    Master = 5,        // "You become a Master of the Order!"
    Bachelor = 6,      // "You become a Bachelor of the Order!"
    None = -1,
};

// The title awarded for place 1 of the local top ten, by the kind of play.
OrderTitle TitleForPlay(PlayKind kind, bool signedIn);

// The texts of the end-of-cycle window, each naming a language-table row.
enum class CycleText {
    Congratulations, // "CONGRATULATIONS!!!"
    ResultBest,      // "Your result - the best!"
    ResultGood,      // "Good result!"
    InTopTen,        // "You have hitted in top ten players!"
    Regrets,         // "Our regrets..."
    WishBest,        // "Your result keeps to wish best"
    NotInTopTen,     // "You have not hitted in ten best players..."
};

// The end-of-cycle window, captioned "The completion of game" (language tables). Its lines, top
// to bottom: heading, verdict, "Result: " + score, then the title for place 1 or closing for the
// others.
struct EndOfCycle {
    int place = 0;
    std::string score;          // the cycle score, blanks trimmed
    std::string_view sound;     // "WFiBest", "WFiGood", "WFiBads"
    std::string_view animation; // "GEndBest", "GEndGood", "GEndBads"
    bool loopAnimation = false; // played once for place 0, looped otherwise
    CycleText heading = CycleText::Regrets;
    CycleText verdict = CycleText::WishBest;
    std::optional<CycleText> closing;    // places 2-10 and 0
    OrderTitle title = OrderTitle::None; // place 1 (None: no fourth line)
    std::string placeImage;              // "GPlace01" ... "GPlace10" drawn with "GMedal"; empty for place 0
};
EndOfCycle EndOfCycleFor(int place, std::string_view score, PlayKind kind, bool signedIn);

// How the series was played and where its records go.
struct SeriesContext {
    PlayKind kind = PlayKind::Local;
    bool signedIn = false;              // signed in to an account (a local game then gets no title)
    std::optional<double> serverRating; // account and tournament games take their rating from the server
    std::filesystem::path recordsFile;  // the active records file ("Tarvo3.net" when NetGame is on)
    RecordsWrites writes = RecordsWrites::Allowed;
    std::filesystem::path dataFolder; // the "History" folder lives below it
    std::string historyName;          // HName when not simply the player's name (network play)
    std::string time, date;           // now, as the system writes the time ("h:nn") and short date
};

struct SeriesOutcome {
    double rating = 0.0;
    std::string clubLine;       // as built, before a cycle end resets its score; Windows-1251
    HistoryWriteResult history; // CantSave: show "Cann`t save history!"
    std::string_view sound;     // "WKoGood", "WKoBads" or empty: play it now
    bool cycleEnd = false;      // show the end-of-cycle window (endOfCycle) and, in local
                                // play, offer the world top ten entry with the cycle score
    StoreResult store;          // DiskError: show "Error of disk writing!"; Unchanged for
                                // account and tournament games, which keep no local records
    std::optional<EndOfCycle> endOfCycle;
};

// Records the series that ends with the human's seat score S = g.SeatScore[3] and kon =
// g.KonNumber: the rating, the club line, the history record (games of the series = KonNumber -
// KonStart), the sound, and in local or network play the records update (the slot leaves and
// the line is stored, in one write). The caller runs FinishRatedSession before it and posts the
// result to the score server after it, then shows what the outcome names.
SeriesOutcome RecordSeries(const SeriesValues& values, const GameState& g, const SeriesContext& context);

} // namespace tarvo
