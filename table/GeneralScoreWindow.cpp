#include "table/GeneralScoreWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>

#include "records/Format.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"

namespace tarvo {

namespace {

constexpr int ClientWidth = 430;
constexpr int ClientHeight = 400;
constexpr int RowTop = 48;
constexpr int RowStep = 26;
constexpr int CircleTop = 252;
constexpr int CircleSize = 76;
constexpr int CircleCentreX[3] = {85, 215, 345};

QString Tr(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TCount TournamentCount(std::int32_t kon, std::int32_t scoreBefore, std::int32_t seriesScore,
                       double ratingBefore) {
    TCount count;
    count.Count_KonAll = std::to_string(kon);
    count.Count_KonCur = "-";
    count.Count_ScoBeg = std::to_string(scoreBefore);
    count.Count_ScoCur = std::to_string(seriesScore);
    count.Count_ScoAll = std::to_string(static_cast<std::int64_t>(scoreBefore) + seriesScore);
    count.Count_ReiBeg = FormatFixed2(ratingBefore);
    count.Count_ReiCur = "?";
    return count;
}

TFormCount::TFormCount(const TCount& count, const Arr1<std::int32_t, 3>& seatScores,
                       const QString& playerName, const RecordsWindowOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      options_(options) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    const FontSettings& fonts = options_.fonts;
    setFixedSize(ClientWidth, ClientHeight);
    setWindowTitle(Tr(txt::Player, 0, lang) + Tr(txt::Colon, 0, lang) + QStringLiteral(" ") + playerName);
    setFont(RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, fonts), false, fonts));

    Heading = new QLabel(Tr(txt::GameInformation, 0, lang), this);
    Heading->setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, fonts), true, fonts));
    Heading->setAlignment(Qt::AlignCenter);
    Heading->setGeometry(10, 8, ClientWidth - 20, 34);
    QPalette navy = Heading->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    Heading->setPalette(navy);

    const QString labels[7] = {Tr(txt::GeneralGameNumber, 0, lang), Tr(txt::RoundInCycle, 0, lang),
                               Tr(txt::InitialScore, 0, lang),      Tr(txt::CurrentScore, 0, lang),
                               Tr(txt::GeneralScoreLabel, 0, lang), Tr(txt::InitialRating, 0, lang),
                               Tr(txt::CurrentRating, 0, lang)};
    const std::string* values[7] = {&count.Count_KonAll, &count.Count_KonCur, &count.Count_ScoBeg,
                                    &count.Count_ScoCur, &count.Count_ScoAll, &count.Count_ReiBeg,
                                    &count.Count_ReiCur};
    QPalette valueInk = palette();
    valueInk.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    for (int i = 0; i < 7; ++i) {
        const int y = RowTop + RowStep * i;
        Labels[i] = new QLabel(labels[i], this);
        Labels[i]->setGeometry(20, y, 310, RowStep);
        Labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Values[i] = new QLabel(Utf8(*values[i]).trimmed(), this);
        Values[i]->setGeometry(300, y, 110, RowStep);
        Values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Values[i]->setPalette(valueInk);
        QFont bold = Values[i]->font();
        bold.setBold(true);
        Values[i]->setFont(bold);
    }
    // A long translation of a label never runs under its value: it gives up font size first.
    for (QLabel* label : Labels) {
        QFont font = label->font();
        while (QFontMetrics(font).horizontalAdvance(label->text()) > 300 && font.pixelSize() > 9)
            font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }

    for (int seat = 1; seat <= 3; ++seat)
        SeatTexts[static_cast<std::size_t>(seat - 1)] = QString::number(seatScores[seat]);

    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, fonts), true, fonts));
    Button1->setGeometry((ClientWidth - 140) / 2, ClientHeight - 52, 140, 40);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    auto* buttonCursor = new CursorKeeper(Button1);
    buttonCursor->SetOwn(options_.ownCursor);
    buttonCursor->Show(CursorRole::Hand);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
}

void TFormCount::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A thin rule between the figures of the cycle and the seats of the series.
    p.setPen(QPen(QColor(0xC0, 0x18, 0x2B), 2));
    p.drawLine(20, CircleTop - 14, ClientWidth - 20, CircleTop - 14);
    QFont font =
        RoleFont(FontRole::Decor, RoleHeight(26, FontRole::Serif, options_.fonts), true, options_.fonts);
    for (int k = 0; k < 3; ++k) {
        const QRectF circle(CircleCentreX[k] - CircleSize / 2.0, CircleTop, CircleSize, CircleSize);
        // The player's own seat in red, the two others in navy.
        const QColor ring = k == 2 ? QColor(0xC0, 0x18, 0x2B) : QColor(0x1F, 0x3A, 0x7A);
        QRadialGradient fill(circle.center() - QPointF(10, 12), CircleSize * 0.7);
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, QColor(0xFB, 0xF3, 0xDC));
        p.setBrush(fill);
        p.setPen(QPen(ring, 4));
        p.drawEllipse(circle);
        const QString& text = SeatTexts[static_cast<std::size_t>(k)];
        QFont fitted = font;
        while (QFontMetrics(fitted).horizontalAdvance(text) > CircleSize - 12 && fitted.pixelSize() > 8)
            fitted.setPixelSize(fitted.pixelSize() - 1);
        p.setFont(fitted);
        p.setPen(ring);
        p.drawText(circle, Qt::AlignCenter, text);
    }
}

void ShowGeneralScore(const TCount& count, const Arr1<std::int32_t, 3>& seatScores, const QString& playerName,
                      const RecordsWindowOptions& options, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormCount(count, seatScores, playerName, options, parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace tarvo
