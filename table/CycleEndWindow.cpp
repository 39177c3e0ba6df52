#include "table/CycleEndWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include "media/Sound.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"
#include "table/GifAnimation.h"

namespace tarvo {

namespace {

constexpr int ClientWidth = 440;
constexpr QSize AnimationSize{240, 120};
constexpr int LinesTop = 138;
constexpr int LineHeight = 32;
constexpr QSize MedalSize{100, 120};
// The middle of the medal's disc, where the place picture goes.
constexpr QPoint MedalDiscCentre{50, 76};

QString Tr(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TextTable CycleTextTable(CycleText text) {
    switch (text) {
    case CycleText::Congratulations:
        return txt::Congratulations;
    case CycleText::ResultBest:
        return txt::BestResult;
    case CycleText::ResultGood:
        return txt::GoodResult;
    case CycleText::InTopTen:
        return txt::InTopTen;
    case CycleText::Regrets:
        return txt::OurRegrets;
    case CycleText::WishBest:
        return txt::ResultWantsBetter;
    case CycleText::NotInTopTen:
        return txt::NotInTopTen;
    }
    return txt::OurRegrets;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QStringList CycleEndLines(const EndOfCycle& end, int language) {
    QStringList lines;
    lines << Tr(CycleTextTable(end.heading), 0, language) << Tr(CycleTextTable(end.verdict), 0, language)
          << Tr(txt::ResultLabel, 0, language) + QString::fromStdString(end.score);
    if (end.closing)
        lines << Tr(CycleTextTable(*end.closing), 0, language);
    else if (end.title != OrderTitle::None)
        lines << Tr(txt::OrderTitles, static_cast<int>(end.title), language);
    return lines;
}

QImage CycleEndMedal(const EndOfCycle& end) {
    if (end.place < 1 || end.place > TopTenPlaces) return {};
    QImage medal = ReadProgramPicture(QStringLiteral("GMedal"));
    if (medal.isNull()) return {};
    medal = medal.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage place = ReadProgramPicture(QString::fromStdString(end.placeImage));
    if (!place.isNull()) {
        QPainter p(&medal);
        p.drawImage(MedalDiscCentre.x() - place.width() / 2, MedalDiscCentre.y() - place.height() / 2, place);
    }
    return medal;
}

TFormCycleEnd::TFormCycleEnd(const EndOfCycle& end, const RecordsWindowOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      end_(end), options_(options) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    const FontSettings& fonts = options_.fonts;
    setWindowTitle(Tr(txt::GameCompletion, 0, lang));
    setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, fonts), false, fonts));

    RxGIFAn1 = new TGifAnimation(this);
    RxGIFAn1->setGeometry((ClientWidth - AnimationSize.width()) / 2, 10, AnimationSize.width(),
                          AnimationSize.height());
    RxGIFAn1->Load(ToQString(end_.animation));
    RxGIFAn1->SetLoop(end_.loopAnimation);

    const QStringList texts = CycleEndLines(end_, lang);
    const bool happy = end_.place != 0;
    for (int i = 0; i < texts.size(); ++i) {
        auto* line = new QLabel(texts[i], this);
        line->setAlignment(Qt::AlignCenter);
        line->setGeometry(10, LinesTop + LineHeight * i, ClientWidth - 20, LineHeight);
        QFont font = RoleFont(FontRole::Decor, RoleHeight(i == 0 ? 26 : 20, FontRole::Serif, fonts),
                              i == 0 || i == 2, fonts);
        // A translation wider than the window gives up font size rather than letters.
        while (QFontMetrics(font).horizontalAdvance(texts[i]) > ClientWidth - 24 && font.pixelSize() > 9)
            font.setPixelSize(font.pixelSize() - 1);
        line->setFont(font);
        QPalette ink = line->palette();
        QColor colour(0x00, 0x00, 0x80); // 0x800000: navy
        if (i == 0) colour = happy ? QColor(0xFF, 0x00, 0x00) : QColor(0x80, 0x00, 0x00);
        if (i == 3 && end_.place == 1) colour = QColor(0xA0, 0x60, 0x00); // the title in dark gold
        ink.setColor(QPalette::WindowText, colour);
        line->setPalette(ink);
        Lines.append(line);
    }
    int y = LinesTop + LineHeight * static_cast<int>(texts.size()) + 8;

    Medal = new QLabel(this);
    const QImage medal = CycleEndMedal(end_);
    Medal->setVisible(!medal.isNull());
    if (!medal.isNull()) {
        Medal->setPixmap(QPixmap::fromImage(medal));
        Medal->setGeometry((ClientWidth - MedalSize.width()) / 2, y, MedalSize.width(), MedalSize.height());
        y += MedalSize.height() + 8;
    }

    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, fonts), true, fonts));
    Button1->setGeometry((ClientWidth - 120) / 2, y + 4, 120, 45);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    auto* buttonCursor = new CursorKeeper(Button1);
    buttonCursor->SetOwn(options_.ownCursor);
    buttonCursor->Show(CursorRole::Hand);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (options_.salute) options_.salute(Button1);
        accept();
    });
    setFixedSize(ClientWidth, y + 4 + 45 + 12);
}

void TFormCycleEnd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (sounded_) return;
    sounded_ = true;
    if (options_.sound) options_.sound->PlayResource(end_.sound, false, options_.soundOn);
    // Without animation the last frame stands: the whole picture, not the start of its motion.
    if (options_.gifAnimation)
        RxGIFAn1->Start();
    else
        RxGIFAn1->ShowFrame(RxGIFAn1->FrameCount() - 1);
}

void TFormCycleEnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
}

void ShowCycleEnd(const EndOfCycle& end, const RecordsWindowOptions& options, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormCycleEnd(end, options, parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace tarvo
