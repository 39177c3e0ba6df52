#include "TableScreen.h"

#include <QCoreApplication>
#include <algorithm>
#include <QCursor>
#include <QEventLoop>
#include <QFontMetrics>
#include <QHash>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include "core/Queries.h"
#include "core/Rules.h"
#include "media/CardVoice.h"
#include "media/Sound.h"
#include "table/CardDrawing.h"
#include "table/CardsButton.h"
#include "table/Cp1251Field.h"
#include "table/Decorations.h"
#include "table/Fonts.h"

namespace tarvo {
namespace {

QFont TalonFont(int height) {
    return FontOfHeight(QStringLiteral("Comic Sans MS"), height, true);
}

int SuitSlot(char suit) {
    return SuitIndex(suit) - 1;
}

// The refused card's sign: it is lifted over its neighbours, tinted red and shaken sideways for
// eight frames of 40 ms, ever less.
constexpr int RefusedFrames = 8;
constexpr int RefusedFrameMs = 40;

QImage RefusedCardPicture(TStr2 card, const ImageStore& store) {
    QImage picture(store.cellWidth, store.cellHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    DrawCard(0, 0, card, store, p);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop); // only where the card is
    p.fillRect(picture.rect(), QColor(0xE0, 0x10, 0x10, 90));
    return picture;
}

} // namespace

TableScreen::TableScreen(ImageStore& store, WindowResources& resources, QWidget* parent)
    : QWidget(parent), store_(store), resources_(resources) {
    setMouseTracking(true);
    action_ = new TQobCardsButton(this);
    exit_ = new TQobCardsButton(texts_.exitToMenu, this);
    action_->hide();
    exit_->hide();
    // Keys have no work in the window: a button holding the focus would be pressed again by Space.
    action_->setFocusPolicy(Qt::NoFocus);
    exit_->setFocusPolicy(Qt::NoFocus);
    // A pass or a take moves no card, so the hint is put back here rather than by a flight.
    connect(action_, &QPushButton::clicked, this, &TableScreen::ForgetHint);
    connect(action_, &QPushButton::clicked, this, &TableScreen::actionPressed);
    connect(exit_, &QPushButton::clicked, this, &TableScreen::exitPressed);
    connect(&banner_, &QTimer::timeout, this, &TableScreen::AdvanceBanner);
    connect(&markerTimer_, &QTimer::timeout, this, [this] {
        ++markerFrame_;
        if (tableShown_)
            update(QRect(layout_.help.left, layout_.help.top, layout_.help.width, layout_.help.height));
    });
    connect(&refusedTimer_, &QTimer::timeout, this, [this] {
        if (++refusedFrame_ >= RefusedFrames) {
            refusedTimer_.stop();
            refusedCard_ = NoCard;
        }
        RedrawHand(3);
    });
    pointerCheck_.setSingleShot(true);
    pointerCheck_.setInterval(0);
    connect(&pointerCheck_, &QTimer::timeout, this, &TableScreen::RefreshTurnPointer);
    chatEdit_ = new QLineEdit(this);
    chatSend_ = new TQobCardsButton(QStringLiteral(">"), this);
    chatEdit_->hide();
    chatSend_->hide();
    auto send = [this] {
        QString text = chatEdit_->text().trimmed();
        if (text.isEmpty()) return;
        chatEdit_->clear();
        emit chatSent(text);
    };
    connect(chatSend_, &QPushButton::clicked, this, send);
    chatSend_->installEventFilter(this);
    connect(chatEdit_, &QLineEdit::returnPressed, this, send);
    cursors_ = new CursorKeeper(this);
    dealLabel_ = new QLabel(this);
    dealLabel_->setAlignment(Qt::AlignCenter);
    dealLabel_->setWordWrap(true);
    dealLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dealLabel_->setStyleSheet(QStringLiteral("color:#fff8d0;background:rgba(0,0,0,110);border-radius:4px;"));
    dealLabel_->hide();
    connect(&flash_, &QTimer::timeout, this, [this] {
        // Sunk and lit in turn: a darker body alone is easily missed.
        const bool lit = --flashesLeft_ % 2 == 1;
        auto* button = static_cast<TQobCardsButton*>(action_);
        button->setDown(lit);
        button->SetTextColour(lit ? button->ColorMouse() : flashInk_);
        if (flashesLeft_ <= 0) flash_.stop();
    });
    ApplyWindowSize();
}

// The deal's caption sits where the network chat would be: a numbered deal is always local.
void TableScreen::PlaceDealLabel() {
    const Rect& m = layout_.memo;
    dealLabel_->setGeometry(m.left, m.top + m.height / 3, m.width, m.height / 2);
    dealLabel_->setFont(RoleFont(FontRole::Serif, layout_.scale.Scaled(12), true, resources_.fonts));
}

void TableScreen::SetDealCaption(const QString& text) {
    dealLabel_->setText(text);
    dealLabel_->setVisible(!text.isEmpty() && tableShown_);
}

QString TableScreen::DealCaption() const {
    return dealLabel_->isVisible() ? dealLabel_->text() : QString();
}

void TableScreen::ShowHint(TStr2 card) {
    hinted_ = card;
    // With keyboard play the hinted card also becomes the chosen one, so Enter plays it.
    if (const int slot = game_ ? SlotOfCard(game_->CardsI[3], card) : 0; keyboardPlay_ && slot) keySlot_ = slot;
    RedrawHand(3);
}

// A step is under way: the hint was for the position before it.
void TableScreen::ForgetHint() {
    if (hinted_.Empty()) return;
    hinted_ = NoCard;
    RedrawHand(3);
}

void TableScreen::FlashActionButton() {
    if (!flash_.isActive()) flashInk_ = static_cast<TQobCardsButton*>(action_)->TextColour();
    flashesLeft_ = 6;
    flash_.start(180);
}

void TableScreen::SetKeyboardPlay(bool on) {
    keyboardPlay_ = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    if (on && tableShown_) setFocus();
    RedrawHand(3);
}

void TableScreen::keyPressEvent(QKeyEvent* event) {
    if (!keyboardPlay_ || !tableShown_ || flying_) return QWidget::keyPressEvent(event);
    const int count = game_ ? game_->KolCards[3] : 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (count > 0) {
            keySlot_ = std::clamp(keySlot_ + (event->key() == Qt::Key_Left ? -1 : 1), 1, count);
            RedrawHand(3);
            emit ownCardHovered(keySlot_);
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (keySlot_ >= 1 && keySlot_ <= count) emit ownCardClicked(keySlot_, false);
        break;
    case Qt::Key_Space:
        if (action_->isVisible() && action_->isEnabled()) action_->click();
        break;
    case Qt::Key_H:
        emit hintAsked();
        break;
    case Qt::Key_Escape:
        emit menuAsked();
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void TableScreen::SetTexts(const TableTexts& texts) {
    texts_ = texts;
    exit_->setText(texts_.exitToMenu);
    RedrawAll();
}

void TableScreen::SetOptions(const TableOptions& options) {
    options_ = options;
    cursors_->SetOwn(options.ownCursor);
    KeepToCp1251(chatEdit_, options.language); // chat lines travel in Windows-1251
}

void TableScreen::PlaySound(std::string_view name) {
    resources_.sound.PlayGameSound(name, options_.soundOn);
}

// The voice speaks even with the sounds off.
void TableScreen::SayCard(TStr2 card) {
    resources_.voice.Say(card, false, options_.language);
}

void TableScreen::ApplyWindowSize(int fullWidth, int fullHeight) {
    Scale scale = Scale::ForWindowSize(options_.windowSize, fullWidth, fullHeight);
    layout_ = Layout::For(scale, store_.cellWidth, store_.cellHeight);
    setFixedSize(scale.clientWidth, scale.clientHeight);
    const Scale& s = layout_.scale;
    int buttonWidth = RoundEven(130 * s.Sx), buttonHeight = s.Scaled(30);
    action_->setGeometry(RoundEven(615 * s.Sx), RoundEven(255 * s.Sy), buttonWidth, buttonHeight);
    action_->setFont(RoleFont(FontRole::Decor, s.Scaled(15), true, resources_.fonts));
    exit_->setFont(RoleFont(FontRole::Decor, s.Scaled(15), true, resources_.fonts));
    exit_->setGeometry(RoundEven(615 * s.Sx), RoundEven(255 * s.Sy + 30 * s.Sy), buttonWidth, buttonHeight);
    const Rect& edit = layout_.chatEdit;
    chatEdit_->setGeometry(edit.left, edit.top, edit.width, edit.height);
    chatEdit_->setFont(RoleFont(FontRole::Serif, s.Scaled(14), false, resources_.fonts));
    chatSend_->setGeometry(layout_.chatSend.left, layout_.chatSend.top, layout_.chatSend.width,
                           layout_.chatSend.height);
    PlaceDealLabel();
    RedrawAll();
}

void TableScreen::EnterTable() {
    tableShown_ = true;
    faceUp_.fill(false);
    tableGone_.clear();
    tableDefence_.fill(false);
    result_ = {};
    banner_.stop();
    shownTrump_ = NoCard;
    action_->show();
    exit_->hide();
    timers_ = {};
    chatEdit_->setVisible(chatShown_);
    chatSend_->setVisible(chatShown_);
    hinted_ = NoCard;
    if (keyboardPlay_) setFocus();
    RedrawAll();
}

void TableScreen::HideTable() {
    tableShown_ = false;
    dealLabel_->hide();
    hinted_ = NoCard;
    GameMayHaveMoved();
    chatEdit_->hide();
    chatSend_->hide();
    action_->hide();
    exit_->hide();
    update();
}

void TableScreen::SetReveal(bool on) {
    reveal_ = on;
    RedrawHand(1);
    RedrawHand(2);
}

void TableScreen::RedrawAll() {
    if (!game_) {
        update();
        return;
    }
    for (int seat = 1; seat <= 3; ++seat) {
        RedrawHand(seat);
        DrawPlate(seat);
        DrawBubble(seat, Bubble::Name);
    }
    RedrawTalon();
    DrawTablePart();
    DrawCounter();
    update();
}

QImage TableScreen::PartCanvas(const Rect& r) const {
    QImage canvas(std::max(1, r.width), std::max(1, r.height), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(0x1f, 0x6b, 0x3a));
    if (!store_.background.isNull()) {
        QPainter p(&canvas);
        p.drawImage(-r.left, -r.top, store_.background);
    }
    return canvas;
}

void TableScreen::ShowPart(QImage& part, const Rect& r, QImage picture) {
    part = std::move(picture);
    update(QRect(r.left, r.top, r.width, r.height));
    GameMayHaveMoved();
}

int SeatToMove(const GameState& g) {
    if (g.GameOver || g.StartPending == 1 || CurrentKind(g) == NoKind) return 0;
    return ActingSeat(g);
}

// Every step of the game redraws something or sets the action button; the pointer is looked at
// once that step is over, so it shows exactly the seat to move, whichever way the game moved.
void TableScreen::GameMayHaveMoved() {
    pointerCheck_.start();
}

void TableScreen::RefreshTurnPointer() {
    RecheckHover(); // the card under the resting mouse may have become playable, or stopped being
    const int seat = tableShown_ && game_ ? SeatToMove(*game_) : 0;
    if (seat == pointerSeat_) return;
    const int before = pointerSeat_;
    pointerSeat_ = seat;
    for (int s : {before, seat})
        if (s >= 1 && s <= 3) DrawPlate(s);
}

void TableScreen::RedrawHand(int seat) {
    if (seat < 1 || seat > 3 || !game_) return;
    const Rect& r = layout_.hands[static_cast<std::size_t>(seat - 1)];
    int count = game_->KolCards[seat];
    auto& offsets = handOffsets_[static_cast<std::size_t>(seat)];
    previousOffsets_[static_cast<std::size_t>(seat)] = offsets;
    offsets = ArrangeHand(0, r.width, count, store_.cellWidth);
    QImage canvas = PartCanvas(r);
    QPainter p(&canvas);
    bool faces = seat == 3 || reveal_ || faceUp_[static_cast<std::size_t>(seat)];
    // A hinted card stands out of the hand: the others sink by a sixth of a card.
    int hintedSlot = 0;
    if (seat == 3 && !hinted_.Empty())
        for (int i = 1; i <= count; ++i)
            if (game_->CardsI[3][i] == hinted_) hintedSlot = i;
    const int sink = hintedSlot ? store_.cellHeight / 6 : 0;
    for (int i = 1; i <= count; ++i) {
        int x = offsets[static_cast<std::size_t>(i - 1)];
        int y = i == hintedSlot ? 0 : sink;
        if (faces)
            DrawCard(x, y, game_->CardsI[seat][i], store_, p);
        else
            DrawCardBack(x, y, store_, p);
    }
    if (seat == 3 && keyboardPlay_ && count > 0) {
        // The chosen card comes to the front with a frame in two colours, so that it shows on
        // every face set and background.
        keySlot_ = std::clamp(keySlot_, 1, count);
        const int x = offsets[static_cast<std::size_t>(keySlot_ - 1)];
        const int y = keySlot_ == hintedSlot ? 0 : sink;
        DrawCard(x, y, game_->CardsI[3][keySlot_], store_, p);
        const int w = std::max(2, store_.cellHeight / 30);
        QRect frame(x + w / 2, y + w / 2, store_.cellWidth - w, store_.cellHeight - y - w);
        p.setPen(QPen(QColor(20, 20, 20), w + 2));
        p.drawRect(frame);
        p.setPen(QPen(QColor(255, 214, 0), w));
        p.drawRect(frame);
    }
    const int refused = seat == 3 && !refusedCard_.Empty() ? SlotOfCard(game_->CardsI[3], refusedCard_) : 0;
    if (refused >= 1 && refused <= count) {
        const int amplitude = layout_.scale.Scaled(4) * (RefusedFrames - refusedFrame_) / RefusedFrames;
        const int shift = refusedFrame_ % 2 == 0 ? -amplitude : amplitude;
        p.drawImage(offsets[static_cast<std::size_t>(refused - 1)] + shift, 0,
                    RefusedCardPicture(refusedCard_, store_));
    }
    if (seat == shownTrumpSeat_ && !shownTrump_.Empty()) {
        // The lowest trump that decided the first move lies face up over the hand.
        int x = offsets.empty() ? 0 : offsets.back() + layout_.scale.Scaled(20);
        DrawCard(std::min(x, r.width - store_.cellWidth), 0, shownTrump_, store_, p);
    }
    p.end();
    ShowPart(hands_[static_cast<std::size_t>(seat - 1)], r, canvas);
}

void TableScreen::ShowRefusedCard(int slot) {
    if (!game_ || slot < 1 || slot > game_->KolCards[3]) return;
    refusedCard_ = game_->CardsI[3][slot];
    refusedFrame_ = 0;
    refusedTimer_.start(RefusedFrameMs);
    RedrawHand(3);
}

void TableScreen::RevealHand(int seat) {
    faceUp_[static_cast<std::size_t>(seat)] = true;
    RedrawHand(seat);
}

void TableScreen::RedrawTalon() {
    if (!game_) return;
    const Rect& r = layout_.talon;
    const Scale& s = layout_.scale;
    QImage canvas = PartCanvas(r);
    QPainter p(&canvas);
    int remaining = TalonCount(*game_);
    bool small = options_.windowSize == 1;
    if (remaining > 0) {
        QImage base = BuiltinPicture(small ? "GKolodaSmall" : "GKolodaSmallB");
        if (small)
            p.drawImage(20, 1, base);
        else
            p.drawImage(QRect(s.Scaled(20), s.Scaled(1), s.Scaled(58), s.Scaled(25)), base);
        DrawCard(s.Scaled(12) + s.Scaled(store_.trumpOffset), s.Scaled(70), game_->KolodaI[DeckSize], store_,
                 p);
        for (int top : TalonBackTops(remaining)) DrawCardBackRotated(0, s.Scaled(top), store_, p);
        QFont font = TalonFont(20);
        p.setFont(font);
        p.setPen(QColor(0, 0, 0xFF));
        QString text = QString::number(remaining);
        int width = QFontMetrics(font).horizontalAdvance(text);
        int left = s.Scaled(20) + (s.Scaled(79) - s.Scaled(20) - width) / 2;
        int height = QFontMetrics(font).height();
        int top = small ? s.Scaled(4) : s.Scaled(1) + RoundEven((s.Scaled(25) - height) / 2.0);
        p.drawText(left, top + QFontMetrics(font).ascent(), text);
    } else {
        QImage base = BuiltinPicture(small ? "GKolodaLarge" : "GKolodaLargeB");
        QRect spot(s.Scaled(20), s.Scaled(54), s.Scaled(60), s.Scaled(60));
        if (small)
            p.drawImage(20, 54, base);
        else
            p.drawImage(spot, base);
        int suit = SuitSlot(game_->Koz);
        if (suit >= 0) {
            if (small) {
                p.drawImage(40, 74, store_.smallSuits[static_cast<std::size_t>(suit)]);
            } else {
                const QImage& icon = store_.largeSuits[static_cast<std::size_t>(suit)];
                p.drawImage(spot.center().x() - icon.width() / 2 + 1,
                            spot.center().y() - icon.height() / 2 + 1, icon);
            }
        }
    }
    p.end();
    ShowPart(talon_, r, canvas);
}

Point TableScreen::TableCardPlace(int tableSlot, bool defence) const {
    int attacks = 0;
    for (int i = 1; i < tableSlot; ++i) attacks += !tableDefence_[static_cast<std::size_t>(i)];
    int pair = std::clamp(defence ? attacks : attacks + 1, 1, 6);
    const Scale& s = layout_.scale;
    std::size_t k = static_cast<std::size_t>(pair - 1);
    return {layout_.table.left + s.Scaled(defence ? DefenceX[k] : AttackX[k]),
            layout_.table.top + (defence ? 0 : s.Scaled(30))};
}

void TableScreen::DrawTablePart() {
    if (!game_) return;
    const Rect& r = layout_.table;
    QImage canvas = PartCanvas(r);
    QPainter p(&canvas);
    for (int i = 1; i <= game_->KolCardsStol; ++i) {
        if (tableGone_.count(i)) continue;
        bool defence = tableDefence_[static_cast<std::size_t>(i)];
        Point at = TableCardPlace(i, defence);
        DrawCard(at.x - r.left, at.y - r.top, game_->InGameI[i], store_, p);
    }
    p.end();
    ShowPart(table_, r, canvas);
}

void TableScreen::DrawTableCard(int tableSlot, bool defence) {
    if (tableSlot >= 1 && tableSlot <= 12) tableDefence_[static_cast<std::size_t>(tableSlot)] = defence;
    tableGone_.erase(tableSlot);
    DrawTablePart();
}

void TableScreen::ClearTable() {
    tableGone_.clear();
    tableDefence_.fill(false);
    DrawTablePart();
}

DecorContext TableScreen::Context() const {
    return {layout_.scale, options_.windowSize, store_.background, resources_.fonts};
}

void TableScreen::DrawBubble(int seat, Bubble bubble) {
    if (seat < 1 || seat > 3) return;
    std::size_t i = static_cast<std::size_t>(seat - 1);
    QString text;
    char colour = 'n';
    switch (bubble) {
    case Bubble::Name:
        text = texts_.names[i], colour = 'y';
        break;
    case Bubble::Go:
        text = texts_.go, colour = 'r';
        break;
    case Bubble::Pass:
        text = texts_.pass, colour = 'b';
        break;
    case Bubble::Take:
        text = texts_.take, colour = 'g';
        break;
    case Bubble::Blank:
        text = QStringLiteral(" "), colour = 'b';
        break;
    }
    ShowPart(bubbles_[i], layout_.bubbles[i], tarvo::DrawBubble(Context(), layout_.bubbles[i], text, colour));
}

void TableScreen::DrawPlate(int seat) {
    std::size_t i = static_cast<std::size_t>(seat - 1);
    int fools = game_ ? game_->FoolCount[seat] : 0;
    ShowPart(plates_[i], layout_.plates[i],
             DrawTurnPointer(Context(), layout_.plates[i], texts_.penalties, fools, pointerSeat_ == seat));
}

void TableScreen::DrawCounter() {
    ShowPart(counter_, layout_.counter,
             DrawGameCounter(Context(), layout_.counter, texts_.game, game_ ? game_->KonNumber : 0));
}

void TableScreen::ShowTurnMarker(int) {
    GameMayHaveMoved();
}

void TableScreen::RedrawNameTab(int seat) {
    if (seat >= 1 && seat <= 3) DrawPlate(seat);
}

void TableScreen::ShowFirstBoutMarker(bool shown) {
    firstBoutMarker_ = shown;
    markerFrame_ = 0;
    if (shown)
        markerTimer_.start(150);
    else
        markerTimer_.stop();
    update(QRect(layout_.help.left, layout_.help.top, layout_.help.width, layout_.help.height));
}

void TableScreen::ShowShownTrump(int seat, TStr2 card) {
    int previous = shownTrumpSeat_;
    shownTrump_ = card;
    shownTrumpSeat_ = card.Empty() ? 0 : seat;
    if (previous) RedrawHand(previous);
    if (shownTrumpSeat_) RedrawHand(shownTrumpSeat_);
}

void TableScreen::SetActionCaption(ActionCaption caption) {
    GameMayHaveMoved();
    switch (caption) {
    case ActionCaption::ToBegin:
        action_->setText(texts_.toBegin);
        break;
    case ActionCaption::Take:
        action_->setText(texts_.take);
        break;
    case ActionCaption::Pass:
        action_->setText(texts_.pass);
        break;
    case ActionCaption::Beaten:
        action_->setText(texts_.beaten);
        break;
    case ActionCaption::Ok:
        action_->setText(texts_.okCaption);
        break;
    case ActionCaption::PlayStill:
        action_->setText(texts_.playStill);
        break;
    }
}

void TableScreen::EnableActionButton(bool on) {
    action_->setEnabled(on);
    GameMayHaveMoved();
}

void TableScreen::EnableExitButton(bool on) {
    exit_->setVisible(tableShown_);
    exit_->setEnabled(on);
}

void TableScreen::ShowGameResult(GameResult result) {
    const QString& text = result == GameResult::Lost  ? texts_.lose
                          : result == GameResult::Won ? texts_.won
                                                      : texts_.draw;
    result_ = tarvo::ShowGameResult(Context(), layout_.table, result, text, options_.gifAnimation);
    bannerFrame_ = 0;
    // A lost game's banner plays once to its last frame (the 24th), a won game's to its 10th; the
    // draw's shines on.
    bannerStop_ = result == GameResult::Lost ? 23 : result == GameResult::Won ? 9 : -1;
    if (result_.stillFrame < 0)
        banner_.start(100);
    else
        banner_.stop();
    update();
    emit resultShown();
}

void TableScreen::AdvanceBanner() {
    if (bannerStop_ >= 0 && bannerFrame_ >= bannerStop_) {
        banner_.stop();
        return;
    }
    QImage next = BuiltinGifFrame(result_.bannerGif, bannerFrame_ + 1);
    bannerFrame_ = next.isNull() ? 0 : bannerFrame_ + 1;
    update(QRect(result_.banner.left, result_.banner.top, result_.banner.width, result_.banner.height));
}

void TableScreen::ShowSearchProgress(int seat, const std::string& text) {
    if (seat < 1 || seat > 3) return;
    DrawBubble(seat, Bubble::Blank);
    QImage& part = bubbles_[static_cast<std::size_t>(seat - 1)];
    QPainter p(&part);
    QFont font = RoleFont(FontRole::Serif, layout_.scale.Scaled(13), false, resources_.fonts);
    p.setFont(font);
    p.setPen(Qt::white);
    QString line = QString::fromStdString(text);
    int width = QFontMetrics(font).horizontalAdvance(line);
    p.drawText((part.width() - width) / 2, 2 + QFontMetrics(font).ascent(), line);
    p.end();
    const Rect& r = layout_.bubbles[static_cast<std::size_t>(seat - 1)];
    repaint(QRect(r.left, r.top, r.width, r.height)); // the search keeps the thread busy
}

void TableScreen::SetBusyCursor(bool on) {
    // After the search the cursor the player had comes back (the hand over a playable card).
    if (on && cursors_->Current() != CursorRole::Wait) cursorBeforeBusy_ = cursors_->Current();
    cursors_->Show(on ? CursorRole::Wait : cursorBeforeBusy_);
}

int TableScreen::HitTest(int seat, int x) const {
    if (!game_ || seat < 1 || seat > 3) return 0;
    const auto& offsets = handOffsets_[static_cast<std::size_t>(seat)];
    int left = layout_.hands[static_cast<std::size_t>(seat - 1)].left;
    int n = std::min<int>(game_->KolCards[seat], static_cast<int>(offsets.size()));
    for (int i = 1; i <= n; ++i) {
        int start = left + offsets[static_cast<std::size_t>(i - 1)];
        int end = i < n ? left + offsets[static_cast<std::size_t>(i)] - 1 : start + store_.cellWidth - 1;
        if (x >= start && x <= end && !game_->CardsI[seat][i].Empty()) return i;
    }
    return 0;
}

TStr2 TableScreen::SpokenCardAt(QPoint at) const {
    if (!game_ || !tableShown_) return TStr2();
    auto inCell = [&](int left, int top) {
        return at.x() >= left && at.x() < left + store_.cellWidth && at.y() >= top &&
               at.y() < top + store_.cellHeight;
    };
    // The table's cards, the later (upper) ones first.
    for (int i = game_->KolCardsStol; i >= 1; --i) {
        if (tableGone_.count(i)) continue;
        const Point place = TableCardPlace(i, tableDefence_[static_cast<std::size_t>(i)]);
        if (inCell(place.x, place.y)) return game_->InGameI[i];
    }
    // The trump under the talon, while there is a talon.
    const Scale& s = layout_.scale;
    if (TalonCount(*game_) > 0 && inCell(layout_.talon.left + s.Scaled(12) + s.Scaled(store_.trumpOffset),
                                         layout_.talon.top + s.Scaled(70)))
        return game_->KolodaI[DeckSize];
    // An opponent's card that lies face up.
    for (int seat = 1; seat <= 2; ++seat) {
        if (!reveal_ && !faceUp_[static_cast<std::size_t>(seat)]) continue;
        const Rect& hand = layout_.hands[static_cast<std::size_t>(seat - 1)];
        if (at.y() < hand.top || at.y() >= hand.top + store_.cellHeight) continue;
        if (int slot = HitTest(seat, at.x())) return game_->CardsI[seat][slot];
    }
    return TStr2();
}

void TableScreen::mouseReleaseEvent(QMouseEvent* event) {
    const Rect& hand = layout_.hands[2];
    QPoint at = event->position().toPoint();
    if (!tableShown_ || flying_) return;
    const bool right = event->button() == Qt::RightButton;
    if (at.y() >= hand.top && at.y() < hand.top + store_.cellHeight) {
        if (int slot = HitTest(3, at.x())) {
            emit ownCardClicked(slot, right);
            return;
        }
    }
    // The right button names any card the player can see.
    if (right) {
        const TStr2 card = SpokenCardAt(at);
        if (!card.Empty()) SayCard(card);
    }
}

void TableScreen::mouseMoveEvent(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    const Rect& c = layout_.counter;
    QRect counter(c.left, c.top, c.width, c.height);
    if (tableShown_ && counterKnown_ && game_ && counter.contains(at)) {
        if (!QToolTip::isVisible()) {
            QString text = GameCounterHover(counterKind_, game_->KonNumber, konL_, konStart_, texts_.counter);
            text.replace(QStringLiteral("\n"), QStringLiteral("<br>"));
            QToolTip::showText(event->globalPosition().toPoint(),
                               "<b>" + texts_.currentGame.toHtmlEscaped() + "</b><br>" + text, this, counter,
                               5000);
        }
    } else if (const QString balloon = PictureBalloon(at); !balloon.isEmpty()) {
        if (!QToolTip::isVisible())
            QToolTip::showText(event->globalPosition().toPoint(), balloon, this, BubbleRect(BubbleAt(at)), 5000);
    } else if (const Rect& h = layout_.help;
               FirstBoutMarkerShown() && QRect(h.left, h.top, h.width, h.height).contains(at)) {
        if (!QToolTip::isVisible())
            QToolTip::showText(event->globalPosition().toPoint(), texts_.notBeaten, this,
                               QRect(h.left, h.top, h.width, h.height), 5000);
    } else if (QToolTip::isVisible()) {
        QToolTip::hideText();
    }
    emit ownCardHovered(OwnSlotAt(at));
}

QRect TableScreen::BubbleRect(int seat) const {
    if (seat < 1 || seat > 3) return {};
    const Rect& b = layout_.bubbles[static_cast<std::size_t>(seat - 1)];
    return QRect(b.left, b.top, b.width, b.height);
}

int TableScreen::BubbleAt(QPoint at) const {
    for (int seat = 1; seat <= 3; ++seat)
        if (BubbleRect(seat).contains(at)) return seat;
    return 0;
}

// The balloon over a seat's speech bubble: its player's picture, 100 pixels wide.
QString TableScreen::PictureBalloon(QPoint at) const {
    const int seat = BubbleAt(at);
    if (!tableShown_ || seat == 0) return {};
    const QString& file = seatPictures_[static_cast<std::size_t>(seat - 1)];
    if (file.isEmpty()) return {};
    const QSize size = QImageReader(file).size();
    if (!size.isValid() || size.width() <= 0) return {};
    const int height = std::max(1, size.height() * 100 / size.width());
    return QStringLiteral("<img src=\"%1\" width=\"100\" height=\"%2\">")
        .arg(QUrl::fromLocalFile(file).toString().toHtmlEscaped())
        .arg(height);
}

int TableScreen::OwnSlotAt(QPoint at) const {
    const Rect& hand = layout_.hands[2];
    const bool over = tableShown_ && at.y() >= hand.top && at.y() < hand.top + store_.cellHeight;
    return over ? HitTest(3, at.x()) : 0;
}

void TableScreen::RecheckHover() {
    if (cursors_->Current() == CursorRole::Wait || !underMouse()) return; // a search keeps its cursor
    emit ownCardHovered(OwnSlotAt(mapFromGlobal(QCursor::pos())));
}

void TableScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (flying_) {
        p.drawImage(0, 0, flightBackground_);
        for (const TSprite& s : sprites_) {
            if (!s.moving) continue;
            if (s.card == FaceDown)
                DrawCardBack(s.at.x, s.at.y, store_, p);
            else
                DrawCard(s.at.x, s.at.y, s.card, store_, p);
        }
        return;
    }
    if (store_.background.isNull())
        p.fillRect(rect(), QColor(0x1f, 0x6b, 0x3a));
    else
        p.drawImage(0, 0, store_.background);
    if (!tableShown_) return;
    auto draw = [&](const Rect& r, const QImage& part) {
        if (!part.isNull()) p.drawImage(r.left, r.top, part);
    };
    for (std::size_t i = 0; i < 3; ++i) {
        draw(layout_.hands[i], hands_[i]);
        draw(layout_.plates[i], plates_[i]);
        draw(layout_.bubbles[i], bubbles_[i]);
    }
    draw(layout_.talon, talon_);
    draw(layout_.counter, counter_);
    if (firstBoutMarker_) draw(layout_.help, DrawFirstBoutMarker(Context(), layout_.help, markerFrame_));
    if (chatShown_) draw(layout_.memo, memoPart_);
    for (int t = 0; t < 4; ++t) draw(TimerRect(t + 1), timers_[static_cast<std::size_t>(t)]);
    if (result_.bannerGif.isEmpty()) {
        draw(layout_.table, table_);
    } else {
        draw(result_.table, result_.tablePicture);
        QImage frame =
            result_.stillFrame >= 0 ? result_.stillPicture : BuiltinGifFrame(result_.bannerGif, bannerFrame_);
        if (!frame.isNull())
            p.drawImage(
                QRect(result_.banner.left, result_.banner.top, result_.banner.width, result_.banner.height),
                frame);
    }
}

void TableScreen::FlyCard(const CardFlight& f) {
    ForgetHint();
    if (!options_.flyCards || !isVisible() || !tableShown_) return;
    TSprite s;
    s.card = f.card;
    const auto& centre = [&](int seat) {
        auto c = layout_.HandCentre(seat);
        return Point{c[0], c[1]};
    };
    switch (f.from) {
    case Place::Hand: {
        s.from = centre(f.fromSeat);
        const auto& old = previousOffsets_[static_cast<std::size_t>(f.fromSeat)];
        if (f.fromSeat == 3 && f.fromSlot >= 1 && f.fromSlot <= static_cast<int>(old.size()))
            s.from.x = layout_.hands[2].left + old[static_cast<std::size_t>(f.fromSlot - 1)];
        s.to = TableCardPlace(f.toSlot, f.defence);
        break;
    }
    case Place::Talon: {
        auto t = layout_.TalonDealPlace();
        s.from = {t[0], t[1]};
        s.to = centre(f.toSeat);
        s.card = FaceDown;
        break;
    }
    case Place::Table:
        s.from = TableCardPlace(f.fromSlot, tableDefence_[static_cast<std::size_t>(f.fromSlot)]);
        s.to = centre(f.toSeat);
        tableGone_.insert(f.fromSlot);
        DrawTablePart();
        break;
    case Place::Bito:
        return;
    }
    s.at = s.from;
    Fly({s});
    if (f.from == Place::Hand) return;
    // A card dealt or taken lands in its hand before the pause, and a dealt one leaves the talon.
    if (f.from == Place::Talon) RedrawTalon();
    RedrawHand(f.toSeat);
    PauseMs(200);
}

void TableScreen::FlyCardGroup(const std::vector<CardFlight>& flights) {
    ForgetHint();
    if (!options_.flyCards || !isVisible() || !tableShown_ || flights.empty()) return;
    std::vector<TSprite> sprites;
    for (const CardFlight& f : flights) {
        TSprite s;
        s.card = f.card;
        s.from = TableCardPlace(f.fromSlot, tableDefence_[static_cast<std::size_t>(f.fromSlot)]);
        s.to = {-width(), layout_.scale.Scaled(200)};
        s.at = s.from;
        sprites.push_back(s);
        tableGone_.insert(f.fromSlot);
    }
    DrawTablePart(); // the cards fly over a cleared table
    Fly(std::move(sprites));
    PauseMs(200);
}

QRect TableScreen::SpriteRect(const TSprite& s) const {
    return QRect(s.at.x - 2, s.at.y - 2, store_.cellWidth + 4, store_.cellHeight + 4);
}

QRegion TableScreen::MoveSprite(TSprite& s, Point to) {
    QRegion dirty(SpriteRect(s));
    s.at = to;
    return dirty + SpriteRect(s);
}

QRegion TableScreen::EraseSprite(TSprite& s) {
    s.moving = false;
    return QRegion(SpriteRect(s));
}

void TableScreen::Fly(std::vector<TSprite> sprites) {
    repaint();
    flightBackground_ = grab().toImage();
    sprites_ = std::move(sprites);
    flying_ = true;
    int stepsPerFrame = options_.speed >= 6 ? 2 : 1;
    for (int frame = 1;; ++frame) {
        QRegion dirty;
        bool moving = false;
        for (TSprite& s : sprites_) {
            if (!s.moving) continue;
            Point p = s.at;
            for (int i = 0; i < stepsPerFrame && !(p == s.to); ++i) p = FlightStep(p, s.from, s.to);
            dirty += MoveSprite(s, p);
            if (s.at == s.to) dirty += EraseSprite(s); // an arrived card is drawn by its part
            moving = moving || s.moving;
        }
        repaint(dirty);
        if (onFlightFrame) onFlightFrame(frame);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!moving) break;
        if (int ms = pacer_.PauseAfterFrame(options_.speed)) QThread::msleep(static_cast<unsigned long>(ms));
    }
    flying_ = false;
    sprites_.clear();
    flightBackground_ = QImage();
    update();
}

void TableScreen::PauseMs(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TableScreen::SetChatShown(bool shown) {
    chatShown_ = shown;
    chatEdit_->setVisible(shown && tableShown_);
    chatSend_->setVisible(shown && tableShown_);
    if (!shown) memo_.Clear();
    memoPart_ = memo_.Draw(Context(), layout_.memo);
    update();
}

void TableScreen::AddChatLine(int seat, const QString& text) {
    memoPart_ = tarvo::AddChatLine(memo_, Context(), layout_.memo, seat, text);
    update(QRect(layout_.memo.left, layout_.memo.top, layout_.memo.width, layout_.memo.height));
}

Rect TableScreen::TimerRect(int part) const {
    return layout_.timers[static_cast<std::size_t>(std::clamp(part, 1, 4) - 1)];
}

void TableScreen::DrawMoveTimer(int seat, int seconds) {
    int part = MoveTimerPart(seat);
    Rect r = TimerRect(part);
    QImage& picture = timers_[static_cast<std::size_t>(part - 1)];
    picture = seconds < 0 ? QImage() : tarvo::DrawMoveTimer(Context(), r, seconds);
    update(QRect(r.left, r.top, r.width, r.height));
}

void TableScreen::SetCounterHover(CounterKind kind, int konL, int konStart, bool known) {
    counterKind_ = kind;
    konL_ = konL;
    konStart_ = konStart;
    counterKnown_ = known;
}

bool TableScreen::OverCards(const QPoint& at) const {
    if (!tableShown_) return false;
    const Rect& own = layout_.hands[2];
    if (QRect(own.left, own.top, own.width, store_.cellHeight).contains(at) && HitTest(3, at.x()) != 0)
        return true;
    return SpokenCardAt(at) != NoCard;
}

bool TableScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chatSend_) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) revealTyped_.clear();
        if (event->type() == QEvent::KeyPress) {
            revealTyped_ += static_cast<QKeyEvent*>(event)->text();
            if (revealTyped_ == QLatin1String(RevealNumber)) {
                revealTyped_.clear();
                SetReveal(!reveal_);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarvo
