#include "table/TournamentWindow.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "table/AccountParts.h"
#include "table/CardsButton.h"
#include "table/Fonts.h"
#include "table/WorldTopTenWindow.h"

namespace tarvo {
namespace {

constexpr QSize kListSize{520, 380}; // the ten rows and the player's place below them

QString Utf8(const std::string& s) {
    return QString::fromStdString(s);
}

// The state lamp: green while the tournament is open, red otherwise.
QPixmap Lamp(bool on) {
    return QPixmap::fromImage(ReadProgramPicture(on ? QStringLiteral("GTourOn") : QStringLiteral("GTourOff")));
}

} // namespace

TournamentWindow::TournamentWindow(TournamentDesk& desk, TournamentTexts texts, TournamentHooks hooks,
                                   const RecordsWindowOptions& look, QWidget* parent)
    : QDialog(parent), desk_(desk), texts_(std::move(texts)), hooks_(std::move(hooks)), look_(look) {
    look_.fonts.language = look_.language;
    setFont(RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, look_.fonts), false, look_.fonts));
    auto* layout = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    welcome_ = new QLabel(this);
    welcome_->setAlignment(Qt::AlignCenter);
    // A club's long line takes two rows, and no line widens the window beyond its ten tables.
    welcome_->setWordWrap(true);
    welcome_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lamp_ = new QLabel(this);
    head->addWidget(welcome_, 1);
    head->addWidget(lamp_);
    layout->addLayout(head);

    auto* tables = new QGridLayout;
    for (int t = 1; t <= kTournamentTables; ++t) {
        auto* box = new QGroupBox(this);
        tableBoxes_[static_cast<std::size_t>(t - 1)] = box;
        auto* column = new QVBoxLayout(box);
        for (int s = 1; s <= 3; ++s) {
            auto* b = new QPushButton(box);
            b->setMinimumWidth(140);
            b->setAutoDefault(false); // a key that closes a message must not take a seat
            connect(b, &QPushButton::clicked, this, [this, t, s] { OnSeat(t, s); });
            column->addWidget(b);
            seats_[static_cast<std::size_t>(t - 1)][static_cast<std::size_t>(s - 1)] = b;
        }
        tables->addWidget(box, (t - 1) / 5, (t - 1) % 5);
    }
    layout->addLayout(tables);

    auto* bottom = new QHBoxLayout;
    auto* grid = new QGridLayout;
    for (int r = 0; r < 6; ++r) {
        resultNames_[static_cast<std::size_t>(r)] = new QLabel(this);
        grid->addWidget(resultNames_[static_cast<std::size_t>(r)], r, 0);
        results_[static_cast<std::size_t>(r)] = new QLabel(this);
        grid->addWidget(results_[static_cast<std::size_t>(r)], r, 1);
    }
    bottom->addLayout(grid);
    rules_ = new QLabel(this);
    bottom->addWidget(rules_, 1);
    auto* buttons = new QVBoxLayout;
    refresh_ = WindowButton({}, this, look_);
    topTen_ = WindowButton({}, this, look_);
    close_ = WindowButton({}, this, look_);
    for (QPushButton* b : {refresh_, topTen_, close_}) {
        b->setFixedSize(160, 40);
        buttons->addWidget(b);
    }
    bottom->addLayout(buttons);
    layout->addLayout(bottom);

    connect(refresh_, &QPushButton::clicked, this, &TournamentWindow::Refresh);
    connect(close_, &QPushButton::clicked, this, &TournamentWindow::reject);
    connect(topTen_, &QPushButton::clicked, this, [this] {
        if (hooks_.topTen) hooks_.topTen();
    });
    connect(&refreshTimer_, &QTimer::timeout, this, &TournamentWindow::Refresh);
    connect(&watchTimer_, &QTimer::timeout, this, &TournamentWindow::Watch);
    refreshTimer_.start(10000);
    watchTimer_.start(1000);
    ApplyTexts();
    Refresh();
}

void TournamentWindow::SetTexts(TournamentTexts texts) {
    texts_ = std::move(texts);
    ApplyTexts();
    Show();
}

void TournamentWindow::ApplyTexts() {
    setWindowTitle(texts_.caption);
    for (int t = 1; t <= kTournamentTables; ++t)
        tableBoxes_[static_cast<std::size_t>(t - 1)]->setTitle(texts_.table + QStringLiteral(" \u2116 ") +
                                                               QString::number(t));
    const QString names[6] = {texts_.nick, texts_.yourScore, texts_.yourPlace,
                              texts_.rating, texts_.game, texts_.city};
    for (int r = 0; r < 6; ++r) resultNames_[static_cast<std::size_t>(r)]->setText(names[r] + QStringLiteral(":"));
    rules_->setText(texts_.firstBeat + QStringLiteral(": ") + texts_.yes + QStringLiteral("\n") +
                    texts_.noFiveOfSuit + QStringLiteral(": ") + texts_.yes);
    refresh_->setText(texts_.refresh);
    topTen_->setText(texts_.topTen);
    close_->setText(texts_.close);
}

// The timers tick on while a request waits: a refresh or watch then does not start another.
void TournamentWindow::Refresh() {
    if (busy_) return;
    Request([this] { return desk_.Refresh(); });
    Show();
}

