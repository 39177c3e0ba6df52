#include "tools/packages/Recipes.h"

#include <QDir>
#include <QFont>
#include <QSvgRenderer>
#include <map>
#include <memory>

#include "packages/Package.h"
#include "table/ImageStore.h"
#include "tools/art/RadioArt.h"

namespace tarvo::art {

namespace {

const char* const SvgRanks[9] = {"6", "7", "8", "9", "10", "jack", "queen", "king", "1"};
const char* const SvgSuits[4] = {"heart", "diamond", "club", "spade"};

DeckStyle FourColour() {
    DeckStyle s;
    s.suitColour[1] = QColor(0x1F, 0x5A, 0xC8);
    s.suitColour[2] = QColor(0x1E, 0x7B, 0x3A);
    return s;
}

DeckStyle Variation(int set) {
    DeckStyle s;
    // Every set we draw ourselves gets its own paper, robes, trim and letters.
    switch (set % 8) {
    case 0:
        s.paper = QColor(0xFF, 0xF8, 0xE7);
        s.trim = QColor(0xB8, 0x86, 0x0B);
        break;
    case 1:
        s.courtFigures = false;
        s.courtTint = QColor(0xF4, 0xEE, 0xFF);
        s.trim = QColor(0x7A, 0x5A, 0xB8);
        break;
    case 2:
        s = FourColour();
        break;
    case 3:
        s.indexFont = s.courtFont = QStringLiteral("DejaVu Serif");
        s.robe[0] = QColor(0x8E, 0x24, 0x6B);
        break;
    case 4:
        s.indexFont = QStringLiteral("Liberation Sans");
        s.ornateAce = false;
        s.courtTint = QColor(0xE8, 0xF4, 0xEC);
        break;
    case 5:
        s.paper = QColor(0xF7, 0xF3, 0xE8);
        s.robe[3] = QColor(0x2E, 0x2E, 0x3A);
        s.trim = QColor(0xA8, 0xA8, 0xB8);
        break;
    case 6:
        s.courtFont = QStringLiteral("DejaVu Sans");
        s.courtTint = QColor(0xFF, 0xEE, 0xE0);
        break;
    default:
        s.indexFont = s.courtFont = QStringLiteral("Liberation Sans Narrow");
        s.robe[1] = QColor(0xB0, 0x30, 0x20);
        break;
    }
    return s;
}

} // namespace

FaceSetRecipe RecipeOfFaceSet(int set) {
    FaceSetRecipe r;
    static const std::map<int, const char*> svg = {
        {1, "svg-nicu-ornamental"},   {3, "svg-ancient-egyptians"},
        {4, "svg-nicu-white"},
        {8, "svg-standard"},          {9, "svg-dondorf"},
        {14, "svg-jolly-royal"},      {18, "svg-future"},
        {24, "svg-penguins"},         {26, "svg-konqi-modern"},
        {28, "svg-oxygen-air"},       {29, "svg-xskat-german"},
        {31, "svg-xskat-french"},     {35, "svg-oxygen-white"},
        {40, "svg-gm-paris"},         {46, "svg-tigullio-international"}};
    if (auto it = svg.find(set); it != svg.end()) r.svgDeck = QString::fromLatin1(it->second);
    r.style = Variation(set);
    // Sets whose names ask for it: Russian letters, tournament colours.
    if (set == 27 || set == 32 || set == 36 || set == 37) r.style.russianLetters = true;
    if (set == 30) r.style = FourColour();
    // Set 2 owns the small ranks and aces that sets 6, 7, 10 and 13 show as well ("Mod"): they are
    // drawn in a plain style of ours with the index in the top-left corner, the one corner a hand
    // leaves visible, so that they read well and suit the court cards of every set that shows them.
    if (set == 2 || set == 10) {
        r.style = DeckStyle();
        r.style.indexFont = QStringLiteral("Liberation Sans");
    }
    if (set == 10) { // historical costumes: serif letters and deep robes on the court cards
        r.style.courtFont = QStringLiteral("DejaVu Serif");
        r.style.robe[0] = QColor(0x7A, 0x1F, 0x2E);
        r.style.robe[1] = QColor(0x9C, 0x6B, 0x1E);
        r.style.robe[3] = QColor(0x2B, 0x2F, 0x5C);
    }
    return r;
}

BackPattern PatternOfBackSet(int backSet) {
    static const BackPattern patterns[13] = {BackPattern::Lattice, BackPattern::Lattice, BackPattern::Rhombi,
                                             BackPattern::Carpet,  BackPattern::Cross,   BackPattern::Chess,
                                             BackPattern::Diamond, BackPattern::Knight,  BackPattern::Animal,
                                             BackPattern::Flower,  BackPattern::Place,   BackPattern::Wave,
                                             BackPattern::Folk};
    return patterns[std::clamp(backSet, 0, 12)];
}

namespace {

// A card of an SVG deck, or of our own style when the deck lacks it.
class FaceSource {
  public:
    FaceSource(int set, const BuildOptions& options) : recipe_(RecipeOfFaceSet(set)) {
        if (!recipe_.svgDeck.isEmpty()) {
            const QDir dir(QDir(options.cardDecksRoot).filePath(recipe_.svgDeck));
            const QStringList files = dir.entryList({QStringLiteral("*.svgz"), QStringLiteral("*.svg")});
            if (!files.isEmpty()) svg_ = std::make_unique<QSvgRenderer>(dir.filePath(files.front()));
            if (svg_ && !svg_->isValid()) svg_.reset();
        }
    }
    QImage Face(int card, QSize size, bool bordered) const {
        const QString id = QString::fromLatin1(SvgRanks[(card - 1) / 4]) + '_' +
                           QString::fromLatin1(SvgSuits[(card - 1) % 4]);
        if (svg_ && svg_->elementExists(id)) {
            QImage img(size, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::white);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            // The decks draw their own rounded edge; the small cards sit in the table's frame, so the
            // picture is drawn a little larger than the cell to keep the edge outside it.
            const double bleed = bordered ? 0 : 1.5;
            svg_->render(&p, id, QRectF(-bleed, -bleed, size.width() + 2 * bleed, size.height() + 2 * bleed));
            p.end();
            return img.convertToFormat(QImage::Format_RGB32);
        }
        return DrawFace(card, size, recipe_.style, bordered).convertToFormat(QImage::Format_RGB32);
    }

