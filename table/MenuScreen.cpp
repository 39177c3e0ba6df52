#include "MenuScreen.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTime>
#include <QToolTip>
#include <algorithm>

#include "table/Decorations.h"
#include "table/Fonts.h"

namespace tarvo {

MenuScreen::MenuScreen(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new TQobCardsButton(this);
        connect(buttons_[i], &QPushButton::clicked, this,
                [this, i] { emit clicked(static_cast<MenuButton>(i)); });
    }
    account_ = PictureButton(QStringLiteral("Account48"));
    connect(account_, &QPushButton::clicked, this, &MenuScreen::accountClicked);
    const char* const linkPictures[6] = {"GWorld48", "GStat48", "GHome48", "Android", "GApk48", "GPlay48"};
    for (std::size_t i = 0; i < links_.size(); ++i) {
        links_[i] = PictureButton(QString::fromLatin1(linkPictures[i]));
        links_[i]->setToolTipDuration(5000);
        connect(links_[i], &QPushButton::clicked, this,
                [this, i] { emit linkClicked(static_cast<MenuLink>(i)); });
    }
    connect(&timer_, &QTimer::timeout, this, &MenuScreen::Tick);
    connect(&timerCal_, &QTimer::timeout, this, &MenuScreen::TurnCalendar);
    tournament_ = PictureButton(QStringLiteral("GTourMenu"));
    connect(tournament_, &QPushButton::clicked, this, &MenuScreen::tournamentClicked);
}

QPushButton* MenuScreen::PictureButton(const QString& picture) {
    auto* button = new QPushButton(this);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    button->setProperty("picture", picture);
    return button;
}

