#include "table/ChatWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>

#include "online/Countries.h"
#include "online/FieldRules.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/AccountParts.h"
#include "table/CardsButton.h"
#include "table/Cp1251Field.h"
#include "table/WorldTopTenWindow.h"

namespace tarvo {
namespace {

constexpr QSize kClient{720, 660};
constexpr QRect kBoardPlace{10, 10, 700, 500};
constexpr int kMessageHeight = 50;
constexpr int kTickMs = 15000;
const QColor kGround(0xF4, 0xF1, 0xE6);
const QColor kHeadBand[2] = {QColor(0xC8, 0xDC, 0xF0), QColor(0xB8, 0xD0, 0xE8)};
const QColor kTextBand[2] = {QColor(0xFF, 0xFA, 0xE0), QColor(0xF6, 0xEE, 0xCC)};
const QColor kHeadInk(0x1F, 0x3A, 0x7A);
const QColor kTextInk(0x20, 0x20, 0x20);

PaintedItem Item(QString text, QPixmap picture, int x, int y, QColor colour = {}, bool bold = false,
                 QString pictureName = {}) {
    PaintedItem item;
    item.text = std::move(text);
    item.picture = std::move(picture);
    item.pictureName = std::move(pictureName);
    item.x = x;
    item.y = y;
    item.colour = colour;
    item.bold = bold;
    return item;
}

PaintedItem Band(int y, int width, QColor colour) {
    PaintedItem item;
    item.band = QSize(width - 4, kMessageHeight / 2 - 1);
    item.x = 2;
    item.y = y;
    item.colour = colour;
    return item;
}

// The local short time and date, as a message is stamped with.
std::string StampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return ChatStamp(locale.toString(now.time(), QLocale::ShortFormat).toStdString(),
                     locale.toString(now.date(), QLocale::ShortFormat).toStdString());
}

} // namespace

std::vector<PaintedItem> ChatBoardItems(const std::optional<std::array<TQobRecord, 10>>& board, int lastSeen,
                                        bool atBottom, int width, int language) {
    std::vector<PaintedItem> items;
    if (!board) {
        PaintedItem none =
            Item(OnlineText(txt::NoConnect, 0, language), {}, width / 2, 10, QColor(0xC0, 0x18, 0x2B), true);
        none.align = Qt::AlignHCenter;
        items.push_back(none);
        return items;
    }
    const QPixmap mark = QPixmap::fromImage(ReadProgramPicture(QStringLiteral("GNew")));
    for (const ChatEntry& e : BoardEntries(*board, lastSeen, atBottom)) {
        const int top = e.position * kMessageHeight;
        const int shade = e.row->Score % 2;
        items.push_back(Band(top + 1, width, kHeadBand[shade]));
        items.push_back(Band(top + kMessageHeight / 2, width, kTextBand[shade]));
        items.push_back(
            Item(QString::number(e.row->Score) + QLatin1Char('.'), {}, 8, top + 3, kHeadInk, true));
        if (auto code = ParseCountryCode(e.row->Country))
            items.push_back(Item({}, FlagPicture(*code), 58, top + 7, {}, false, "flag"));
        items.push_back(Item({}, FacePicture(e.row->R07), 78, top + 5, {}, false, "face"));
        items.push_back(Item(FromUtf8(e.head), {}, 100, top + 3, kHeadInk));
        items.push_back(Item(FromUtf8(e.text), {}, 30, top + kMessageHeight / 2 + 2, kTextInk));
        if (e.isNew) {
            items.push_back(Item({}, mark, width - 44, top + 4, {}, false, "GNew"));
            items.push_back(Item({}, mark, width - 44, top + kMessageHeight / 2 + 3, {}, false, "GNew"));
        }
    }
    return items;
}