  private:
    FaceSetRecipe recipe_;
    std::unique_ptr<QSvgRenderer> svg_;
};

// The set whose own code a resource name carries: the small ranks and aces of some sets are
// shared with another set of the same package.
int OwnerOfCode(const QString& code, int first, int last) {
    for (int s = first; s <= last; ++s)
        if (FaceSetCode(s) == code) return s;
    return 0;
}

QImage Stored(QImage face) {
    InvertFaceEllipse(face);
    return face;
}

} // namespace

bool AddCardsPackage(ResourceSet& set, int first, int last, bool withBacks, const BuildOptions& options,
                     QString* error) {
    std::map<int, std::unique_ptr<FaceSource>> sources;
    auto source = [&](int s) -> const FaceSource& {
        auto& slot = sources[s];
        if (!slot) slot = std::make_unique<FaceSource>(s, options);
        return *slot;
    };
    for (int s = first; s <= last; ++s) {
        const bool wide = IsWideSet(s);
        const QSize large = wide ? QSize(146, 198) : QSize(126, 198);
        for (int card = 1; card <= 36; ++card) {
            const int rank = (card - 1) / 4;
            const QString code = rank <= 4 ? SmallRankCode(s) : rank == 8 ? AceCode(s) : FaceSetCode(s);
            const int owner = OwnerOfCode(code, first, last);
            if (owner == 0) {
                if (error) *error = QStringLiteral("no set owns the code ") + code;
                return false;
            }
            // A shared picture is written once, by the set that owns the code.
            if (owner != s && owner >= first && owner <= last && code != FaceSetCode(s)) continue;
            set.Add(RcData, FaceName(card, s, true),
                    PngBytes(Stored(source(owner).Face(card, {69, 94}, false))));
            set.Add(RcData, FaceName(card, s, false),
                    PngBytes(Stored(source(owner).Face(card, large, true))));
        }
        const QString icon = SuitIconCode(s);
        // Icons shared by several sets follow the set that owns their code; rendered decks keep
        // the usual red and black.
        const FaceSetRecipe iconRecipe = RecipeOfFaceSet(std::max(1, OwnerOfCode(icon, first, last)));
        const DeckStyle iconStyle = iconRecipe.svgDeck.isEmpty() ? iconRecipe.style : DeckStyle();
        const char* const names[4] = {"Cher", "Bubi", "Kres", "Piki"};
        for (int suit = 0; suit < 4; ++suit) {
            set.Add(RcData, QString::fromLatin1(names[suit]) + icon,
                    PngBytes(DrawSuitIcon(suit, 20, false, iconStyle)));
            set.Add(RcData, QString::fromLatin1(names[suit]) + icon + 'B',
                    PngBytes(DrawSuitIcon(suit, 40, false, iconStyle)));
        }
    }
    if (withBacks) {
        for (int b = 0; b <= 12; ++b) {
            const BackPattern pattern = PatternOfBackSet(b);
            for (int i = 1; i <= BackCountOfSet(b); ++i) {
                // Back set 0 is built in except for its narrow backs.
                const std::pair<QString, QSize> sizes[3] = {{QString(), {69, 94}},
                                                            {QStringLiteral("B"), {146, 198}},
                                                            {QStringLiteral("U"), {126, 198}}};
                for (const auto& [suffix, size] : sizes) {
                    if (b == 0 && suffix != QStringLiteral("U")) continue;
                    const QImage back = DrawBack(i, size, pattern, !suffix.isEmpty());
                    set.Add(RcData, BackName(i, b, false, suffix), PngBytes(back));
                    set.Add(RcData, BackName(i, b, true, suffix), PngBytes(Turned(back)));
                }
            }
        }
    }
    return true;
}

bool AddBackgroundPackage(ResourceSet& set, QString*) {
    for (int s = 1; s <= 10; ++s)
        for (int v = 0; v <= 6; ++v) {
            if (s == 2 && v == 0) continue; // built into the program
            set.Add(Jpeg, BackgroundName(s, v, 1), JpegBytes(DrawCloth(s, v, {760, 500}), 88));
            set.Add(Jpeg, BackgroundName(s, v, 2), JpegBytes(DrawCloth(s, v, {1920, 922}), 85));
        }
    return true;
}

bool AddGraphicsPackage(ResourceSet& set, QString*) {
    // The design background: a lilac silk.
    QImage lilac = DrawCloth(9, 6, {1920, 1000});
    set.Add(Jpeg, QStringLiteral("BGLilu"), JpegBytes(lilac, 88));
    const char* const codes[8] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};
    const char16_t* const speed[8] = {u"Speed",         u"\u0421\u043A\u043E\u0440\u043E\u0441\u0442\u044C",
                                      u"Tempo",         u"Vitesse",
                                      u"Velocidad",     u"\u901F\u5EA6",
                                      u"Velocit\u00E0", u"Rychlost"};
    const char16_t* const options[8] = {u"Options",  u"\u041E\u043F\u0446\u0438\u0438",
                                        u"Optionen", u"Options",
                                        u"Opciones", u"\u9009\u9879",
                                        u"Opzioni",  u"Mo\u017Enosti"};
    set.Add(Jpeg, QStringLiteral("GFormSpeed"), JpegBytes(DrawCloth(9, 5, {340, 280}), 90));
    set.Add(Jpeg, QStringLiteral("GFormOpt"), JpegBytes(DrawCloth(9, 5, {640, 480}), 90));
    for (int l = 0; l < 8; ++l) {
        const QString code = QString::fromLatin1(codes[l]);
        set.Add(RcData, QStringLiteral("GFormSpeed") + code,
                PngBytes(DrawCaption({300, 48}, QString::fromUtf16(speed[l]), ink::Gold)));
        set.Add(RcData, QStringLiteral("GFormOpt") + code,
                PngBytes(DrawCaption({300, 48}, QString::fromUtf16(options[l]), ink::Gold)));
    }
    set.Add(RcData, QStringLiteral("GIcon48Speed"),
            PngBytes(DrawRoundIcon(48, QStringLiteral("\u00BB"), ink::Red)));
    set.Add(RcData, QStringLiteral("GIcon48Opt"),
            PngBytes(DrawRoundIcon(48, QStringLiteral("\u2699"), ink::Navy)));
    set.Add(RcData, QStringLiteral("GTouch"), PngBytes(DrawTouchStrip(30)));
    set.Add(Jpeg, QStringLiteral("GFormRadio"), JpegBytes(DrawCloth(9, 5, {340, 320}), 90));
    set.Add(RcData, QStringLiteral("GFormRadioL"), PngBytes(DrawRadioHeader({280, 90})));
    return true;
}

} // namespace tarvo::art