// An icon never grows past its pixmap, so the picture is scaled to the button's size itself.
void MenuScreen::PlacePicture(QPushButton* button, int left, int top, int size) {
    button->setGeometry(left, top, size, size);
    const QImage picture = BuiltinPicture(button->property("picture").toString());
    if (!picture.isNull())
        button->setIcon(QIcon(
            QPixmap::fromImage(picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    button->setIconSize(QSize(size, size));
}

void MenuScreen::TurnCalendar() {
    ++calendarTurn_;
    update(QRect(calendarRight_.left, calendarRight_.top, calendarRight_.width, calendarRight_.height));
}

DecorContext MenuScreen::Context() const {
    return {scale_, look_.windowSize, background_, look_.fonts};
}

void MenuScreen::Arrange(const Scale& scale, const QImage& background, const MenuLook& look) {
    scale_ = scale;
    background_ = background;
    look_ = look;
    setGeometry(0, 0, scale.clientWidth, scale.clientHeight);
    const double Sx = scale.Sx, Sy = scale.Sy;
    int h = RoundEven(30 * scale.S);
    QFont font = RoleFont(FontRole::Decor, scale.Scaled(17), true, look.fonts);
    auto place = [&](MenuButton b, int left, int top, int width) {
        Button(b)->setGeometry(left, top, width, h);
        Button(b)->setFont(font);
    };
    int top = RoundEven(265 * Sy);
    for (int k = 0; k < 5; ++k)
        place(static_cast<MenuButton>(k), RoundEven(180 * Sx), top + k * h, RoundEven(400 * Sx));
    place(MenuButton::Sixth, RoundEven(280 * Sx), top + 5 * h + scale.Scaled(10), RoundEven(200 * Sx));
    place(MenuButton::TopTen, RoundEven(40 * Sx), RoundEven(225 * Sy), RoundEven(100 * Sx));
    place(MenuButton::Options, RoundEven(620 * Sx), RoundEven(225 * Sy), RoundEven(100 * Sx));
    place(MenuButton::History, RoundEven(40 * Sx), RoundEven(255 * Sy), RoundEven(100 * Sx));
    place(MenuButton::Mode, RoundEven(620 * Sx), RoundEven(255 * Sy), RoundEven(100 * Sx));
    place(MenuButton::Exit, RoundEven(330 * Sx), RoundEven(465 * Sy), RoundEven(100 * Sx));

    title_ = {RoundEven(230 * Sx), RoundEven(90 * Sy) - scale.Scaled(5), RoundEven(300 * Sx), 3 * h};
    // The edition ribbon ("Elite", or the network game's) hangs under the title's right end.
    caption_ = {title_.Right() - scale.Scaled(150), title_.Bottom() - scale.Scaled(12), scale.Scaled(150),
                scale.Scaled(30)};
    int animTop = RoundEven(290 * Sy) + RoundEven((Sy - 1) * 100);
    anim1_ = {RoundEven(10 * Sx), animTop, 160, 200};
    anim2_ = {scale.clientWidth - RoundEven(10 * Sx) - 160, animTop, 160, 200};
    const QRect sixth = Button(MenuButton::Sixth)->geometry(), fifth = Button(MenuButton::Club5)->geometry();
    radio_ = {RoundEven((anim1_.Right() + sixth.left()) / 2.0 - 110),
              RoundEven((scale.clientHeight + fifth.top() + fifth.height()) / 2.0 - 62.5), 220, 125};
    music_ = {10, scale.clientHeight - 70, 191, 61};
    // The calendar sheets hang in the upper corners, clear of the title and the side buttons.
    calendarLeft_ = {RoundEven(40 * Sx), RoundEven(100 * Sy), scale.Scaled(60), scale.Scaled(100)};
    calendarRight_ = {scale.clientWidth - RoundEven(40 * Sx) - scale.Scaled(60), RoundEven(100 * Sy),
                      scale.Scaled(60), scale.Scaled(100)};
    // The link pictures: three in each upper corner, above the calendar sheets.
    const int link = scale.Scaled(36), gap = scale.Scaled(6);
    for (int k = 0; k < 3; ++k) {
        PlacePicture(links_[static_cast<std::size_t>(k)], RoundEven(10 * Sx) + k * (link + gap),
                     RoundEven(8 * Sy), link);
        PlacePicture(links_[static_cast<std::size_t>(3 + k)],
                     scale.clientWidth - RoundEven(10 * Sx) - (3 - k) * (link + gap) + gap, RoundEven(8 * Sy),
                     link);
    }
    // The clocks stand above the side buttons, each beside its calendar sheet on the title's side:
    // the sheets grow with the window and the clocks do not, so under a sheet there is no room.
    int clockTop = RoundEven(225 * Sy) - 64 - scale.Scaled(10);
    int clockGap = scale.Scaled(6);
    clock_ = {std::max(RoundEven(60 * Sx) + RoundEven((Sx - 1) * 50) - 7, calendarLeft_.Right() + clockGap),
              clockTop, 115, 64};
    info_ = {std::min(RoundEven(600 * Sx) + RoundEven((Sx - 1) * 50) - 7, calendarRight_.left - clockGap - 115),
             clockTop, 115, 64};
    // The news shelf stands in the upper right, between the title and the right calendar sheet.
    Rect shelf{calendarRight_.left - 230, RoundEven(40 * Sy), 220, 125};
    newsChat_ = ShowNewsChatIndicators(scale, shelf, ExitPlace(), newsWaiting_, chatWaiting_);
    // The account picture and below it the tournament picture stand between the left calendar sheet
    // and the title, above the clock where one is shown, else above the side buttons.
    const int picture = scale.Scaled(48), pictureGap = scale.Scaled(6);
    const int floor = MenuClocksShown(scale) ? clock_.top : Button(MenuButton::TopTen)->y();
    PlacePicture(tournament_, RoundEven(140 * Sx), floor - pictureGap - picture, picture);
    PlacePicture(account_, RoundEven(140 * Sx), floor - 2 * (pictureGap + picture), picture);
    shelfPicture_ = newsChat_.shelfShown ? DrawNewsShelf(Context(), newsChat_.shelf) : QImage();
    titlePicture_ = DrawTitle(QSize(title_.width, title_.height));
    captionPicture_ =
        ElitePicture(look.language, look.network, look.captionColour, QSize(caption_.width, caption_.height));
    infoMode_ = InfoModeForMinute(QTime::currentTime().minute());

    MedalLook medals = SetMedals(scale, look.newButtons, look.mainMenuDesign);
    medalWidth_ = 0;
    for (int k = 0; k < 3; ++k) {
        TQobCardsButton* row = Button(static_cast<MenuButton>(k));
        QPalette palette = row->palette();
        palette.setColor(QPalette::ButtonText, medals.rowCaption);
        row->setPalette(palette);
        const QString& glyph = medals.glyphs[static_cast<std::size_t>(k)];
        const QImage medal = glyph.isEmpty() ? QImage() : BuiltinPicture(glyph);
        row->setIcon(medal.isNull() ? QIcon() : QIcon(QPixmap::fromImage(medal)));
        if (!medal.isNull()) row->setIconSize(QSize(h - 4, h - 4));
        if (!medal.isNull()) medalWidth_ = h - 4 + 4;
    }
    // The header above the club list (Panel4), in the fixed-pitch font its columns are laid out for.
    modePanel_ = {RoundEven(180 * Sx), top - h - scale.Scaled(10), RoundEven(400 * Sx), h};
    modeColour_ = medals.modeCaption.value_or(QColor(0xFF, 0xFF, 0xC8));
    modeFont_ = RoleFont(FontRole::Fixed, scale.Scaled(16), true, look.fonts);
    update();
}

ClubRowMeasure MenuScreen::ClubMeasure(const QString& header) const {
    const TQobCardsButton* row = Button(MenuButton::Club1);
    return ClubRowMeasure(row->font(), row->width(), row->CaptionInset(), medalWidth_,
                          LayOutClubHeader(header, modeFont_, modePanel_.width));
}

void MenuScreen::SetTexts(const MenuTexts& texts) {
    texts_ = texts;
    // A member's name, games and score stand under their headings; any other row is centred.
    columns_ = LayOutClubHeader(texts.modeLine, modeFont_, modePanel_.width);
    for (int k = 0; k < 5; ++k) {
        TQobCardsButton* row = Button(static_cast<MenuButton>(k));
        const QString& caption = texts.clubRows[static_cast<std::size_t>(k)];
        const std::optional<ClubRowCells> cells = columns_.valid ? SplitClubRow(caption) : std::nullopt;
        row->SetTabCentres(cells ? std::vector<int>(columns_.centres.begin(), columns_.centres.end())
                                 : std::vector<int>());
        row->setText(cells ? cells->name + '\t' + cells->games + '\t' + cells->score : caption);
    }
    Button(MenuButton::Sixth)->setText(texts.sixth);
    Button(MenuButton::Sixth)->setVisible(!texts.sixth.isEmpty());
    Button(MenuButton::TopTen)->setText(texts.topTen);
    Button(MenuButton::Options)->setText(texts.options);
    Button(MenuButton::History)->setText(texts.history);
    Button(MenuButton::Mode)->setText(texts.mode);
    Button(MenuButton::Exit)->setText(texts.exit);
    for (std::size_t i = 0; i < links_.size(); ++i) links_[i]->setToolTip(texts.linkHints[i]);
    update();
}

void MenuScreen::SetAvailable(MenuButton button, bool available, const QString& hint) {
    Button(button)->setEnabled(available);
    Button(button)->setToolTip(available ? QString() : hint);
}

void MenuScreen::SetCalendar(std::vector<CalendarPicture> sheets) {
    calendar_ = std::move(sheets);
    calendarTurn_ = 0;
    if (calendar_.size() > 1)
        timerCal_.start(10000);
    else
        timerCal_.stop();
    update();
}

Rect MenuScreen::ExitPlace() const {
    const QRect exit = Button(MenuButton::Exit)->geometry();
    return {exit.x(), exit.y(), exit.width(), exit.height()};
}

void MenuScreen::SetWaiting(bool news, bool chat) {
    newsWaiting_ = news;
    chatWaiting_ = chat;
    newsChat_ = ShowNewsChatIndicators(scale_, newsChat_.shelf, ExitPlace(), news, chat);
    update();
}

void MenuScreen::SetInfoReply(std::optional<InfoReply> reply) {
    reply_ = std::move(reply);
    update(QRect(info_.left, info_.top, info_.width, info_.height));
}

void MenuScreen::showEvent(QShowEvent*) {
    infoMode_ = InfoModeForMinute(QTime::currentTime().minute());
    anim1Frame_ = anim2Frame_ = 0;
    firstPlaying_ = true;
    timer_.start(100);
}

void MenuScreen::hideEvent(QHideEvent*) {
    timer_.stop();
}

bool MenuScreen::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = HintAt(help->pos());
        if (!hint.isEmpty())
            QToolTip::showText(help->globalPos(), hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

QString MenuScreen::HintAt(QPoint at) const {
    auto inside = [&](const Rect& r) { return QRect(r.left, r.top, r.width, r.height).contains(at); };
    if (inside(info_)) return infoHint_;
    if (inside(NewsPart())) return texts_.newsHint;
    if (inside(ChatPart())) return texts_.chatHint;
    // Each calendar sheet tells its date, sign or holidays in words.
    if (!calendar_.empty() && inside(calendarLeft_)) return calendar_.front().hint;
    if (calendar_.size() > 1 && inside(calendarRight_)) return calendar_[RightSheet()].hint;
    return {};
}

std::size_t MenuScreen::RightSheet() const {
    return 1 + static_cast<std::size_t>(calendarTurn_) % (calendar_.size() - 1);
}

void MenuScreen::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    auto inside = [&](const Rect& r) { return QRect(r.left, r.top, r.width, r.height).contains(at); };
    if (event->button() != Qt::LeftButton) return;
    if (inside(title_) || inside(caption_)) emit captionClicked();
    if (inside(NewsPart())) emit newsClicked();
    if (inside(ChatPart())) emit chatClicked();
}

// From S 1.6 the shelf always stands with its icons: the icon's half of the shelf answers too.
Rect MenuScreen::NewsPart() const {
    if (newsChat_.shelfShown)
        return {newsChat_.shelf.left, newsChat_.shelf.top, newsChat_.shelf.width / 2, newsChat_.shelf.height};
    return newsChat_.newsShown ? newsChat_.newsSiren : Rect{};
}

Rect MenuScreen::ChatPart() const {
    const Rect& s = newsChat_.shelf;
    if (newsChat_.shelfShown) return {s.left + s.width / 2, s.top, s.width - s.width / 2, s.height};
    return newsChat_.chatShown ? newsChat_.chatSiren : Rect{};
}

void MenuScreen::Tick() {
    if (look_.gifAnimation) {
        if (firstPlaying_) {
            anim2Frame_ = 0; // rewound while the first plays
            if (++anim1Frame_ >= 36) firstPlaying_ = false;
        } else if (++anim2Frame_ >= 27) {
            anim1Frame_ = 0;
            firstPlaying_ = true;
        }
    }
    ++sirenFrame_;
    update(); // the clock's colon blinks with the milliseconds
}

void MenuScreen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    auto at = [](const Rect& r) { return QRect(r.left, r.top, r.width, r.height); };
    if (!titlePicture_.isNull()) p.drawImage(at(title_), titlePicture_);
    if (!captionPicture_.isNull()) p.drawImage(at(caption_), captionPicture_);
    QImage first = BuiltinGifFrame(QStringLiteral("GifMenu1"), anim1Frame_);
    if (first.isNull()) first = BuiltinGifFrame(QStringLiteral("GifMenu1"), 0);
    QImage second = BuiltinGifFrame(QStringLiteral("GifMenu2"), anim2Frame_);
    if (second.isNull()) second = BuiltinGifFrame(QStringLiteral("GifMenu2"), 0);
    if (!first.isNull()) p.drawImage(at(anim1_), first);
    if (!second.isNull()) p.drawImage(at(anim2_), second);
    if (!shelfPicture_.isNull()) p.drawImage(at(newsChat_.shelf), shelfPicture_);
    if (!texts_.modeLine.isEmpty()) {
        p.setFont(modeFont_);
        p.setPen(modeColour_);
        // Drawn from where its columns were measured, trailing blanks and all.
        const QRect panel = at(modePanel_);
        if (columns_.valid)
            p.drawText(panel.adjusted(columns_.left, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, texts_.modeLine);
        else
            p.drawText(panel, Qt::AlignCenter, texts_.modeLine);
    }
    auto siren = [&](bool shown, bool animates, const Rect& r, const char* name) {
        if (!shown) return;
        QImage frame = BuiltinGifFrame(QString::fromLatin1(name), animates ? sirenFrame_ % 8 : 0);
        if (!frame.isNull()) p.drawImage(at(r), frame);
    };
    siren(newsChat_.newsShown, newsChat_.newsAnimates, newsChat_.newsSiren, "GSirenaB");
    siren(newsChat_.chatShown, newsChat_.chatAnimates, newsChat_.chatSiren, "GSirenaR");
    if (!calendar_.empty()) {
        p.drawImage(at(calendarLeft_), calendar_.front().image);
        if (calendar_.size() > 1) {
            p.drawImage(at(calendarRight_), calendar_[RightSheet()].image);
        }
    }
    if (MenuClocksShown(scale_)) {
        QImage clock = DrawMenuClock(Context(), clock_, QTime::currentTime());
        if (!clock.isNull()) p.drawImage(clock_.left, clock_.top, clock);
        InfoDisplay info = DrawInfoDisplay(Context(), info_, infoMode_, reply_, texts_.info);
        if (!info.picture.isNull()) p.drawImage(info_.left, info_.top, info.picture);
        infoHint_ = info.hint;
    }
}

} // namespace tarvo
