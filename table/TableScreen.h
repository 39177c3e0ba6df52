// The game table on screen: three hands, the talon, the six pairs, plates, bubbles and the two
// action buttons, each part its own off-screen picture. It is the rules' view: the match
// pipeline drives it through TableView, and it reports clicks back through signals.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <set>

#include "core/GameState.h"
#include "core/TableView.h"
#include "table/Cursors.h"
#include "table/Decorations.h"
#include "table/FlightPath.h"
#include "table/Geometry.h"
#include "table/ImageStore.h"
#include "table/WindowResources.h"

namespace tarvo {

// The words the table shows, in the player's language.
struct TableTexts {
    QString go = "I Go...", pass = "That`s All...", take = "I Take";
    QString penalties = "Penalties: ", game = "Game: "; // game: the counter's word and colon
    std::array<QString, 3> names{"PC", "PC", "Player"};
    QString lose = "You lose!!!", won = "You have won!!!", draw = "Dead heat...";
    QString toBegin = "To Begin", okCaption = "Ok", beaten = "Beaten", playStill = "We play still!";
    QString exitToMenu = "Exit to menu";
    QString currentGame = "Current game";
    QString notBeaten = "The beaten was not"; // the hint of the five-card marker
    CounterHoverTexts counter;
};

struct TableOptions {
    int windowSize = 1; // 1, 3, 4, 5; 2 is full screen
    bool flyCards = true;
    int speed = 5; // 1..6
    bool gifAnimation = true;
    bool soundOn = true;
    bool ownCursor = false;
    int language = 0; // of the card voice and the chat line's hint
};

// Typed on the chat send button, this number shows the opponents' hands (and hides them again).
inline constexpr const char* RevealNumber = "73519";

// The seat whose step the game waits for, shown by the turn pointer: 0 before "To Begin", while a
// bout waits for its end to be confirmed, and once the game is over.
int SeatToMove(const GameState& g);

class TableScreen : public QWidget, public TableView {
    Q_OBJECT
  public:
    TableScreen(ImageStore& store, WindowResources& resources, QWidget* parent = nullptr);

    void Attach(const GameState* game) { game_ = game; }
    void SetTexts(const TableTexts& texts);
    void SetOptions(const TableOptions& options);
    // Lays the parts out for the window size (full screen uses the given client size).
    void ApplyWindowSize(int fullWidth = 0, int fullHeight = 0);
    void EnterTable();
    void HideTable();
    bool TableShown() const { return tableShown_; }
    const Layout& CurrentLayout() const { return layout_; }
    // The slot of the card under x (window pixels) in a seat's hand, 0 when none.
    int HitTest(int seat, int x) const;
    // Shows the opponents' hands face up (the reveal flag).
    void SetReveal(bool on);
    bool Revealed() const { return reveal_; }
    // The card the voice names for a right click at a point: a card on the table, the trump
    // under the talon, or an opponent's card lying face up (nothing elsewhere).
    TStr2 SpokenCardAt(QPoint at) const;
    QPushButton* ActionButton() const { return action_; }
    // A step of the game is over: the turn pointer looks at the game again.
    void StepOver() { GameMayHaveMoved(); }
    void RedrawAll();

    // TableView
    void PlaySound(std::string_view name) override;
    void SayCard(TStr2 card) override;
    void DrawBubble(int seat, Bubble bubble) override;
    void SetActionCaption(ActionCaption caption) override;
    void EnableActionButton(bool on) override;
    void EnableExitButton(bool on) override;
    void ShowGameResult(GameResult result) override;
    void FlyCard(const CardFlight& flight) override;
    void FlyCardGroup(const std::vector<CardFlight>& flights) override;
    void RedrawHand(int seat) override;
    void RevealHand(int seat) override;
    void ShowRefusedCard(int slot) override;
    void RedrawTalon() override;
    void DrawTableCard(int tableSlot, bool defence) override;
    void ClearTable() override;
    // The pointer follows the game by itself (SeatToMove); this only asks it to look again.
    void ShowTurnMarker(int seat) override;
    void RedrawNameTab(int seat) override;
    void RedrawGameCounter() override { DrawCounter(); }
    void ShowFirstBoutMarker(bool shown) override;
    void ShowShownTrump(int seat, TStr2 card) override;
    void ShowSearchProgress(int seat, const std::string& text) override;
    void SetBusyCursor(bool on) override;

    // Network play and the tournament show the chat memo with its input line and send button.
    void SetChatShown(bool shown);
    QLineEdit* ChatLine() const { return chatEdit_; }
    void AddChatLine(int seat, const QString& text);
    // Seconds left of a timed move; -1 clears the timer.
    void DrawMoveTimer(int seat, int seconds);
    // What the game counter's balloon tells; unknown (a network client before its first deal)
    // shows nothing.
    void SetCounterHover(CounterKind kind, int konL, int konStart, bool known);
    // In a tournament game the picture file of each seat's player, shown in a balloon while the
    // mouse is over that seat's speech bubble (when the file is there); empty files show nothing.
    void SetSeatPictures(const std::array<QString, 3>& files) { seatPictures_ = files; }
    // The balloon's rich text at a window point, empty where none shows.
    QString PictureBalloon(QPoint at) const;
    void ShowCursor(CursorRole role) { cursors_->Show(role); }
    // Whether a window point lies on a card the right button names (the own hand, or what
    // SpokenCardAt finds); anywhere else the right button opens the popup.
    bool OverCards(const QPoint& at) const;
    // Whether the marker of the five-card first bout shows.
    bool FirstBoutMarkerShown() const { return tableShown_ && firstBoutMarker_; }
    // The seat the turn pointer stands at, 0 when none.
    int TurnPointer() const { return pointerSeat_; }

