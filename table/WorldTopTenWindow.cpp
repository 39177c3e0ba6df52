#include "table/WorldTopTenWindow.h"

#include <QApplication>
#include <QPainter>
#include <QShowEvent>

#include "media/Sound.h"
#include "online/Account.h"
#include "online/Chat.h"
#include "online/Countries.h"
#include "online/FieldRules.h"
#include "online/RatedPlay.h"
#include "online/RealNumber.h"
#include "records/Club.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/AccountParts.h"
#include "table/CardsButton.h"

namespace tarvo {
namespace {

constexpr QSize kClient{540, 600};
constexpr QRect kPicturePlace{10, 64, 520, 470};
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kOwnInk(0x90, 0xF0, 0x90);
const QColor kWarning(0xFF, 0x70, 0x60);
constexpr int kScoreRight = 505;

int RowTop(int place) {
    return 16 + 31 * place;
}

// The rows of the list layout's headings, lists 1..7; the platform layout's lists by game number.
int HeadingRow(int list) {
    return list - 1;
}
int ListOfGame(int gid) {
    return gid == kAccountList ? 2 : gid == kDesktopList ? 3 : 4;
}
int GameOfList(int list) {
    return list == 2 ? kAccountList : list == 3 ? kDesktopList : kMobileList;
}

PaintedItem Text(QString text, int x, int y, QColor colour, Qt::Alignment align = Qt::AlignLeft,
                 bool bold = false) {
    PaintedItem item;
    item.text = std::move(text);
    item.x = x;
    item.y = y;
    item.colour = colour;
    item.align = align;
    item.bold = bold;
    return item;
}

PaintedItem Picture(QString name, QPixmap picture, int x, int y) {
    PaintedItem item;
    item.pictureName = std::move(name);
    item.picture = std::move(picture);
    item.x = x;
    item.y = y;
    return item;
}

QString NoConnect(int language) {
    return OnlineText(txt::NoConnect, 0, language);
}

QFont ListFont(const RecordsWindowOptions& o) {
    return RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, o.fonts), false, o.fonts);
}

} // namespace

PaintedList::PaintedList(QWidget* parent, QColor ground) : QWidget(parent), ground_(ground) {}

void PaintedList::SetItems(std::vector<PaintedItem> items, const QFont& font) {
    items_ = std::move(items);
    font_ = font;
    update();
}

QStringList PaintedList::Lines() const {
    std::map<int, QStringList> rows;
    for (const PaintedItem& item : items_)
        if (!item.text.isEmpty()) rows[item.y].push_back(item.text);
    QStringList lines;
    for (const auto& [y, texts] : rows) lines.push_back(texts.join(QLatin1Char(' ')));
    return lines;
}

void PaintedList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ground_);
    p.setPen(QPen(ground_.lightness() < 128 ? kYellow.darker(150) : ground_.darker(160), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const PaintedItem& item : items_) {
        if (!item.band.isEmpty()) {
            p.fillRect(QRect(QPoint(item.x, item.y), item.band), item.colour);
            continue;
        }
        if (item.text.isEmpty()) {
            if (!item.picture.isNull()) p.drawPixmap(item.x, item.y, item.picture);
            continue;
        }
        QFont font = font_;
        font.setBold(item.bold);
        p.setFont(font);
        p.setPen(item.colour);
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(item.text);
        int x = item.x;
        if (item.align & Qt::AlignRight) x -= width;
        if (item.align & Qt::AlignHCenter) x -= width / 2;
        p.drawText(x, item.y + metrics.ascent(), item.text);
    }
}

