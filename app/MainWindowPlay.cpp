// The main window's choices beyond the classic game: the strong computer in the computer seats,
// hints from the same computer for seat 3, the deal number on the table and practice replays of a
// numbered deal, and keyboard play. Left at their defaults they change nothing of the game.
#include <QAction>
#include <QInputDialog>
#include <QMenu>

#include "app/MainWindow.h"
#include "app/TitleScreen.h"
#include "records/Series.h"

namespace tarvo {

void MainWindow::ApplyPlayChoices() {
    // Seat 3 as well: its hints, and autoplay's own seat, come from the chosen computer.
    for (int seat = 1; seat <= 3; ++seat) computer_.Computer().SetStrong(seat, choices_.StrongComputer);
    decks_.numbered = choices_.NumberedDeals;
    table_->SetKeyboardPlay(choices_.KeyboardPlay);
    if (!choices_.NumberedDeals && !practice_) table_->SetDealCaption(QString());
}

// The file is written only once the player has changed a choice, so a data folder whose choices
// were never touched keeps exactly the files it had.
void MainWindow::SavePlayChoicesIfChanged() {
    if (choices_ == storedChoices_) return;
    if (SavePlayChoices(options_.data.File(kPlayChoicesFileName), choices_)) {
        ShowMessage(Tr(txt::CantSaveOptions));
        return;
    }
    storedChoices_ = choices_;
}

void MainWindow::ShowDealNumber() {
    auto number = decks_.Number();
    if (!number || networkSeries_) {
        table_->SetDealCaption(QString());
        return;
    }
    QString text = Tr(txt::DealLabel) + QString::number(*number);
    if (practice_) text += QStringLiteral("\n") + Tr(txt::PracticeLabel);
    table_->SetDealCaption(text);
}

MainWindow::PlayActions MainWindow::AddPlayActions(QMenu& popup) {
    PlayActions actions;
    if (choices_.Hints) {
        actions.hint = popup.addAction(Tr(txt::Hint));
        actions.hint->setEnabled(HintAllowed());
    }
    if (choices_.NumberedDeals) {
        // A replay is practice: from the menu, or at a practice table, never instead of a series
        // that would then go unrecorded.
        actions.replay = popup.addAction(Tr(txt::ReplayDeal));
        const bool atTable = !menuShown_ && stack_->currentWidget() == table_ && table_->TableShown();
        actions.replay->setEnabled(!settings_.NetGame && !networkSeries_ && !autoplay_.On() &&
                                   (practice_ || (!atTable && stack_->currentWidget() != title_)));
    }
    return actions;
}

bool MainWindow::RunPlayAction(const PlayActions& actions, QAction* chosen) {
    if (!chosen) return false;
    if (chosen == actions.hint) {
        ShowHint();
        return true;
    }
    if (chosen == actions.replay) {
        AskReplayDeal();
        return true;
    }
    return false;
}

// Hints are for the local game only: in network and tournament play the others would be playing
// against the computer.
bool MainWindow::HintAllowed() const {
    if (!choices_.Hints || networkSeries_ || match_->mode != PlayMode::Local || autoplay_.On()) return false;
    if (menuShown_ || !table_->TableShown() || stepRunning_ || !game_.InputOpen) return false;
    if (game_.GameOver || game_.StartPending != 2) return false;
    return PendingBoutEnd(game_).has_value() || HumanTurn(game_);
}

void MainWindow::ShowHint() {
    if (!HintAllowed()) return;
    if (PendingBoutEnd(game_)) {
        table_->FlashActionButton(); // the bout waits for the player's confirmation
        return;
    }
    MoveKind kind = NoKind;
    HumanTurn(game_, &kind);
    StepGuard guard(stepRunning_, *table_);
    NullView quiet; // the hint thinks without the player's speech box
    MoveChoice choice = computer_.Computer().Decide(game_, quiet, kind, 3, ActsAsThird(game_));
    if (choice.pass)
        table_->FlashActionButton();
    else
        table_->ShowHint(game_.CardsI[3][choice.slot]);
}

void MainWindow::AskReplayDeal() {
    bool ok = false;
    const int current = decks_.Number() ? static_cast<int>(*decks_.Number()) : 1;
    int number = QInputDialog::getInt(this, Tr(txt::ReplayDeal), Tr(txt::DealNumberPrompt), current, 1,
                                      static_cast<int>(MaxDealNumber), 1, &ok);
    if (ok) StartPractice(static_cast<std::uint32_t>(number));
}

// A practice series: the player's name without a club slot, the deal to replay first. Leaving it
// records nothing anywhere.
void MainWindow::StartPractice(std::uint32_t deal) {
    if (stack_->currentWidget() == table_ && !menuShown_) gameTimer_.stop();
    practice_ = true;
    const std::string name = settings_.PlayerName.empty() ? std::string("Player") : settings_.PlayerName;
    series_ = NewPlayerSeries(name, "");
    decks_.ReplayNext(deal);
    StartSeries();
}

} // namespace tarvo
