#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

#include "table/ImageStore.h"
#include "tests/table/TestPackages.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class Recorder : public PictureMessages {
  public:
    void CantFindFile(const QString& fileName) override { missing.push_back(fileName.toStdString()); }
    void BadPicture(const QString& package, const QString& name) override {
        bad.push_back((package + '/' + name).toStdString());
    }
    std::vector<std::string> missing, bad;
};

// The packages are built once: faces of the narrow set 30 and the set 35, backs 0 (narrow), 3 and 9,
// and a background package with set 5 in yellow.
class ImageStoreTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        const QDir d(dir_->path());
        d.mkpath(QStringLiteral("all"));
        d.mkpath(QStringLiteral("none"));
        art::ResourceSet a, b, bg;
        AddFaces(a, 30);
        AddFaces(b, 35);
        for (int backSet : {0, 3, 9}) AddBacks(b, backSet);
        bg.Add(Jpeg, QStringLiteral("Fon05Ye"), art::JpegBytes(Solid({700, 450}, qRgb(230, 200, 20))));
        bg.Add(Jpeg, QStringLiteral("Fon05YeB"), art::JpegBytes(Solid({1600, 800}, qRgb(230, 200, 20))));
        WritePackage(d.filePath(QStringLiteral("all/QobCards06A.dll")), a);
        WritePackage(d.filePath(QStringLiteral("all/QobCards06B.dll")), b);
        WritePackage(d.filePath(QStringLiteral("all/QobBackG03.dll")), bg);
    }
    static void TearDownTestSuite() { delete dir_; }

    // Packages from `folder` only: "all", "none", or a folder holding a chosen few.
    void Use(const QString& folder) { packages.SetFolders({QDir(dir_->path()).filePath(folder), QString()}); }
    void UseOnly(std::initializer_list<const char*> names) {
        const QDir d(dir_->path());
        const QString folder = QStringLiteral("some%1").arg(++someCount_);
        d.mkpath(folder);
        for (const char* n : names)
            QFile::copy(d.filePath(QStringLiteral("all/") + n), d.filePath(folder + '/' + n));
        Use(folder);
    }

    static QImage Builtin(const QString& type, const QString& name) {
        return Package::Program().ReadPicture(type, name);
    }

    static inline QTemporaryDir* dir_ = nullptr;
    static inline int someCount_ = 0; // a fresh folder for every choice
    PackageRegistry packages;
    ImageStore store;
    CardLook look;
    Recorder messages;
};

TEST(CardGeometry, CellsAndModesFollowTheScale) {
    struct Case {
        double scale;
        ImageMode mode;
        QSize wide, narrow;
    };
    const Case cases[] = {
        {1.0, ImageMode::Small, {71, 96}, {71, 96}},       {1.29, ImageMode::Small, {71, 96}, {71, 96}},
        {1.3, ImageMode::Scaled, {92, 125}, {79, 125}},    {1.7, ImageMode::Scaled, {121, 163}, {104, 163}},
        {1.99, ImageMode::Scaled, {141, 191}, {121, 191}}, {2.0, ImageMode::Large, {146, 198}, {126, 198}},
        {2.6, ImageMode::Large, {146, 198}, {126, 198}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModeForScale(c.scale), c.mode) << c.scale;
        EXPECT_EQ(CellSize(c.scale, true), c.wide) << c.scale;
        EXPECT_EQ(CellSize(c.scale, false), c.narrow) << c.scale;
    }
    EXPECT_EQ(RoundEven(0.5), 0);
    EXPECT_EQ(RoundEven(1.5), 2);
    EXPECT_EQ(RoundEven(92.5), 92);
}