void TournamentWindow::Show() {
    const QString line = desk_.InfoRead() ? Utf8(desk_.Welcome()) : texts_.noConnect;
    const int height = line.size() > 54 ? 16 : line.size() > 39 ? 20 : 24;
    welcome_->setFont(RoleFont(FontRole::Serif, RoleHeight(height, FontRole::Serif, look_.fonts), true, look_.fonts));
    welcome_->setText(line);
    lamp_->setPixmap(Lamp(desk_.Open()));
    lamp_->setToolTip(desk_.Open() ? texts_.serverOn : texts_.serverOff);

    for (int t = 1; t <= kTournamentTables; ++t) {
        const auto buttons = desk_.Buttons(t);
        for (int s = 1; s <= 3; ++s) {
            const SeatButton& b = buttons[static_cast<std::size_t>(s - 1)];
            QString caption;
            switch (b.caption) {
            case SeatButton::Caption::LogOff: caption = texts_.logOff; break;
            case SeatButton::Caption::Occupant: caption = Utf8(b.occupant); break;
            case SeatButton::Caption::TakePlace: caption = texts_.takePlace; break;
            case SeatButton::Caption::Free: caption = texts_.free; break;
            case SeatButton::Caption::ServerOff: caption = texts_.serverOff; break;
            }
            QPushButton* button = SeatButtonAt(t, s);
            button->setText(caption);
            button->setEnabled(b.enabled);
        }
    }
    const bool locked = desk_.Locked();
    for (QPushButton* b : {refresh_, close_, topTen_}) b->setEnabled(!locked);

    const TQobClient& me = desk_.Identity();
    const QString values[6] = {Utf8(me.Nick), QString::number(me.Score), QString::number(desk_.Place()),
                               QString::number(me.Rating), QString::number(me.Kon), Utf8(me.City)};
    for (int r = 0; r < 6; ++r) results_[static_cast<std::size_t>(r)]->setText(values[r]);
}

void TournamentWindow::OnSeat(int table, int seat) {
    if (busy_) return;
    if (desk_.Seat() != 0) {
        // Only the player's own seat is enabled while he sits: "Log off".
        if (!Request([this] { return desk_.Leave(); })) {
            if (hooks_.sound) hooks_.sound("WWrongs");
            return;
        }
        if (hooks_.left) hooks_.left();
        Refresh();
        return;
    }
    switch (Request([&] { return desk_.Take(table, seat); })) {
    case TakeOutcome::SameAddress:
        if (hooks_.message) hooks_.message(texts_.sameAddress);
        return;
    case TakeOutcome::Refused:
        if (hooks_.sound) hooks_.sound("WWrongs");
        Refresh();
        return;
    case TakeOutcome::Taken:
        if (hooks_.seated) hooks_.seated(table, seat);
        Refresh();
        return;
    }
}

// The game connection failed while the player sat: his seat and those above it are freed.
void TournamentWindow::Watch() {
    if (busy_ || desk_.Seat() == 0 || !hooks_.connectionFailed || !hooks_.connectionFailed()) return;
    if (hooks_.message) hooks_.message(texts_.connectionError);
    Request([this] { desk_.FreeAfterConnectionError(); });
    Refresh();
}

void TournamentWindow::reject() {
    if (desk_.Locked()) return;
    refreshTimer_.stop();
    watchTimer_.stop();
    QDialog::reject();
}

TournamentTopTenWindow::TournamentTopTenWindow(ScoreClient& client, const TQobClient& me, Texts texts,
                                               const RecordsWindowOptions& look, QWidget* parent)
    : QDialog(parent), client_(client), me_(me), texts_(std::move(texts)), look_(look) {
    look_.fonts.language = look_.language;
    setFont(RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, look_.fonts), false, look_.fonts));
    setWindowTitle(texts_.caption);
    auto* layout = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const std::pair<QString, char> lists[3] = {{texts_.score, 's'}, {texts_.rating, 'r'}, {texts_.games, 'k'}};
    QRadioButton* first = nullptr;
    for (const auto& [name, letter] : lists) {
        auto* r = new QRadioButton(name, this);
        group->addButton(r);
        choice->addWidget(r);
        const char l = letter;
        connect(r, &QRadioButton::toggled, this, [this, l](bool on) {
            if (on) ShowList(l);
        });
        if (letter == 's') first = r;
    }
    layout->addLayout(choice);
    list_ = new PaintedList(this);
    list_->setFixedSize(kListSize);
    layout->addWidget(list_);
    auto* close = WindowButton(texts_.close, this, look_);
    close->setFixedSize(160, 40);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    first->setChecked(true); // the list by score
}

void TournamentTopTenWindow::ShowList(char list) {
    const int own = list == 's' ? me_.Score : list == 'r' ? me_.Rating : me_.Kon;
    WorldListData d = TournamentListData(client_, list, own, texts_.language);
    const QString name = list == 's' ? texts_.score : list == 'r' ? texts_.rating : texts_.games;
    d.heading += QStringLiteral(" \u2014 ") + name;
    list_->SetItems(WorldListItems(d, kListSize.width(), texts_.language),
                    RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, look_.fonts), false, look_.fonts));
}

} // namespace tarvo