std::vector<PaintedItem> WorldListItems(const WorldListData& d, int width, int language) {
    std::vector<PaintedItem> items;
    items.push_back(Text(d.heading, width / 2, 15, kYellow, Qt::AlignHCenter, true));
    if (!d.connected) {
        items.push_back(Text(NoConnect(language), width / 2, RowTop(1), kWarning, Qt::AlignHCenter, true));
        return items;
    }
    const bool desktop = d.gid == kDesktopList;
    for (int place = 1; place <= 10; ++place) {
        const int y = RowTop(place);
        const std::size_t i = static_cast<std::size_t>(place - 1);
        const QString number = QString::number(place) + QLatin1Char('.');
        if (d.clubList) {
            const TQobTop10& r = d.club[i];
            if (r.Nick.empty()) continue;
            items.push_back(Text(number, 15, y, kYellow));
            if (auto code = CountryOfShortName(r.Country))
                items.push_back(Picture("flag", FlagPicture(*code), 45, y + 4));
            items.push_back(Picture("face", FacePicture(r.Sex), 65, y + 1));
            items.push_back(Text(FromUtf8(r.Nick), 85, y, kYellow));
            items.push_back(Text(FromUtf8(r.City), 235, y, kYellow));
            items.push_back(Text(FromUtf8(RatingText(r.Rating)), kScoreRight, y, kYellow, Qt::AlignRight));
            continue;
        }
        if (d.localList) {
            if (i >= d.local.size()) continue;
            items.push_back(Text(number, 15, y, kYellow));
            items.push_back(Text(FromUtf8(d.local[i].first), 45, y, kYellow));
            items.push_back(Text(FromUtf8(d.local[i].second), kScoreRight, y, kYellow, Qt::AlignRight));
            continue;
        }
        const TQobRecord& r = d.rows[i];
        if (r.Empty()) continue;
        items.push_back(Text(QString::number(r.Place) + QLatin1Char('.'), 15, y, kYellow));
        const auto code = desktop ? ParseCountryCode(r.Country)
                                  : d.tournament ? CountryOfShortName(r.Country) : std::nullopt;
        if (code) items.push_back(Picture("flag", FlagPicture(*code), 45, y + 4));
        items.push_back(Picture("face", FacePicture(r.R07), 65, y + 1));
        items.push_back(Text(FromUtf8(r.Nick), 85, y, kYellow));
        const bool cityAlone = desktop || d.tournament;
        items.push_back(Text(FromUtf8(cityAlone ? r.City : r.City + ", " + r.Country), 235, y, kYellow));
        items.push_back(Text(QString::number(r.Score), kScoreRight, y, kYellow, Qt::AlignRight));
    }
    if (d.games)
        items.push_back(Text(OnlineText(txt::NumberOfGames, 0, language) + ": " + QString::number(*d.games),
                             width / 2, 350, kYellow, Qt::AlignHCenter));
    if (d.note) items.push_back(Text(*d.note, width / 2, 350, kYellow, Qt::AlignHCenter));
    if (d.ownTried) {
        if (!d.own) {
            items.push_back(Text(NoConnect(language), width / 2, 380, kWarning, Qt::AlignHCenter));
        } else {
            for (int n = 0; n < 5; ++n) {
                const TQobRecord& r = (*d.own)[static_cast<std::size_t>(n)];
                if (r.Empty()) continue;
                const int y = 380 + 18 * n;
                items.push_back(Text(QString::number(r.Place) + QLatin1Char('.'), 15, y, kOwnInk));
                items.push_back(Text(FromUtf8(r.Nick), 85, y, kOwnInk));
                items.push_back(Text(QString::number(r.Score), kScoreRight, y, kOwnInk, Qt::AlignRight));
            }
        }
    }
    return items;
}

WorldListData TournamentListData(ScoreClient& client, char list, std::optional<int> ownValue, int language) {
    WorldListData d;
    d.tournament = true;
    d.heading = OnlineText(txt::TopTenListHeadings, HeadingRow(5), language);
    const auto top = client.TournamentTopTen(list);
    d.connected = top.ok;
    d.rows = top.value;
    if (!top.ok || !ownValue) return d;
    const Reply<int> place = client.TournamentPlace(list, *ownValue);
    d.note = OnlineText(txt::YourPlace, 0, language) + ": " +
             (place.ok ? QString::number(place.value) : NoConnect(language));
    return d;
}