TEST(ResourceNames, FollowTheSetCodesAndTheirExceptions) {
    EXPECT_EQ(FaceName(1, 0, true), "Ch06");
    EXPECT_EQ(FaceName(36, 1, false), "Pi5AMedB");
    EXPECT_EQ(FaceName(21, 6, false), "Ch2JCorB"); // courts use the set's own code
    EXPECT_EQ(FaceName(2, 6, false), "Bu06ModB");  // small ranks of set 6 come from "Mod"
    EXPECT_EQ(FaceName(33, 6, true), "Ch5ACor");
    EXPECT_EQ(FaceName(34, 25, true), "Bu5ABoy");
    EXPECT_EQ(FaceName(5, 25, true), "Ch07Rhi");
    EXPECT_EQ(FaceName(20, 27, true), "Pi10Big");
    EXPECT_EQ(FaceName(35, 27, true), "Kr5AUSR");
    EXPECT_EQ(SuitIconCode(11), "Mod");
    EXPECT_EQ(SuitIconCode(19), "Sea");
    EXPECT_EQ(BackName(3, 1, false, QStringLiteral("B")), "Ob03WeCl1B");
    EXPECT_EQ(BackName(2, 6, true, QStringLiteral("U")), "Ob02TuRDiaU");
    EXPECT_EQ(BackName(1, 0, true, QString()), "Ob01MoR");
    EXPECT_EQ(BackgroundName(3, 3, 1), "Fon03Ye");
    EXPECT_EQ(BackgroundName(1, 0, 2), "Fon01GrB");
    for (int s : {28, 29, 39, 41, 47}) EXPECT_FALSE(IsWideSet(s)) << s;
    for (int s : {0, 1, 27, 40, 45}) EXPECT_TRUE(IsWideSet(s)) << s;
    EXPECT_EQ(FacePackage(31), "QobCards06A.dll");
    EXPECT_EQ(FacePackage(32), "QobCards06B.dll");
    EXPECT_EQ(FacePackage(40), "QobCards06C.dll");
}

TEST_F(ImageStoreTest, BuiltinDeckLoadsAtEverySizeWithoutAnyPackage) {
    Use(QStringLiteral("none"));
    for (const double scale : {1.0, 1.3, 1.7, 2.0}) {
        look.scale = scale;
        EXPECT_TRUE(LoadCardFaces(packages, store, look, messages)) << scale;
        const QSize face = scale < 1.3 ? QSize(69, 94) : QSize(146, 198);
        for (const QImage& f : store.faces) EXPECT_EQ(f.size(), face) << scale;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(store.backs[i].size(), face) << scale;
            EXPECT_EQ(store.rotatedBacks[i].size(), face.transposed()) << scale;
        }
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(store.smallSuits[s].size(), QSize(20, 20));
            EXPECT_EQ(store.largeSuits[s].size(), QSize(40, 40));
        }
    }
    EXPECT_TRUE(messages.missing.empty());
    EXPECT_TRUE(messages.bad.empty());
    // The silver of the small suit bitmaps is keyed out.
    EXPECT_EQ(qAlpha(store.smallSuits[0].pixel(0, 0)), 0);
}

TEST_F(ImageStoreTest, PackageFacesAreRestoredFromTheirInvertedEllipse) {
    Use(QStringLiteral("all"));
    look.cardFaces = 30;
    look.scale = 2.0;
    look.windowSize = 4;
    EXPECT_TRUE(LoadCardFaces(packages, store, look, messages));
    EXPECT_FALSE(store.wide);
    EXPECT_EQ(store.cellWidth, 126);
    EXPECT_EQ(store.trumpOffset, 5);
    for (int card = 1; card <= 36; ++card) {
        const QImage& f = store.faces[card - 1];
        ASSERT_EQ(f.size(), QSize(126, 198));
        for (const QPoint at : {QPoint(0, 0), QPoint(63, 99), QPoint(20, 30), QPoint(115, 187)})
            EXPECT_EQ(f.pixel(at) | 0xFF000000u, FaceColour(30, card)) << card;
    }
    look.scale = 1.0; // small mode reads the 69 x 94 pictures as bitmaps
    look.windowSize = 1;
    EXPECT_TRUE(LoadCardFaces(packages, store, look, messages));
    EXPECT_EQ(store.faces[5].size(), QSize(69, 94));
    EXPECT_EQ(store.faces[5].pixel(34, 47) | 0xFF000000u, FaceColour(30, 6));
    EXPECT_EQ(store.trumpOffset, 0);
    EXPECT_TRUE(messages.missing.empty());
}

