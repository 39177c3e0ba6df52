#include "table/WaitWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "table/CardsButton.h"
#include "table/GifAnimation.h"

namespace tarvo {

WaitWindow::WaitWindow(bool server, const WaitTexts& texts, bool animate, QWidget* parent)
    : QDialog(parent), texts_(texts) {
    setWindowTitle(texts.caption);
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    animation_ = new TGifAnimation(this);
    animation_->setFixedSize(80, 100);
    animation_->Load(QStringLiteral("GifMenu2"));
    if (animate)
        animation_->Start();
    else
        animation_->ShowFrame(0);
    layout->addWidget(animation_, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    status_ = new QLabel(server ? texts.waitingForPlayers : texts.waitingForGame, this);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    column->addWidget(status_);
    for (std::size_t i = 0; i < players_.size(); ++i) {
        players_[i] = new QLabel(texts.connected[i], this);
        players_[i]->hide();
        column->addWidget(players_[i]);
    }
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    ok_ = new TQobCardsButton(texts.ok, this);
    cancel_ = new TQobCardsButton(texts.cancel, this);
    ok_->setEnabled(false);
    for (QPushButton* b : {ok_, cancel_}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    column->addLayout(buttons);
    layout->addLayout(column, 1);
    setMinimumWidth(460);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void WaitWindow::ShowJoined(int clients) {
    // The first client is the second player at the table.
    for (std::size_t i = 0; i < players_.size(); ++i) players_[i]->setVisible(static_cast<int>(i) < clients);
    ok_->setEnabled(clients > 0);
    cancel_->setEnabled(clients == 0);
}

void WaitWindow::ShowNoGames() {
    status_->setText(texts_.noGames);
}

} // namespace tarvo