TFormWorldTopTen::TFormWorldTopTen(ScoreClient& client, const Account& account, Settings& settings,
                                   std::filesystem::path dataFolder, WorldLayout layout,
                                   const RecordsWindowOptions& options, WorldWindowHooks hooks,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      client_(client), account_(account), settings_(settings), dataFolder_(std::move(dataFolder)),
      layout_(layout), options_(options), hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setFixedSize(kClient);
    setWindowTitle(OnlineText(txt::WorldTopTen, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, options_.fonts), false, options_.fonts));

    // The lists' buttons: the three platforms as pictures, or the seven lists by number.
    const QString framed = QStringLiteral(
        "QPushButton { border: 2px solid transparent; border-radius: 6px; background: transparent; }"
        "QPushButton:checked { border-color: #F0D040; background: rgba(240, 208, 64, 40); }");
    if (layout_ == WorldLayout::Platform) {
        const std::pair<const char*, int> platforms[3] = {
            {"Windows", kDesktopList}, {"Android", kMobileList}, {"Account48", kAccountList}};
        for (int k = 0; k < 3; ++k) {
            auto* b = new QPushButton(this);
            b->setIcon(
                QIcon(QPixmap::fromImage(ReadProgramPicture(QString::fromLatin1(platforms[k].first)))));
            b->setIconSize({44, 44});
            b->setGeometry(10 + 60 * k, 6, 54, 54);
            const int gid = platforms[k].second;
            b->setToolTip(OnlineText(txt::TopTenListHeadings, HeadingRow(ListOfGame(gid)), lang));
            connect(b, &QPushButton::clicked, this, [this, gid] { ShowList(gid); });
            ListButtons.push_back(b);
        }
    } else {
        for (int list = 1; list <= 7; ++list) {
            auto* b = new QPushButton(QString::number(list), this);
            b->setGeometry(10 + 54 * (list - 1), 12, 48, 42);
            b->setToolTip(OnlineText(txt::TopTenListHeadings, HeadingRow(list), lang));
            connect(b, &QPushButton::clicked, this, [this, list] { ShowList(list); });
            ListButtons.push_back(b);
        }
    }
    for (QPushButton* b : ListButtons) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(framed);
        b->setCursor(Qt::PointingHandCursor);
    }

    Picture = new PaintedList(this);
    Picture->setGeometry(kPicturePlace);
    ButtonPassport = WindowButton(OnlineText(txt::Passport, 0, lang), this, options_);
    ButtonPassport->setGeometry(10, 545, 170, 45);
    Button1 = WindowButton(OnlineText(txt::Close, 0, lang), this, options_);
    Button1->setGeometry(360, 545, 170, 45);
    Button1->setDefault(true);
    connect(ButtonPassport, &QPushButton::clicked, this, [this] {
        if (hooks_.passport) hooks_.passport();
        ShowList(list_);
    });
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
}

WorldListData TFormWorldTopTen::ReadGameList(int gid) {
    WorldListData d;
    d.gid = gid;
    const auto top = client_.TopTen(gid);
    d.connected = top.ok;
    d.rows = top.value;
    if (!top.ok) return d;
    if (const auto games = client_.GameCount(gid); games.ok) d.games = games.value;
    // The account list shows the account's own rows, the others the passport's.
    const bool accountRows = gid == kAccountList && account_.SignedIn();
    const std::string& nick = accountRows ? account_.holder.Nick : settings_.TopTenNick;
    const std::string& city = accountRows ? account_.holder.City : settings_.TopTenCity;
    d.ownTried = true;
    if (const auto own = client_.TopTenAround(gid, nick, city); own.ok) d.own = own.value;
    return d;
}

void TFormWorldTopTen::ShowList(int list) {
    const int lang = options_.language;
    list_ = list;
    WorldListData d;
    if (layout_ == WorldLayout::Platform) {
        d = ReadGameList(list);
        d.heading = OnlineText(txt::TopTenListHeadings, HeadingRow(ListOfGame(list)), lang);
        const int k = list == kDesktopList ? 0 : list == kMobileList ? 1 : 2;
        ListButtons[static_cast<std::size_t>(k)]->setChecked(true);
    } else {
        ListButtons[static_cast<std::size_t>(list - 1)]->setChecked(true);
        if (list == 1) {
            const auto club = client_.ClubTopTen();
            d.clubList = true;
            d.connected = club.ok;
            d.club = club.value;
        } else if (list >= 2 && list <= 4) {
            d = ReadGameList(GameOfList(list));
        } else if (list == 5) {
            // The tournament by score, with the signed-in player's own place.
            std::optional<int> own;
            if (account_.SignedIn())
                if (const auto standing = client_.ReadTournamentRating(account_.holder.Nick); standing.ok)
                    own = standing.value.score;
            d = TournamentListData(client_, 's', own, lang);
        } else if (list == 6 || list == 7) {
            // The local records: name and score of the first ten entries.
            d.localList = true;
            const auto entries = ReadTopTen(TopTenRecordsFile(dataFolder_, list == 7));
            d.connected = entries.has_value();
            for (int place = 1; entries && place <= TopTenPlaces; ++place)
                d.local.emplace_back((*entries)[place].name, (*entries)[place].score);
        } else {
            d.connected = false;
        }
        d.heading = OnlineText(txt::TopTenListHeadings, HeadingRow(list), lang);
    }
    Picture->SetItems(WorldListItems(d, kPicturePlace.width(), lang), ListFont(options_));
}