TEST_F(ImageStoreTest, FaceSet35WithoutItsPackageFallsBackToTheBuiltinDeck) {
    UseOnly({"QobCards06A.dll"});
    look.cardFaces = 35;
    EXPECT_FALSE(LoadCardFaces(packages, store, look, messages));
    EXPECT_EQ(messages.missing, std::vector<std::string>{"QobCards06B.dll"});
    EXPECT_EQ(look.cardFaces, 0);
    EXPECT_EQ(store.faces[0], Builtin(Bitmap, QStringLiteral("CH06")));
    EXPECT_EQ(store.faces[35], Builtin(Bitmap, QStringLiteral("PI5A")));
}

TEST_F(ImageStoreTest, NarrowSetWithBuiltinBacksReadsTheNarrowBacksOfTheBackPackage) {
    UseOnly({"QobCards06A.dll", "QobCards06B.dll"});
    look.cardFaces = 30;
    look.cardBack = 0;
    look.scale = 1.7;
    look.windowSize = 3;
    EXPECT_TRUE(LoadCardFaces(packages, store, look, messages));
    EXPECT_TRUE(messages.missing.empty());
    EXPECT_EQ(store.backCount, 7);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(store.backs[i - 1].size(), QSize(126, 198));
        EXPECT_EQ(store.backs[i - 1].pixel(5, 5) | 0xFF000000u, BackColour(0, i, false)) << i;
        EXPECT_EQ(store.rotatedBacks[i - 1].pixel(5, 5) | 0xFF000000u, BackColour(0, i, true)) << i;
    }
}

TEST_F(ImageStoreTest, NarrowSetWithoutTheBackPackageSendsFacesAndBacksToZero) {
    UseOnly({"QobCards06A.dll"});
    look.cardFaces = 30;
    look.cardBack = 0;
    look.scale = 1.7;
    look.windowSize = 3;
    EXPECT_FALSE(LoadCardFaces(packages, store, look, messages));
    EXPECT_EQ(messages.missing, std::vector<std::string>{"QobCards06B.dll"});
    EXPECT_EQ(look.cardFaces, 0);
    EXPECT_EQ(look.cardBack, 0);
    EXPECT_TRUE(store.wide);
    EXPECT_EQ(store.cellWidth, 121);
    EXPECT_EQ(store.faces[0], Builtin(RcData, QStringLiteral("CH06B")));
    EXPECT_EQ(store.backs[0], Builtin(RcData, QStringLiteral("OB01MOB")));
}

TEST_F(ImageStoreTest, BackSetWithoutItsPackageFallsBackAloneAndSaysSo) {
    Use(QStringLiteral("none"));
    look.cardBack = 3;
    EXPECT_FALSE(LoadCardBacks(packages, store, look, messages));
    EXPECT_EQ(messages.missing, std::vector<std::string>{"QobCards06B.dll"});
    EXPECT_EQ(look.cardBack, 0);
    EXPECT_EQ(store.backs[6], Builtin(Bitmap, QStringLiteral("OB07SU")));
}

