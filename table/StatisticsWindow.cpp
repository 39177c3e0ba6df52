#include "table/StatisticsWindow.h"

#include <QApplication>

#include "media/Sound.h"
#include "online/FieldRules.h"
#include "online/Requests.h"
#include "online/WorldStats.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/AccountParts.h"
#include "table/CardsButton.h"

namespace tarvo {
namespace {

constexpr QSize kClient{500, 470};
constexpr int kRowTop = 62;
constexpr int kRowHeight = 30;
constexpr int kNoteAfterRow = 4; // rows 5..10 are counted since version 5.2

const TextTable kCaptions[10] = {txt::NumberOfStarts, txt::NumberOfUniqueStarts, txt::Likes,
                                 txt::LastLike,       txt::GamesWithPc,          txt::CyclesWithPc,
                                 txt::PeopleWon,      txt::PeopleLost,           txt::GamesNet,
                                 txt::GamesOnline};

int RowY(int row) {
    return kRowTop + kRowHeight * row + (row >= kNoteAfterRow ? kRowHeight : 0);
}

} // namespace

std::unique_ptr<QInputDialog> NickBox(int language, QWidget* parent) {
    auto box = std::make_unique<QInputDialog>(parent);
    const QString caption = OnlineText(txt::Nick, 0, language);
    box->setWindowTitle(caption);
    box->setLabelText(caption);
    box->setInputMode(QInputDialog::TextInput);
    if (auto* field = box->findChild<QLineEdit*>()) {
        field->setMaxLength(kNickMax);
        KeepKeys(
            field, [](char32_t c) { return AcceptPassportKey(PassportField::Nick, c); }, language);
    }
    return box;
}

std::array<QString, 10> StatisticsValues(const std::optional<TQobStat>& stat, int language) {
    std::array<QString, 10> v;
    if (!stat) {
        v[0] = OnlineText(txt::NoConnect, 0, language);
        return v;
    }
    v[0] = QString::number(stat->Stat1);
    v[1] = QString::number(stat->Stat2);
    v[2] = QString::number(stat->Stat3);
    v[3] = FromUtf8(stat->Stat4);
    const int totals[6] = {kStatGamesWithPc, kStatCycles,   kStatPeopleWon,
                           kStatPeopleLost,  kStatGamesNet, kStatGamesOnline};
    for (int k = 0; k < 6; ++k)
        v[static_cast<std::size_t>(4 + k)] =
            QString::number(stat->StatX[static_cast<std::size_t>(totals[k])]);
    return v;
}

TFormStat::TFormStat(ScoreClient& client, Settings& settings, const RecordsWindowOptions& options,
                     StatisticsHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      client_(client), settings_(settings), options_(options), hooks_(std::move(hooks)) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    setFixedSize(kClient);
    setWindowTitle(OnlineText(txt::Statistics, 0, lang));
    setFont(
        RoleFont(FontRole::Decor, RoleHeight(18, FontRole::Serif, options_.fonts), false, options_.fonts));
    QFont bold = font();
    bold.setBold(true);

    Heading = new QLabel(OnlineText(txt::WorldStats, 0, lang), this);
    Heading->setFont(
        RoleFont(FontRole::Decor, RoleHeight(26, FontRole::Serif, options_.fonts), true, options_.fonts));
    Heading->setAlignment(Qt::AlignCenter);
    Heading->setGeometry(0, 12, kClient.width(), 40);
    Heading->setStyleSheet(QStringLiteral("color: #1F3A7A;"));
    for (int row = 0; row < 10; ++row) {
        const auto i = static_cast<std::size_t>(row);
        Captions[i] = new QLabel(OnlineText(kCaptions[row], 0, lang), this);
        Captions[i]->setGeometry(20, RowY(row), 330, kRowHeight);
        Values[i] = new QLabel(this);
        Values[i]->setGeometry(330, RowY(row), 150, kRowHeight);
        Values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Values[i]->setFont(bold);
    }
    Note = new QLabel(OnlineText(txt::StatisticSince, 0, lang), this);
    Note->setGeometry(20, RowY(kNoteAfterRow) - kRowHeight, 460, kRowHeight);
    QFont small = font();
    small.setItalic(true);
    small.setPixelSize(std::max(10, font().pixelSize() - 3));
    Note->setFont(small);
    Note->setStyleSheet(QStringLiteral("color: #706050;"));

    auto button = [this](const QString& text) { return WindowButton(text, this, options_); };
    ButtonLike = button(OnlineText(txt::ILikeThisGame, 0, lang));
    ButtonLike->setGeometry(20, 410, 270, 45);
    ButtonLike->setEnabled(!settings_.GameLiked);
    Button1 = button(OnlineText(txt::Close, 0, lang));
    Button1->setGeometry(330, 410, 150, 45);
    Button1->setDefault(true);
    connect(ButtonLike, &QPushButton::clicked, this, &TFormStat::Vote);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });

    if (const auto read = client_.ReadStatistics(kGameNumber); read.ok) stat_ = read.value;
    const auto values = StatisticsValues(stat_, lang);
    for (std::size_t i = 0; i < values.size(); ++i) Values[i]->setText(values[i]);
}

void TFormStat::Vote() {
    if (settings_.GameLiked) return;
    std::string nick = settings_.TopTenNick;
    if (nick == "Incognito") {
        for (;;) {
            const std::optional<QString> typed = hooks_.askNick ? hooks_.askNick() : std::nullopt;
            if (!typed) return;
            nick = typed->left(kNickMax).toStdString();
            if (GradePassportField(PassportField::Nick, nick) != Grade::Red) break;
        }
        settings_.TopTenNick = nick;
    }
    if (!client_.ReportLike(1, nick)) return;
    settings_.GameLiked = true;
    ButtonLike->setEnabled(false);
    if (stat_) {
        ++stat_->Stat3;
        stat_->Stat4 = nick;
        const auto values = StatisticsValues(stat_, options_.language);
        for (std::size_t i = 0; i < values.size(); ++i) Values[i]->setText(values[i]);
    }
    if (hooks_.saveSettings) hooks_.saveSettings();
}

void ShowStatistics(ScoreClient& client, Settings& settings, const RecordsWindowOptions& options,
                    const StatisticsHooks& hooks, QWidget* parent) {
    if (options.sound) options.sound->PlayResource("WOpenFo", false, options.soundOn);
    if (!parent) parent = QApplication::activeWindow();
    TFormStat form(client, settings, options, hooks, parent);
    form.exec();
}

} // namespace tarvo