    // The deal's number (and whether it is practice) above the table; empty hides it.
    void SetDealCaption(const QString& text);
    QString DealCaption() const;
    // A hint: the card rises out of the hand until the hand changes; a pass or a take flashes
    // the action button instead.
    void ShowHint(TStr2 card);
    void FlashActionButton();
    TStr2 HintedCard() const { return hinted_; }
    // Keyboard play: Left and Right choose a card of the own hand (framed), Enter plays it, Space
    // presses the action button, H asks for a hint and Esc for the popup menu.
    void SetKeyboardPlay(bool on);
    int KeySlot() const { return keyboardPlay_ ? keySlot_ : 0; }

    // Called after every drawn frame of a flight (pictures of a flight in progress).
    std::function<void(int frame)> onFlightFrame;

  signals:
    void actionPressed();
    void exitPressed();
    void ownCardClicked(int slot, bool rightButton);
    void ownCardHovered(int slot);
    void chatSent(const QString& text);
    // The game's result is on the table (a recording takes its last picture).
    void resultShown();
    // Keyboard play's H and Esc.
    void hintAsked();
    void menuAsked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // A card in flight: its line, where it is now, and whether it is still drawn.
    struct TSprite {
        TStr2 card;
        Point from, to, at;
        bool moving = true;
    };
    QRect SpriteRect(const TSprite& s) const; // the card plus the 2-pixel margin a step needs
    QRegion MoveSprite(TSprite& s, Point to);
    QRegion EraseSprite(TSprite& s);

    DecorContext Context() const;
    void AdvanceBanner();
    QImage PartCanvas(const Rect& r) const; // the background under a part
    void ShowPart(QImage& part, const Rect& r, QImage picture);
    void DrawTablePart();
    void DrawPlate(int seat);
    void GameMayHaveMoved();
    int OwnSlotAt(QPoint at) const; // the own card under a point, 0 when none
    QRect BubbleRect(int seat) const;
    int BubbleAt(QPoint at) const; // the seat whose speech bubble is under a point, 0 when none
    void RecheckHover();
    void RefreshTurnPointer();
    void DrawCounter();
    Point TableCardPlace(int tableSlot, bool defence) const;
    void Fly(std::vector<TSprite> sprites);
    void PauseMs(int ms);

    ImageStore& store_;
    WindowResources& resources_;
    const GameState* game_ = nullptr;
    TableTexts texts_;
    TableOptions options_;
    Layout layout_;
    bool tableShown_ = false;
    bool reveal_ = false;
    std::array<bool, 4> faceUp_{}; // hands shown open at the end of a game
    std::array<std::vector<int>, 4> handOffsets_, previousOffsets_;
    std::array<QImage, 3> hands_, plates_, bubbles_;
    int pointerSeat_ = 0;
    QTimer pointerCheck_; // looks at the game once the step that changed it is over
    QImage talon_, table_, counter_;
    std::set<int> tableGone_;             // table cards already flown away
    std::array<bool, 13> tableDefence_{}; // which table slots hold beating cards
    TStr2 refusedCard_ = NoCard; // shaken over the own hand, in red, for a moment
    int refusedFrame_ = 0;
    QTimer refusedTimer_;
    TStr2 shownTrump_ = NoCard;
    int shownTrumpSeat_ = 0;
    bool firstBoutMarker_ = false;
    int markerFrame_ = 0;
    QTimer markerTimer_; // the marker breathes while it shows
    GameResultView result_;
    QTimer banner_;
    int bannerFrame_ = 0, bannerStop_ = -1;
    Rect TimerRect(int part) const;
    std::array<QImage, 4> timers_;
    ChatMemo memo_;
    QImage memoPart_;
    bool chatShown_ = false;
    QString revealTyped_; // digits typed while the send button has the focus
    QLineEdit* chatEdit_ = nullptr;
    QPushButton* chatSend_ = nullptr;
    std::array<QString, 3> seatPictures_;
    CounterKind counterKind_ = CounterKind::Local;
    int konL_ = 0, konStart_ = 0;
    bool counterKnown_ = true;
    CursorKeeper* cursors_ = nullptr;
    CursorRole cursorBeforeBusy_ = CursorRole::Arrow;
    QPushButton* action_ = nullptr;
    QPushButton* exit_ = nullptr;

    // A flight in progress paints the window from its snapshot plus the moving cards.
    bool flying_ = false;
    QImage flightBackground_;
    std::vector<TSprite> sprites_;
    FlightPacer pacer_;

    QLabel* dealLabel_ = nullptr;
    TStr2 hinted_ = NoCard;
    QTimer flash_; // the action button's flash for a hinted pass or take
    int flashesLeft_ = 0;
    QColor flashInk_; // the caption's own colour, back after the flash
    bool keyboardPlay_ = false;
    int keySlot_ = 1;
    void PlaceDealLabel();
    void ForgetHint();
};

} // namespace tarvo