TEST_F(ImageStoreTest, TheBackOfTheGame) {
    Use(QStringLiteral("all"));
    // One back: back 7 of the set, "Ob07Su" + "Car".
    look.cardBack = 3;
    look.oneBack = true;
    ASSERT_TRUE(LoadCardBacks(packages, store, look, messages));
    for (int day = 7; day <= 13; ++day) { // 2026-12-07 is a Monday
        ChooseBackForGame(store, look, QDate(2026, 12, day));
        EXPECT_EQ(store.currentBack, 7);
    }
    EXPECT_EQ(store.backs[6].pixel(3, 3) | 0xFF000000u, BackColour(3, 7, false));
    // Otherwise the weekday, Monday 1 to Sunday 7.
    look.oneBack = false;
    for (int day = 7; day <= 13; ++day) {
        ChooseBackForGame(store, look, QDate(2026, 12, day));
        EXPECT_EQ(store.currentBack, day - 6);
    }
    // A set of ten backs draws one at random for every game, whatever OneBack says.
    look.cardBack = 9;
    look.oneBack = true;
    ASSERT_TRUE(LoadCardBacks(packages, store, look, messages));
    EXPECT_EQ(store.backCount, 10);
    std::set<int> seen;
    for (int game = 0; game < 400; ++game) {
        ChooseBackForGame(store, look, QDate(2026, 12, 7));
        ASSERT_GE(store.currentBack, 1);
        ASSERT_LE(store.currentBack, 10);
        seen.insert(store.currentBack);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST_F(ImageStoreTest, Backgrounds) {
    // 2/0 is built in: the background package is never needed.
    Use(QStringLiteral("none"));
    look.background = 2;
    look.backgroundVariant = 0;
    EXPECT_TRUE(LoadBackground(packages, store, look, messages, false));
    EXPECT_TRUE(messages.missing.empty());
    EXPECT_EQ(store.background.size(), QSize(760, 500));
    look.windowSize = 2;
    look.clientSize = QSize(988, 650);
    EXPECT_TRUE(LoadBackground(packages, store, look, messages, false));
    EXPECT_EQ(store.background.size(), QSize(988, 650)); // "FonGB" stretched to the table

    // 5/3 at size 1 reads "Fon05Ye" as it is; at other sizes "Fon05YeB", stretched.
    Use(QStringLiteral("all"));
    look.background = 5;
    look.backgroundVariant = 3;
    look.windowSize = 1;
    look.clientSize = QSize(760, 500);
    EXPECT_TRUE(LoadBackground(packages, store, look, messages, false));
    EXPECT_EQ(store.background.size(), QSize(700, 450));
    look.windowSize = 2;
    look.clientSize = QSize(988, 650);
    EXPECT_TRUE(LoadBackground(packages, store, look, messages, false));
    EXPECT_EQ(store.background.size(), QSize(988, 650));
    EXPECT_TRUE(messages.missing.empty());

    // Without the package: the message, then the built-in cloth and the setting back at 2/0.
    Use(QStringLiteral("none"));
    EXPECT_FALSE(LoadBackground(packages, store, look, messages, false));
    EXPECT_EQ(messages.missing, std::vector<std::string>{"QobBackG03.dll"});
    EXPECT_EQ(look.background, 2);
    EXPECT_EQ(look.backgroundVariant, 0);
    EXPECT_EQ(store.background.size(), QSize(988, 650));

    // No background at all, and values no set has.
    look.background = 0;
    EXPECT_TRUE(LoadBackground(packages, store, look, messages, false));
    EXPECT_TRUE(store.background.isNull());
    for (const auto& [set, variant] : {std::pair{11, 0}, {-1, 0}, {5, 7}}) {
        look.background = set;
        look.backgroundVariant = variant;
        EXPECT_TRUE(LoadBackground(packages, store, look, messages, false)) << set << "/" << variant;
        EXPECT_EQ(look.background, 2);
        EXPECT_EQ(look.backgroundVariant, 0);
        EXPECT_EQ(store.background.size(), QSize(988, 650));
    }

    // The design background needs the graphics package; without it the designs are switched off.
    look.mainMenuDesign = look.tableDesign = look.windowDesignGraphic = true;
    messages.missing.clear();
    EXPECT_FALSE(LoadBackground(packages, store, look, messages, true));
    EXPECT_EQ(messages.missing, std::vector<std::string>{"QobCGraph1.dll"});
    EXPECT_FALSE(look.mainMenuDesign || look.tableDesign || look.windowDesignGraphic);
    EXPECT_FALSE(store.background.isNull());
}

TEST_F(ImageStoreTest, APackageLackingPicturesGivesBuiltinOnesAndSaysWhich) {
    // Set 30's package holds no set 31.
    Use(QStringLiteral("all"));
    look.cardFaces = 31;
    look.scale = 2.0;
    look.windowSize = 4;
    LoadCardFaces(packages, store, look, messages);
    EXPECT_TRUE(messages.missing.empty());
    ASSERT_FALSE(messages.bad.empty());
    EXPECT_EQ(messages.bad.front(), "QobCards06A.dll/Ch06SkFB");
    EXPECT_EQ(store.faces[0], Builtin(RcData, QStringLiteral("CH06B")));
}

} // namespace

namespace {

TEST(BuiltinPictures, EveryNamedPictureIsThereInItsTypeAndSize) {
    const std::optional<Package> own = Package::Program();
    struct Case {
        const char* type;
        const char* name;
        QSize size;
    };
    const Case cases[] = {
        {"BITMAP", "Ch06", {69, 94}},
        {"BITMAP", "Pi5A", {69, 94}},
        {"RCDATA", "Ch06B", {146, 198}},
        {"RCDATA", "Pi5AB", {146, 198}},
        {"BITMAP", "Ob01Mo", {69, 94}},
        {"BITMAP", "Ob07SuR", {94, 69}},
        {"RCDATA", "Ob04ThB", {146, 198}},
        {"RCDATA", "Ob07SuRB", {198, 146}},
        {"BITMAP", "Cher", {20, 20}},
        {"BITMAP", "Piki", {20, 20}},
        {"RCDATA", "KresB", {40, 40}},
        {"JPEG", "FonG", {760, 500}},
        {"JPEG", "FonGB", {1920, 922}},
        {"RCDATA", "GKolodaSmall", {58, 25}},
        {"RCDATA", "GKolodaSmallB", {116, 50}},
        {"RCDATA", "GKolodaLarge", {60, 60}},
        {"RCDATA", "GKolodaLargeB", {120, 120}},
        {"RCDATA", "GFree", {10, 10}},
        {"RCDATA", "RamkaDGSm", {130, 70}},
        {"RCDATA", "RamkaDGBg", {260, 140}},
        {"RCDATA", "RamkaERSm", {130, 90}},
        {"RCDATA", "Hand_Up", {40, 60}},
        {"RCDATA", "Hand_Right", {60, 40}},
        {"RCDATA", "SPFiolet", {160, 20}},
        {"RCDATA", "SPGreenB", {320, 40}},
        {"RCDATA", "GTimerY", {50, 50}},
        {"RCDATA", "GClockBG", {115, 64}},
        {"RCDATA", "GBClock9", {18, 40}},
        {"RCDATA", "GNClockM", {16, 34}},
        {"RCDATA", "GTitle", {600, 160}},
        {"RCDATA", "CapCze", {300, 60}},
        {"RCDATA", "Net__Chi", {200, 40}},
        {"RCDATA", "EliteRus", {200, 40}},
        {"RCDATA", "GSvitok", {450, 570}},
        {"RCDATA", "GKonBads", {240, 110}},
        {"RCDATA", "GifMenu2", {160, 200}},
        {"RCDATA", "GSirenaR", {30, 33}},
        {"RCDATA", "R29_L", {14, 29}},
        {"RCDATA", "Q59_2", {8, 59}},
        {"RCDATA", "GMEDAL03", {32, 32}},
        {"RCDATA", "GPolkaNw", {220, 54}},
        {"ANICURSOR", "CurWait", {256, 32}},
    };
    for (const Case& c : cases) {
        const QImage picture = own->ReadPicture(QString::fromLatin1(c.type), QString::fromLatin1(c.name));
        EXPECT_EQ(picture.size(), c.size) << c.type << "/" << c.name;
    }
    // PNG pictures are RGB or RGBA, so that the frame pictures can go through the resizer.
    for (const char* name : {"RamkaDGBg", "SPBlueB", "GTimerR", "Ch06B"})
        EXPECT_TRUE(own->ReadPicture(RcData, QString::fromLatin1(name)).format() == QImage::Format_ARGB32 ||
                    own->ReadPicture(RcData, QString::fromLatin1(name)).format() == QImage::Format_RGB32)
            << name;
}

} // namespace
