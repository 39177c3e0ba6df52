#include "table/ImageStore.h"

#include <QPainter>
#include <cmath>
#include <optional>

#include "packages/Package.h"
#include "table/Resize.h"

// The built-in pictures are compiled into this library; registering them from here keeps the
// linker from dropping them out of the static library.
static void RegisterBuiltinPictures() {
    Q_INIT_RESOURCE(tarvo_pictures);
}

namespace tarvo {

namespace {

void EnsureBuiltin() {
    static const bool done = (RegisterBuiltinPictures(), true);
    (void)done;
}

const char* const SuitParts[4] = {"Ch", "Bu", "Kr", "Pi"};
const char* const RankParts[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
const char* const SuitIconNames[4] = {"Cher", "Bubi", "Kres", "Piki"};
const char* const DayParts[10] = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr",
                                  "Ob06Su", "Ob07Su", "Ob08XX", "Ob09XX", "Ob10XX"};
const char* const ColourCodes[7] = {"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};
const char* const SetCodes[48] = {"",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra",
                                  "His", "Nat", "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2",
                                  "Hea", "Sea", "Rhi", "Me2", "Doo", "Boy", "Epi", "USR", "Pla", "SkN",
                                  "SkT", "SkF", "Bel", "Dia", "Kny", "Pas", "Rus", "Sla", "May", "Lub",
                                  "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};
const char* const BackCodes[13] = {"",    "Cl1", "Cl2", "Car", "Cro", "Che", "Dia",
                                   "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};

constexpr QSize SmallFace{69, 94};
constexpr QSize SmallRotated{94, 69};
const QRgb Silver = qRgb(0xC0, 0xC0, 0xC0);

int ClampSet(int v, int hi) {
    return v >= 0 && v <= hi ? v : 0;
}

// A small-mode card: an opaque 69 x 94 (or turned 94 x 69) picture.
QImage AsSmallBitmap(const QImage& picture, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(QPoint(0, 0), size), picture);
    return out;
}

// The silver background of a small suit bitmap becomes transparent.
QImage KeySilver(const QImage& bitmap) {
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == (Silver & 0xFFFFFFu)) line[x] = 0;
    }
    return out;
}

Package Program() {
    EnsureBuiltin();
    return Package::Program();
}

// A built-in stand-in for a picture a package could not give.
QImage BuiltinFace(int card, bool small) {
    Package own = Program();
    return small ? own.ReadPicture(Bitmap, FaceName(card, 0, true))
                 : own.ReadPicture(RcData, FaceName(card, 0, false));
}

void LoadSuitIcons(ImageStore& store, const Package& pkg, int set, const QString& pkgName,
                   PictureMessages& messages) {
    const Package own = Program();
    const QString code = SuitIconCode(set);
    for (int s = 0; s < 4; ++s) {
        const QString smallName = QString::fromLatin1(SuitIconNames[s]) + code;
        QImage icon;
        if (set == 0) {
            icon = KeySilver(own.ReadPicture(Bitmap, smallName));
        } else {
            icon = pkg.ReadPicture(RcData, smallName);
            try {
                if (!icon.isNull()) ResizePicture(icon, 20, 20);
            } catch (const PictureFormatError&) {
                icon = QImage();
            }
            if (icon.isNull()) {
                messages.BadPicture(pkgName, smallName);
                icon = KeySilver(own.ReadPicture(Bitmap, QString::fromLatin1(SuitIconNames[s])));
            }
        }
        store.smallSuits[s] = icon;
        const QString largeName = smallName + 'B';
        QImage large = pkg.ReadPicture(RcData, largeName);
        if (large.isNull()) {
            messages.BadPicture(pkgName, largeName);
            large = own.ReadPicture(RcData, QString::fromLatin1(SuitIconNames[s]) + 'B');
        }
        store.largeSuits[s] = large;
    }
}

} // namespace

ImageMode ModeForScale(double scale) {
    if (scale < 1.3) return ImageMode::Small;
    return scale < 2 ? ImageMode::Scaled : ImageMode::Large;
}

bool IsWideSet(int faceSet) {
    return faceSet < 28 || faceSet == 40 || faceSet == 45;
}

QSize CellSize(double scale, bool wide) {
    switch (ModeForScale(scale)) {
    case ImageMode::Small:
        return {71, 96};
    case ImageMode::Scaled:
        return {RoundEven((wide ? 71 : 61) * scale), RoundEven(96 * scale)};
    case ImageMode::Large:
        break;
    }
    return {wide ? 146 : 126, 198};
}

QString FaceSetCode(int faceSet) {
    return QString::fromLatin1(SetCodes[ClampSet(faceSet, 47)]);
}

QString SmallRankCode(int faceSet) {
    switch (faceSet) {
    case 6:
    case 7:
    case 10:
    case 13:
        return QStringLiteral("Mod");
    case 19:
    case 20:
        return QStringLiteral("Sea");
    case 25:
        return QStringLiteral("Rhi");
    case 27:
        return QStringLiteral("Big");
    default:
        return FaceSetCode(faceSet);
    }
}

QString AceCode(int faceSet) {
    switch (faceSet) {
    case 6:
        return QStringLiteral("Cor");
    case 7:
    case 10:
    case 13:
        return QStringLiteral("Mod");
    case 19:
    case 20:
        return QStringLiteral("Sea");
    case 25:
        return QStringLiteral("Boy");
    case 27:
        return QStringLiteral("USR");
    default:
        return FaceSetCode(faceSet);
    }
}

QString SuitIconCode(int faceSet) {
    return faceSet == 11 ? QStringLiteral("Mod") : SmallRankCode(faceSet);
}

QString BackSetCode(int backSet) {
    return QString::fromLatin1(BackCodes[ClampSet(backSet, 12)]);
}

QString FacePackage(int faceSet) {
    if (faceSet <= 0 || faceSet > 47) return {};
    if (faceSet <= 31) return CardsPackageA;
    return faceSet <= 39 ? CardsPackageB : CardsPackageC;
}

QString FaceName(int card, int faceSet, bool small) {
    const int rank = (card - 1) / 4, suit = (card - 1) % 4;
    const QString code = rank <= 4   ? SmallRankCode(faceSet)
                         : rank == 8 ? AceCode(faceSet)
                                     : FaceSetCode(faceSet);
    return QString::fromLatin1(SuitParts[suit]) + QString::fromLatin1(RankParts[rank]) + code +
           (small ? QString() : QStringLiteral("B"));
}

QString BackName(int back, int backSet, bool rotated, const QString& suffix) {
    return QString::fromLatin1(DayParts[back - 1]) + (rotated ? QStringLiteral("R") : QString()) +
           BackSetCode(backSet) + suffix;
}

QString BackgroundName(int set, int variant, int windowSize) {
    return QStringLiteral("Fon%1").arg(set, 2, 10, QLatin1Char('0')) +
           QString::fromLatin1(ColourCodes[ClampSet(variant, 6)]) +
           (windowSize == 1 ? QString() : QStringLiteral("B"));
}

int BackCountOfSet(int backSet) {
    return backSet >= 8 && backSet <= 11 ? 10 : 7;
}

bool LoadCardFaces(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                   PictureMessages& messages) {
    store.scale = look.scale;
    store.mode = ModeForScale(look.scale);
    const bool small = store.mode == ImageMode::Small;
    int set = ClampSet(look.cardFaces, 47);
    const int asked = set;
    QString pkgName = FacePackage(set);
    std::optional<Package> pkg = packages.Open(pkgName);
    if (!pkg) {
        messages.CantFindFile(pkgName);
        set = 0;
        pkgName.clear();
        pkg = Program();
    }
    look.cardFaces = set;
    for (int card = 1; card <= 36; ++card) {
        const QString name = FaceName(card, set, small);
        QImage face;
        if (set == 0 && small) {
            face = pkg->ReadPicture(Bitmap, name);
        } else {
            face = pkg->ReadPicture(RcData, name);
            if (set != 0 && !face.isNull()) InvertFaceEllipse(face);
            if (small && !face.isNull()) face = AsSmallBitmap(face, SmallFace);
        }
        if (face.isNull()) {
            messages.BadPicture(pkgName, name);
            face = BuiltinFace(card, small);
        }
        store.faces[card - 1] = face;
    }
    LoadSuitIcons(store, *pkg, set, pkgName, messages);
    pkg.reset(); // no package stays open beyond its load

    store.wide = IsWideSet(set);
    const QSize cell = CellSize(look.scale, store.wide);
    store.cellWidth = cell.width();
    store.cellHeight = cell.height();
    store.trumpOffset = store.wide || look.windowSize == 1 ? 0 : 5;
    LoadCardBacks(packages, store, look, messages);
    // The backs may have sent the faces back to the built-in deck.
    return set == asked && look.cardFaces == asked;
}

bool LoadCardBacks(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                   PictureMessages& messages) {
    store.mode = ModeForScale(look.scale);
    const bool small = store.mode == ImageMode::Small;
    const bool wideFaces = IsWideSet(ClampSet(look.cardFaces, 47));
    int set = ClampSet(look.cardBack, 12);
    const bool needPackage = set != 0 || (!wideFaces && !small);
    const QString suffix = small ? QString() : wideFaces ? QStringLiteral("B") : QStringLiteral("U");
    bool ok = true;
    std::optional<Package> pkg;
    QString pkgName;
    if (needPackage) {
        pkgName = CardsPackageB;
        pkg = packages.Open(pkgName);
        if (!pkg) {
            messages.CantFindFile(pkgName);
            if (set == 0) {
                // The narrow set has no built-in backs of its width: back to the built-in deck,
                // which loads the built-in backs itself.
                look.cardFaces = 0;
                look.cardBack = 0;
                LoadCardFaces(packages, store, look, messages);
                return false;
            }
            set = 0;
            ok = false;
        }
    }
    look.cardBack = set;
    const bool builtin = !pkg;
    if (builtin) pkg = Program();
    const QString useSuffix = builtin && !small ? QStringLiteral("B") : suffix;
    const int count = BackCountOfSet(set);
    store.backCount = count;
    for (int rotated = 0; rotated <= 1; ++rotated) {
        auto& target = rotated ? store.rotatedBacks : store.backs;
        for (int i = 1; i <= 10; ++i) {
            if (i > count) {
                target[i - 1] = QImage();
                continue;
            }
            const QString name = BackName(i, set, rotated, useSuffix);
            QImage back;
            if (builtin && small) {
                back = pkg->ReadPicture(Bitmap, name);
            } else {
                back = pkg->ReadPicture(RcData, name);
                if (small && !back.isNull()) back = AsSmallBitmap(back, rotated ? SmallRotated : SmallFace);
            }
            if (back.isNull()) {
                messages.BadPicture(builtin ? QString() : pkgName, name);
                const Package own = Program();
                back = small ? own.ReadPicture(Bitmap, BackName(i <= 7 ? i : 7, 0, rotated, QString()))
                             : own.ReadPicture(RcData,
                                               BackName(i <= 7 ? i : 7, 0, rotated, QStringLiteral("B")));
            }
            target[i - 1] = back;
        }
    }
    if (store.currentBack > count) store.currentBack = 1;
    return ok;
}

bool LoadBackground(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                    PictureMessages& messages, bool design) {
    bool ok = true;
    QImage picture;
    if (design) {
        if (auto graphics = packages.Open(GraphicsPackage)) {
            picture = graphics->ReadPicture(Jpeg, QStringLiteral("BGLilu"));
            if (picture.isNull()) messages.BadPicture(GraphicsPackage, QStringLiteral("BGLilu"));
        } else {
            messages.CantFindFile(GraphicsPackage);
            look.mainMenuDesign = look.tableDesign = look.windowDesignGraphic = false;
            ok = false;
        }
    }
    if (picture.isNull()) {
        if (look.background == 0) {
            // No background: the parts show the window's plain colour.
            store.background = QImage();
            return ok;
        }
        // A value no set has (a hand-edited settings file) means the built-in cloth.
        if (look.background < 0 || look.background > 10 || look.backgroundVariant < 0 ||
            look.backgroundVariant > 6) {
            look.background = 2;
            look.backgroundVariant = 0;
        }
        const bool builtinSet = look.background == 2 && look.backgroundVariant == 0;
        std::optional<Package> pkg;
        if (!builtinSet) {
            pkg = packages.Open(BackgroundPackage);
            if (!pkg) {
                messages.CantFindFile(BackgroundPackage);
                look.background = 2;
                look.backgroundVariant = 0;
                ok = false;
            }
        }
        const QString name = BackgroundName(look.background, look.backgroundVariant, look.windowSize);
        if (pkg) {
            picture = pkg->ReadPicture(Jpeg, name);
            if (picture.isNull()) messages.BadPicture(BackgroundPackage, name);
        }
        if (picture.isNull())
            picture = Program().ReadPicture(Jpeg, look.windowSize == 1 ? QStringLiteral("FonG")
                                                                       : QStringLiteral("FonGB"));
    }
    if (look.windowSize != 1 && !picture.isNull() && picture.size() != look.clientSize)
        picture = picture.scaled(look.clientSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    store.background = picture;
    return ok;
}

void ChooseBackForGame(ImageStore& store, const CardLook& look, QDate today, QRandomGenerator* random) {
    if (look.cardBack >= 8 && look.cardBack <= 11) {
        QRandomGenerator* r = random ? random : QRandomGenerator::global();
        store.currentBack = r->bounded(1, 11);
    } else if (look.oneBack) {
        store.currentBack = 7;
    } else {
        store.currentBack = today.isValid() ? today.dayOfWeek() : 1;
    }
}

} // namespace tarvo