TFormChat::TFormChat(ScoreClient& client, Settings& settings, std::filesystem::path chatFile,
                     const RecordsWindowOptions& options, WorldWindowHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      client_(client), settings_(settings), chatFile_(std::move(chatFile)), options_(options),
      hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setFixedSize(kClient);
    setWindowTitle(OnlineText(txt::QobGamesChat, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, options_.fonts), false, options_.fonts));
    state_ = ReadChatFile(chatFile_);
    marksFrom_ = state_.lastSeen;

    Board = new PaintedList(this, kGround);
    Board->setGeometry(kBoardPlace);
    auto button = [this](const QString& text) { // the chat's own buttons are navy; Close stays red
        auto* b = WindowButton(text, this, options_, 18);
        b->SetColorSB(TQobCardsButton::Scheme::DNavy);
        return b;
    };
    EditMessage = new QLineEdit(this);
    EditMessage->setGeometry(10, 522, 560, 34);
    EditMessage->setMaxLength(kChatMessageMax);
    KeepToCp1251(EditMessage, lang);
    ButtonSend = button(OnlineText(txt::Send, 0, lang));
    ButtonSend->setGeometry(580, 518, 130, 42);
    CheckBottom = new QCheckBox(OnlineText(txt::LastMessageAtBottom, 0, lang), this);
    CheckBottom->setGeometry(10, 564, 700, 26);
    CheckBottom->setChecked(state_.atBottom);
    CheckOpen = new QCheckBox(OnlineText(txt::OpenOnNewMessage, 0, lang), this);
    CheckOpen->setGeometry(10, 590, 700, 26);
    CheckOpen->setChecked(state_.openOnNew);
    ButtonRefresh = button(OnlineText(txt::Refresh, 0, lang));
    ButtonRefresh->setGeometry(10, 616, 160, 38);
    ButtonPassport = button(OnlineText(txt::Passport, 0, lang));
    ButtonPassport->setGeometry(280, 616, 160, 38);
    Button1 = button(OnlineText(txt::Close, 0, lang));
    Button1->SetColorSB(TQobCardsButton::Scheme::DRed);
    Button1->setGeometry(550, 616, 160, 38);

    connect(EditMessage, &QLineEdit::returnPressed, this, &TFormChat::Send);
    connect(ButtonSend, &QPushButton::clicked, this, &TFormChat::Send);
    connect(ButtonRefresh, &QPushButton::clicked, this, &TFormChat::Refresh);
    connect(ButtonPassport, &QPushButton::clicked, this, &TFormChat::Passport);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
    connect(CheckBottom, &QCheckBox::toggled, this, [this](bool on) {
        state_.atBottom = on;
        WriteChatFile(chatFile_, state_);
        DrawBoard();
        CheckBottom->setEnabled(false); // until the next tick
    });
    connect(CheckOpen, &QCheckBox::toggled, this, [this](bool on) {
        state_.openOnNew = on;
        WriteChatFile(chatFile_, state_);
    });
    connect(&tick_, &QTimer::timeout, this, &TFormChat::Tick);
    tick_.start(kTickMs);
    EditMessage->setEnabled(PassportFit());
    ButtonSend->setEnabled(PassportFit());
    DrawBoard();
}

bool TFormChat::PassportFit() const {
    return GradePassportField(PassportField::Nick, settings_.TopTenNick) != Grade::Red &&
           GradePassportField(PassportField::City, settings_.TopTenCity) != Grade::Red;
}

void TFormChat::DrawBoard() {
    const auto read = client_.TopTen(kChatBoard);
    std::optional<std::array<TQobRecord, 10>> board;
    if (read.ok) board = read.value;
    Board->SetItems(
        ChatBoardItems(board, marksFrom_, state_.atBottom, kBoardPlace.width(), options_.language), font());
    if (!read.ok) return;
    // What the player has seen now is seen the next time too.
    top_ = BoardTop(read.value);
    if (top_ > state_.lastSeen) {
        state_.lastSeen = top_;
        WriteChatFile(chatFile_, state_);
    }
}

void TFormChat::Send() {
    const QString text = EditMessage->text();
    if (text.isEmpty() || !EditMessage->isEnabled()) return;
    const ChatAuthor author{settings_.TopTenNick, settings_.TopTenCity, settings_.TopTenCountry,
                            settings_.TopTenSex};
    const auto number = SendChatMessage(client_, author, text.toStdString(), StampNow());
    if (!number) {
        if (hooks_.message) hooks_.message(OnlineText(txt::CantSendMessage, 0, options_.language));
        return;
    }
    EditMessage->clear();
    EditMessage->setEnabled(false);
    ButtonSend->setEnabled(false);
    ButtonRefresh->hide();
    DrawBoard();
    marksFrom_ = std::max(marksFrom_, *number);
    top_ = std::max(top_, *number);
    state_.lastSeen = std::max(state_.lastSeen, *number);
    WriteChatFile(chatFile_, state_);
}

void TFormChat::Refresh() {
    DrawBoard();
    ButtonRefresh->hide();
}

void TFormChat::Passport() {
    if (hooks_.passport) hooks_.passport();
    EditMessage->setEnabled(PassportFit());
    ButtonSend->setEnabled(PassportFit());
}

void TFormChat::Tick() {
    ButtonRefresh->show();
    EditMessage->setEnabled(PassportFit());
    ButtonSend->setEnabled(PassportFit());
    CheckBottom->setEnabled(true);
}

int ShowChat(ScoreClient& client, Settings& settings, const std::filesystem::path& chatFile,
             const RecordsWindowOptions& options, const WorldWindowHooks& hooks, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    TFormChat form(client, settings, chatFile, options, hooks, parent);
    form.exec();
    return form.State().lastSeen;
}

} // namespace tarvo