TFormWorldWrite::TFormWorldWrite(ScoreClient& client, Settings& settings, int score,
                                 const RecordsWindowOptions& options, WorldWindowHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      client_(client), settings_(settings), score_(score), options_(options), hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setFixedSize(460, 330);
    setWindowTitle(OnlineText(txt::WorldTopTen, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, options_.fonts), false, options_.fonts));
    auto label = [this](int y) {
        auto* l = new QLabel(this);
        l->setGeometry(60, y, 380, 30);
        return l;
    };
    Face = new QLabel(this);
    Face->setGeometry(30, 27, 16, 16);
    Flag = new QLabel(this);
    Flag->setGeometry(30, 69, 16, 16);
    LabelNick = label(20);
    LabelCountry = label(62);
    LabelCity = label(104);
    LabelScore = label(160);
    LabelPlace = label(202);
    QFont bold = font();
    bold.setBold(true);
    LabelScore->setFont(bold);
    LabelPlace->setFont(bold);
    LabelScore->setText(OnlineText(txt::YourScore, 0, lang) + ": " + QString::number(score_));
    LabelPlace->hide();

    ButtonSend = WindowButton(OnlineText(txt::Send, 0, lang), this, options_);
    ButtonSend->setGeometry(15, 265, 135, 45);
    ButtonPassport = WindowButton(OnlineText(txt::Passport, 0, lang), this, options_);
    ButtonPassport->setGeometry(162, 265, 135, 45);
    Button1 = WindowButton(OnlineText(txt::Close, 0, lang), this, options_);
    Button1->setGeometry(309, 265, 135, 45);
    connect(ButtonSend, &QPushButton::clicked, this, &TFormWorldWrite::Send);
    connect(ButtonPassport, &QPushButton::clicked, this, &TFormWorldWrite::Passport);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
    ShowPassportValues();
}

void TFormWorldWrite::ShowPassportValues() {
    const int lang = options_.language;
    LabelNick->setText(OnlineText(txt::Nick, 0, lang) + ": " + FromUtf8(settings_.TopTenNick));
    Face->setPixmap(FacePicture(settings_.TopTenSex));
    const auto code = ParseCountryCode(settings_.TopTenCountry).value_or(CountryCode{1, 0});
    Flag->setPixmap(FlagPicture(code));
    LabelCountry->setText(OnlineText(txt::Country, 0, lang) + ": " + FromUtf8(CountryName(code, lang)));
    LabelCity->setText(OnlineText(txt::City, 0, lang) + ": " + FromUtf8(settings_.TopTenCity));
    // A passport good enough for the list, and one post per opening.
    const bool fit = GradePassportField(PassportField::Nick, settings_.TopTenNick) != Grade::Red &&
                     GradePassportField(PassportField::City, settings_.TopTenCity) != Grade::Red;
    ButtonSend->setEnabled(fit && !place_);
}

void TFormWorldWrite::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // A player still without a name is asked for his passport first.
    if (settings_.TopTenNick == "Incognito")
        QMetaObject::invokeMethod(this, &TFormWorldWrite::Passport, Qt::QueuedConnection);
}

void TFormWorldWrite::Passport() {
    if (hooks_.passport) hooks_.passport();
    ShowPassportValues();
}

void TFormWorldWrite::Send() {
    if (place_) return;
    WorldTopTenEntry entry;
    entry.nick = settings_.TopTenNick;
    entry.city = settings_.TopTenCity;
    entry.country = settings_.TopTenCountry;
    entry.sex = settings_.TopTenSex;
    entry.score = score_;
    const auto place = client_.WriteTopTen(kDesktopList, entry);
    if (!place.ok) {
        if (hooks_.message) hooks_.message(OnlineText(txt::CantWriteGameResult, 0, options_.language));
        return;
    }
    place_ = place.value;
    LabelPlace->setText(OnlineText(txt::YourPlace, 0, options_.language) + ": " + QString::number(*place_));
    LabelPlace->show();
    ButtonSend->setEnabled(false);
}

void ShowWorldTopTen(ScoreClient& client, const Account& account, Settings& settings,
                     const std::filesystem::path& dataFolder, WorldLayout layout, int list,
                     const RecordsWindowOptions& options, const WorldWindowHooks& hooks, QWidget* parent) {
    if (options.sound) options.sound->PlayResource("WOpenFo", false, options.soundOn);
    if (!parent) parent = QApplication::activeWindow();
    TFormWorldTopTen form(client, account, settings, dataFolder, layout, options, hooks, parent);
    form.ShowList(list);
    form.exec();
}

std::optional<int> ShowWorldTopTenWrite(ScoreClient& client, Settings& settings, int score,
                                        const RecordsWindowOptions& options, const WorldWindowHooks& hooks,
                                        QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    TFormWorldWrite form(client, settings, score, options, hooks, parent);
    form.exec();
    return form.Place();
}

} // namespace tarvo
