#include "table/TopTenWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>

#include "media/Sound.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"
#include "table/GifAnimation.h"

namespace tarvo {

namespace {

constexpr QSize ClientSize{460, 700};
constexpr QRect PicturePlace{5, 5, 450, 570};
constexpr int ScoreRight = 380;

// Colours of the scroll, written as the window's colours are: 0xBBGGRR.
QColor Bgr(quint32 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QString Tr(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Left edge of a text centred between a and b.
int Centred(int a, int b, int width) {
    return a + (b - a - width) / 2;
}

class PictureArea : public QWidget {
  public:
    PictureArea(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, picture_);
    }

  private:
    const QImage& picture_;
};

// A name in letters the picture's family lacks (a Cyrillic name under an English font) takes the
// family the role uses for Russian, so that it keeps the size of the rows around it.
QFont FontFor(const QString& text, const QFont& font, FontSettings fonts, int height) {
    // The raw font is the family itself, without the fall-backs that would draw the letters anyway.
    const QRawFont raw = QRawFont::fromFont(font);
    for (const char32_t c : text.toUcs4())
        if (c > 0x7F && !raw.supportsCharacter(c)) {
            fonts.language = Russian;
            return RoleFont(FontRole::Decor, height, font.bold(), fonts);
        }
    return font;
}

} // namespace

std::vector<TopTenText> TopTenTexts(const std::optional<Arr1<TopTenEntry, TopTenPlaces>>& entries,
                                    bool netGame, int language, const QFont& font) {
    std::vector<TopTenText> texts;
    QFont boldFont = font;
    boldFont.setBold(true);
    const QFontMetrics plain(font), bold(boldFont);
    // The heading names the kind of records and reads the same in every language.
    const QString heading = Tr(txt::TopTenListHeadings, netGame ? 6 : 5, language);
    texts.push_back({heading, Centred(0, PicturePlace.width(), bold.horizontalAdvance(heading)), 85,
                     Bgr(0x000080), true});
    const QString top = Tr(txt::TopTen, 0, language);
    const QString score = Tr(txt::Score, 0, language);
    texts.push_back({top, Centred(70, 230, plain.horizontalAdvance(top)), 120, Bgr(0x000080), false});
    texts.push_back({score, Centred(250, 400, plain.horizontalAdvance(score)), 120, Bgr(0x000080), false});
    if (!entries) return texts;
    for (int place = 1; place <= TopTenPlaces; ++place) {
        const int y = 150 + 33 * (place - 1);
        const QColor ink = place <= 3 ? Bgr(0x0000FF) : Bgr(0x800000);
        const TopTenEntry& entry = (*entries)[place];
        // Name and score keep their blanks: a short score still ends at the same x.
        const QString name = QString::fromStdString(entry.name);
        const QString points = QString::fromStdString(entry.score);
        texts.push_back({QString::number(place) + QLatin1Char('.'), 70, y, ink, false});
        texts.push_back({name, 95, y, ink, false});
        texts.push_back({points, ScoreRight - plain.horizontalAdvance(points), y, ink, false});
    }
    return texts;
}

std::filesystem::path TopTenRecordsFile(const std::filesystem::path& dataFolder, bool netGame) {
    return dataFolder / std::string(netGame ? NetRecordsFileName : LocalRecordsFileName);
}

TFormTopTen::TFormTopTen(const std::filesystem::path& recordsFile, bool netGame,
                         const RecordsWindowOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      recordsFile_(recordsFile), netGame_(netGame), options_(options) {
    const int lang = options_.language;
    options_.fonts.language = lang;
    const FontSettings& fonts = options_.fonts;
    setFixedSize(ClientSize);
    setWindowTitle(Tr(txt::TopTen, 0, lang));
    setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, fonts), false, fonts));
    pictureFont_ = RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Serif, fonts), false, fonts);

    picture_ = QImage(PicturePlace.size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(palette().color(QPalette::Button));
    Image1 = new PictureArea(picture_, this);
    Image1->setGeometry(PicturePlace);

    RxGIFAn1 = new TGifAnimation(this);
    RxGIFAn1->setGeometry(50, 575, 240, 120);
    RxGIFAn2 = new TGifAnimation(this);
    RxGIFAn2->setGeometry(340, 565, 60, 75);

    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setGeometry(310, 647, 120, 45);
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(24, FontRole::Serif, fonts), true, fonts));
    Button1->SetColorSB(TQobCardsButton::Scheme::DRed);
    Button1->SetTextColour(Qt::white);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    // The arrow over the window, the hand over its button, the program's own when chosen.
    auto* windowCursor = new CursorKeeper(this);
    windowCursor->SetOwn(options_.ownCursor);
    windowCursor->Show(CursorRole::Arrow);
    auto* buttonCursor = new CursorKeeper(Button1);
    buttonCursor->SetOwn(options_.ownCursor);
    buttonCursor->Show(CursorRole::Hand);
    connect(Button1, &QPushButton::clicked, this, [this] { Close(true); });
}

void TFormTopTen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activate();
}

void TFormTopTen::Activate() {
    // The records are read anew at every activation; the window never changes them.
    const std::optional<Arr1<TopTenEntry, TopTenPlaces>> entries = ReadTopTen(recordsFile_);
    texts_ = TopTenTexts(entries, netGame_, options_.language, pictureFont_);

    picture_.fill(palette().color(QPalette::Button));
    QPainter p(&picture_);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QImage scroll = ReadProgramPicture(QStringLiteral("GSvitok"));
    if (!scroll.isNull()) p.drawImage(0, 0, scroll);
    QFont bold = pictureFont_;
    bold.setBold(true);
    for (const TopTenText& t : texts_) {
        p.setFont(FontFor(t.text, t.bold ? bold : pictureFont_, options_.fonts,
                          RoleHeight(20, FontRole::Serif, options_.fonts)));
        p.setPen(t.colour);
        p.drawText(t.x, t.y + QFontMetrics(p.font()).ascent(), t.text);
    }
    p.end();
    Image1->update();

    if (RxGIFAn1->Name().isEmpty()) RxGIFAn1->Load(QStringLiteral("GTopTen"));
    const QString club = netGame_ ? QStringLiteral("GClubG") : QStringLiteral("GClubF");
    if (RxGIFAn2->Name() != club) RxGIFAn2->Load(club);
    for (TGifAnimation* animation : {RxGIFAn1, RxGIFAn2}) {
        if (options_.gifAnimation)
            animation->Start();
        else
            animation->ShowFrame(0);
    }
}

void TFormTopTen::Close(bool viaButton) {
    if (viaButton && options_.salute) options_.salute(Button1);
    RxGIFAn1->Clear();
    RxGIFAn2->Stop();
    if (viaButton)
        accept();
    else
        QDialog::reject();
}

void TFormTopTen::reject() {
    Close(false);
}

void ShowTopTen(const std::filesystem::path& dataFolder, bool netGame, const RecordsWindowOptions& options,
                QWidget* parent) {
    if (options.sound) options.sound->PlayResource("WOpenFo", false, options.soundOn);
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormTopTen(TopTenRecordsFile(dataFolder, netGame), netGame, options, parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace tarvo
