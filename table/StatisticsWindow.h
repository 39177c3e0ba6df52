// The world statistics window: starts, installations, likes and the totals of the games played,
// and the one "I like this game!" vote of an installation.
#pragma once

#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <array>
#include <memory>

#include "online/Records.h"
#include "table/WorldWindows.h"

namespace tarvo {

class TQobCardsButton;

// The ten values as the window shows them; the first is "No Connect" when the read failed.
std::array<QString, 10> StatisticsValues(const std::optional<TQobStat>& stat, int language);

// The input box "Nick" that asks for a nick to vote with, its field kept to the passport's letters.
std::unique_ptr<QInputDialog> NickBox(int language, QWidget* parent = nullptr);

class TFormStat : public QDialog {
  public:
    TFormStat(ScoreClient& client, Settings& settings, const RecordsWindowOptions& options,
              StatisticsHooks hooks, QWidget* parent = nullptr);

    // "I like this game!": asks for a nick while the passport has none, then votes once.
    void Vote();

    QLabel* Heading = nullptr;
    std::array<QLabel*, 10> Captions{};
    std::array<QLabel*, 10> Values{};
    QLabel* Note = nullptr;
    TQobCardsButton *ButtonLike = nullptr, *Button1 = nullptr;

  private:
    ScoreClient& client_;
    Settings& settings_;
    RecordsWindowOptions options_;
    StatisticsHooks hooks_;
    std::optional<TQobStat> stat_;
};

} // namespace tarvo
