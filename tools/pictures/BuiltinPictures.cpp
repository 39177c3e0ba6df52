#include "tools/pictures/BuiltinPictures.h"

#include <QDir>
#include <QFile>

#include "tools/art/Art.h"

namespace tarvo::art {

namespace {
const char* const Suits[4] = {"CH", "BU", "KR", "PI"};
const char* const Ranks[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
const char* const Days[7] = {"OB01MO", "OB02TU", "OB03WE", "OB04TH", "OB05FR", "OB06SU", "OB07SU"};
const char* const Icons[4] = {"CHER", "BUBI", "KRES", "PIKI"};
const char* const Languages[8] = {"ENG", "RUS", "DEU", "FRA", "SPA", "CHI", "ITA", "CZE"};

const QString Rc = QStringLiteral("RCDATA");

bool AddGif(ResourceSet& set, const QString& name, const std::vector<QImage>& frames, int delay,
            const QString& scratch, QString* error) {
    const QString path = QDir(scratch).filePath(name + QStringLiteral(".gif"));
    if (!WriteGif(path, frames, delay, error)) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    set.Add(Rc, name, f.readAll());
    return true;
}
} // namespace

bool AddBuiltinPictures(ResourceSet& set, const QString& scratchDir, QString* error) {
    const DeckStyle style;
    // The deck: bitmaps for the small window, PNG for the others.
    for (int card = 1; card <= 36; ++card) {
        const QString name =
            QString::fromLatin1(Suits[(card - 1) % 4]) + QString::fromLatin1(Ranks[(card - 1) / 4]);
        set.Add(QStringLiteral("BITMAP"), name, BmpBytes(DrawFace(card, {69, 94}, style, false)));
        set.Add(Rc, name + 'B', PngBytes(DrawFace(card, {146, 198}, style, true)));
    }
    for (int b = 1; b <= 7; ++b) {
        const QString name = QString::fromLatin1(Days[b - 1]);
        const QImage small = DrawBack(b, {69, 94}, BackPattern::Lattice, false);
        const QImage large = DrawBack(b, {146, 198}, BackPattern::Lattice, true);
        set.Add(QStringLiteral("BITMAP"), name, BmpBytes(small));
        set.Add(QStringLiteral("BITMAP"), name + 'R', BmpBytes(Turned(small)));
        set.Add(Rc, name + 'B', PngBytes(large));
        set.Add(Rc, name + QStringLiteral("RB"), PngBytes(Turned(large)));
    }
    for (int s = 0; s < 4; ++s) {
        set.Add(QStringLiteral("BITMAP"), QString::fromLatin1(Icons[s]), BmpBytes(DrawSuitIcon(s, 20, true)));
        set.Add(Rc, QString::fromLatin1(Icons[s]) + 'B', PngBytes(DrawSuitIcon(s, 40, false)));
    }
    set.Add(QStringLiteral("JPEG"), QStringLiteral("FonG"), JpegBytes(DrawCloth(2, 0, {760, 500})));
    set.Add(QStringLiteral("JPEG"), QStringLiteral("FonGB"), JpegBytes(DrawCloth(2, 0, {1920, 922})));

    // The talon and the blank.
    set.Add(Rc, QStringLiteral("GKolodaSmall"), PngBytes(DrawTalonBase({58, 25})));
    set.Add(Rc, QStringLiteral("GKolodaSmallB"), PngBytes(DrawTalonBase({116, 50})));
    set.Add(Rc, QStringLiteral("GKolodaLarge"), PngBytes(DrawTalonSpot({60, 60})));
    set.Add(Rc, QStringLiteral("GKolodaLargeB"), PngBytes(DrawTalonSpot({120, 120})));
    QImage free(10, 10, QImage::Format_ARGB32);
    free.fill(Qt::transparent);
    set.Add(Rc, QStringLiteral("GFree"), PngBytes(free));

    // Plates, bubbles, pointers and timers around the table.
    set.Add(Rc, QStringLiteral("RamkaDGSm"), PngBytes(DrawPlateFrame({130, 70}, ink::Navy)));
    set.Add(Rc, QStringLiteral("RamkaDGBg"), PngBytes(DrawPlateFrame({260, 140}, ink::Navy)));
    set.Add(Rc, QStringLiteral("RamkaERSm"), PngBytes(DrawPlateFrame({130, 90}, ink::Red.darker(120))));
    set.Add(Rc, QStringLiteral("RamkaERBg"), PngBytes(DrawPlateFrame({260, 180}, ink::Red.darker(120))));
    const char* const hands[4] = {"Hand_Up", "Hand_Down", "Hand_Left", "Hand_Right"};
    for (int d = 0; d < 4; ++d)
        set.Add(Rc, QString::fromLatin1(hands[d]),
                PngBytes(DrawPointer(d < 2 ? QSize(40, 60) : QSize(60, 40), d)));
    const std::pair<const char*, QColor> bubbles[5] = {{"SPBlue", QColor(0x1F, 0x5A, 0xB8)},
                                                       {"SPGreen", QColor(0x1E, 0x8B, 0x3A)},
                                                       {"SPRed", QColor(0xC0, 0x18, 0x2B)},
                                                       {"SPYellow", QColor(0xD8, 0xA8, 0x10)},
                                                       {"SPFiolet", QColor(0x7A, 0x2A, 0xA8)}};
    for (const auto& [name, colour] : bubbles) {
        set.Add(Rc, QString::fromLatin1(name), PngBytes(DrawBubble({160, 20}, colour)));
        set.Add(Rc, QString::fromLatin1(name) + 'B', PngBytes(DrawBubble({320, 40}, colour)));
    }
    set.Add(Rc, QStringLiteral("GTimerR"), PngBytes(DrawTimer({50, 50}, ink::Red)));
    set.Add(Rc, QStringLiteral("GTimerY"), PngBytes(DrawTimer({50, 50}, QColor(0xF0, 0xC0, 0x20))));

    // Clocks of the main menu: the time in green, each online figure in its own colour.
    set.Add(Rc, QStringLiteral("GClockBG"), PngBytes(DrawClockBack({115, 64})));
    const QColor clockGreen(0x40, 0xF0, 0x60);
    for (int d = 0; d <= 9; ++d)
        set.Add(Rc, QStringLiteral("GBClock%1").arg(d),
                PngBytes(DrawDigit(QChar('0' + d), {18, 40}, clockGreen, clockGreen)));
    set.Add(Rc, QStringLiteral("GBClockP"), PngBytes(DrawDigit(':', {8, 18}, clockGreen, clockGreen)));
    const std::pair<const char*, QColor> figures[6] = {
        {"GRClock", QColor(0xFF, 0x50, 0x50)}, {"GAClock", QColor(0xFF, 0xB0, 0x30)},
        {"GGClock", QColor(0x40, 0xF0, 0x60)}, {"GYClock", QColor(0xF0, 0xE0, 0x40)},
        {"GVClock", QColor(0xB0, 0x80, 0xFF)}, {"GNClock", QColor(0x50, 0xC8, 0xFF)}};
    for (const auto& [name, colour] : figures) {
        const QString base = QString::fromLatin1(name);
        for (int d = 0; d <= 9; ++d)
            set.Add(Rc, base + QString::number(d),
                    PngBytes(DrawDigit(QChar('0' + d), {16, 34}, colour, colour)));
        set.Add(Rc, base + 'M', PngBytes(DrawDigit('M', {16, 34}, colour, colour)));
        set.Add(Rc, base + 'P', PngBytes(DrawDigit('P', {16, 34}, colour, colour)));
    }
    set.Add(Rc, QStringLiteral("Windows"), PngBytes(DrawRoundIcon(48, QStringLiteral("PC"), ink::Navy)));
    set.Add(Rc, QStringLiteral("Android"), PngBytes(DrawRoundIcon(48, QStringLiteral("\u260E"), ink::Cloth)));
    set.Add(Rc, QStringLiteral("Account48"), PngBytes(DrawRoundIcon(48, QStringLiteral("\u263A"), ink::Red)));

    // News and chat shelf, medals, title and captions.
    set.Add(Rc, QStringLiteral("GPolkaNw"), PngBytes(DrawShelf({220, 54})));
    set.Add(Rc, QStringLiteral("GNews072"), PngBytes(DrawRoundIcon(72, QStringLiteral("NEWS"), ink::Navy)));
    set.Add(Rc, QStringLiteral("GChat072"), PngBytes(DrawRoundIcon(72, QStringLiteral("CHAT"), ink::Cloth)));
    for (int m = 1; m <= 3; ++m)
        set.Add(Rc, QStringLiteral("GMEDAL%1").arg(m, 2, 10, QLatin1Char('0')), PngBytes(DrawMedal(32, m)));
    set.Add(Rc, QStringLiteral("GTitle"),
            PngBytes(DrawTitle({600, 160}, QStringLiteral("Tarvo-Trio"), QString())));
    const char16_t* const captions[8] = {
        u"Tarvo-Trio", u"\u0422\u0430\u0440\u0432\u043E-\u0422\u0440\u0438\u043E",
        u"Tarvo-Trio", u"Tarvo-Trio",
        u"Tarvo-Trio", u"\u4E09\u4EBA\u675C\u62C9\u514B",
        u"Tarvo-Trio", u"Tarvo-Trio"};
    const char16_t* const elite[8] = {u"Elite",      u"\u042D\u043B\u0438\u0442\u0430",
                                      u"Elite",      u"\u00C9lite",
                                      u"\u00C9lite", u"\u7CBE\u82F1",
                                      u"\u00C9lite", u"Elita"};
    const char16_t* const network[8] = {
        u"Network game",  u"\u0421\u0435\u0442\u0435\u0432\u0430\u044F \u0438\u0433\u0440\u0430",
        u"Netzwerkspiel", u"Jeu en r\u00E9seau",
        u"Juego en red",  u"\u7F51\u7EDC\u6E38\u620F",
        u"Gioco in rete", u"S\u00ED\u0165ov\u00E1 hra"};
    for (int l = 0; l < 8; ++l) {
        const QString code = QString::fromLatin1(Languages[l]);
        set.Add(Rc, QStringLiteral("Cap") + code,
                PngBytes(DrawCaption({300, 60}, QString::fromUtf16(captions[l]), ink::Gold)));
        set.Add(Rc, QStringLiteral("Elite") + code,
                PngBytes(DrawCaption({200, 40}, QString::fromUtf16(elite[l]), ink::Red)));
        set.Add(Rc, QStringLiteral("Net__") + code,
                PngBytes(DrawCaption({200, 40}, QString::fromUtf16(network[l]), QColor(0x2A, 0x7F, 0xB8))));
    }
    set.Add(Rc, QStringLiteral("GSvitok"), PngBytes(DrawScroll({450, 570})));
    set.Add(Rc, QStringLiteral("GCap300"), PngBytes(DrawRibbon({300, 64})));
    set.Add(Rc, QStringLiteral("GLenta280x090"), PngBytes(DrawRibbon({280, 90})));

    // Button pieces by height: left cap, right cap, middle.
    for (const int h : {29, 44, 59})
        for (const bool alt : {false, true}) {
            const QString base = QString(alt ? QChar('Q') : QChar('R')) + QString::number(h);
            set.Add(Rc, base + QStringLiteral("_L"), PngBytes(DrawButtonPiece(h, 0, alt)));
            set.Add(Rc, base + QStringLiteral("_R"), PngBytes(DrawButtonPiece(h, 1, alt)));
            set.Add(Rc, base + QStringLiteral("_2"), PngBytes(DrawButtonPiece(h, 2, alt)));
        }

    // Cursors: frames of 32 x 32 side by side.
    const char* const cursors[3] = {"CURHAND", "CURWAIT", "CUREDIT"};
    for (int k = 0; k < 3; ++k)
        set.Add(QStringLiteral("ANICURSOR"), QString::fromLatin1(cursors[k]),
                PngBytes(DrawCursorFrames(k, 8)));

    // Animations.
    QDir().mkpath(scratchDir);
    const char* const banners[3] = {"GKonBads", "GKonGood", "GKonNich"};
    for (int o = 0; o < 3; ++o)
        if (!AddGif(set, QString::fromLatin1(banners[o]), DrawResultBanner({240, 110}, o, 24), 8, scratchDir,
                    error))
            return false;
    if (!AddGif(set, QStringLiteral("GifMenu1"), DrawMenuAnimation({160, 200}, 1, 24), 8, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GifMenu2"), DrawMenuAnimation({160, 200}, 2, 24), 8, scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GSirenaB"), DrawSiren({30, 33}, QColor(0x30, 0x60, 0xFF), 8), 10,
                scratchDir, error))
        return false;
    if (!AddGif(set, QStringLiteral("GSirenaR"), DrawSiren({30, 33}, QColor(0xFF, 0x30, 0x30), 8), 10,
                scratchDir, error))
        return false;
    return true;
}

} // namespace tarvo::art
