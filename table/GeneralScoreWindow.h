// The general score window: where the player stands in the series and in the cycle, and the
// points of the three seats so far.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

#include "core/Card.h"
#include "records/Series.h"
#include "table/RecordsWindows.h"

class QLabel;

namespace tarvo {

class TQobCardsButton;

// The general score of a tournament game: the game count, "-" for the games of the cycle (a
// tournament has none), the tournament score before the series, the series score, their sum, the
// rating before and "?" (the server decides the new one).
TCount TournamentCount(std::int32_t kon, std::int32_t scoreBefore, std::int32_t seriesScore,
                       double ratingBefore);

class TFormCount : public QDialog {
  public:
    TFormCount(const TCount& count, const Arr1<std::int32_t, 3>& seatScores, const QString& playerName,
               const RecordsWindowOptions& options, QWidget* parent = nullptr);

    QLabel* Heading = nullptr;        // "Information about game"
    std::array<QLabel*, 7> Labels{};  // "General number of game:" ... "The current rating:"
    std::array<QLabel*, 7> Values{};  // the seven TCount strings in the same order
    std::array<QString, 3> SeatTexts; // what the three circles show, seats 1 to 3
    TQobCardsButton* Button1 = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    RecordsWindowOptions options_;
};

} // namespace tarvo
