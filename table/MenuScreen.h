// The main menu laid over the table cloth: the five club rows, the mode line, the side buttons,
// the title and captions, the two animations taking turns, and from the larger sizes on the time
// clock and the online-figures display. It only shows; the window decides what a click does.
#pragma once

#include <QColor>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "table/CalendarSheets.h"
#include "table/CardsButton.h"
#include "table/ClubRows.h"
#include "table/Geometry.h"
#include "table/MenuClocks.h"

namespace tarvo {

struct MenuTexts {
    std::array<QString, 5> clubRows; // club members, "New Player" in the first empty row
    QString modeLine;                // Panel4: local or network records
    QString topTen = "Top Ten", options = "Options", history = "History", mode = "Mode", exit = "Exit";
    QString sixth; // Button6, hidden when empty
    InfoTexts info;
    QString newsHint = "Qob News!", chatHint = "Qob Chat!";
    std::array<QString, 6> linkHints; // the link pictures, MenuLink order
};

struct MenuLook {
    int windowSize = 1;
    int language = 0;
    int captionColour = 1;
    bool network = false;
    bool gifAnimation = true;
    bool newButtons = true;
    bool mainMenuDesign = false;
    FontSettings fonts;
};

enum class MenuButton { Club1, Club2, Club3, Club4, Club5, Sixth, TopTen, Options, History, Mode, Exit };

// The link pictures of the menu's upper corners: on the left the world top ten, the statistics
// and the product page; on the right the mobile edition's list and its two store entries.
enum class MenuLink { WorldTopTen, Statistics, ProductPage, MobileList, Apk, GooglePlay };

class MenuScreen : public QWidget {
    Q_OBJECT
  public:
    explicit MenuScreen(QWidget* parent = nullptr);

    // Lays every part out for the scale over this background (the cloth at client size).
    void Arrange(const Scale& scale, const QImage& background, const MenuLook& look);
    void SetTexts(const MenuTexts& texts);
    // A control whose window is not there yet is shown disabled with a hint saying so.
    void SetAvailable(MenuButton button, bool available, const QString& hint = {});
    // The figure of the info display once the score server answered (absent: not reachable).
    void SetInfoReply(std::optional<InfoReply> reply);
    // The mode the info display shows now (1..7), chosen by the minute the menu was laid out.
    int InfoMode() const { return infoMode_; }
    // Today's calendar sheets: the first in the left image, the others taking turns in the right
    // one every 10 seconds. None (no calendar package) hides both.
    void SetCalendar(std::vector<CalendarPicture> sheets);
    // The right image shows the next sheet (TimerCal's tick, every 10 seconds).
    void TurnCalendar();
    Rect CalendarLeft() const { return calendarLeft_; }
    Rect CalendarRight() const { return calendarRight_; }
    Rect ModePanel() const { return modePanel_; }
    // Measures club captions for the records' shortening in the row buttons as they are laid out,
    // under this header line.
    ClubRowMeasure ClubMeasure(const QString& header) const;
    // News or chat waiting on the score server: the sirens turn.
    void SetWaiting(bool news, bool chat);
    TQobCardsButton* Button(MenuButton which) const { return buttons_[static_cast<std::size_t>(which)]; }
    // The account picture: a click opens the account window; its hint tells the account state.
    QPushButton* AccountPicture() const { return account_; }
    QPushButton* Link(MenuLink which) const { return links_[static_cast<std::size_t>(which)]; }
    // Where the news and chat signals stand now (empty when not shown).
    Rect NewsPart() const;
    Rect ChatPart() const;
    Rect ClockPart() const { return clock_; }
    // The radio on its shelf, between the left animation and Button6, below Button5; shown from
    // scale 1.6 on.
    Rect RadioPart() const { return radio_; }
    bool RadioShown() const { return scale_.S >= 1.6; }
    // The music player's buttons in the lower left corner; shown from scale 1.5 on.
    Rect MusicPart() const { return music_; }
    bool MusicShown() const { return scale_.S >= 1.5; }
    Rect InfoPart() const { return info_; }
    Rect TitlePart() const { return title_; }
    // The tournament picture: a click opens the tournament window.
    QPushButton* TournamentPicture() const { return tournament_; }

  signals:
    void clicked(MenuButton which);
    // The title or its caption was clicked: the caption takes its next colour.
    void captionClicked();
    void accountClicked();
    void linkClicked(MenuLink which);
    // The news or chat signal (its siren, or its icon on the shelf) was clicked.
    void newsClicked();
    void chatClicked();
    void tournamentClicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  public:
    // The balloon text at a point of the menu: the info display's, or a calendar sheet's.
    QString HintAt(QPoint at) const;

  private:
    void Tick();
    std::size_t RightSheet() const; // the sheet the right image shows now
    DecorContext Context() const;
    Rect ExitPlace() const; // where the Exit button stands
    QPushButton* PictureButton(const QString& picture);
    static void PlacePicture(QPushButton* button, int left, int top, int size);

    Scale scale_;
    QImage background_;
    MenuLook look_;
    MenuTexts texts_;
    std::array<TQobCardsButton*, 11> buttons_{};
    QPushButton* account_ = nullptr;
    std::array<QPushButton*, 6> links_{};
    QPushButton* tournament_ = nullptr;
    Rect title_, caption_, anim1_, anim2_, clock_, info_, modePanel_, radio_, music_;
    QColor modeColour_;
    QFont modeFont_;
    ClubColumns columns_; // of the mode line, which the club rows follow
    int medalWidth_ = 0;  // what a medal takes before a name
    QImage titlePicture_, captionPicture_;
    std::optional<InfoReply> reply_;
    int infoMode_ = 1;
    QString infoHint_;
    std::vector<CalendarPicture> calendar_;
    int calendarTurn_ = 0;
    Rect calendarLeft_, calendarRight_;
    QTimer timerCal_;
    bool newsWaiting_ = false, chatWaiting_ = false;
    NewsChatView newsChat_;
    QImage shelfPicture_;
    int sirenFrame_ = 0;
    // The two animations take turns: the first runs to its 36th frame, then the second to its 27th.
    int anim1Frame_ = 0, anim2Frame_ = 0;
    bool firstPlaying_ = true;
    QTimer timer_;
};

} // namespace tarvo
