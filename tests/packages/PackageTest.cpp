#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "packages/Package.h"
#include "tools/art/Art.h"
#include "tools/art/Resources.h"

using namespace tarvo;

namespace {

QImage Solid(QSize size, QRgb colour) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// Writes a package with the real rcc; the resources are given as "TYPE/NAME" -> bytes.
void WritePackage(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries) {
    art::ResourceSet set;
    for (const auto& [key, bytes] : entries) set.Add(key.section('/', 0, 0), key.section('/', 1), bytes);
    QString error;
    ASSERT_TRUE(set.WritePackage(QStringLiteral(TARVO_RCC), path + QStringLiteral(".work"), path, &error))
        << error.toStdString();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A package made by rcc with its own compression, as a package from elsewhere may be.
QByteArray PackedPackage(const QString& dir, const std::vector<std::pair<QString, QByteArray>>& entries) {
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/\">");
    for (const auto& [path, bytes] : entries) {
        QDir().mkpath(QFileInfo(dir + '/' + path).path());
        QFile f(dir + '/' + path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        qrc += QStringLiteral("<file>") + path + QStringLiteral("</file>");
    }
    QFile q(dir + QStringLiteral("/p.qrc"));
    q.open(QIODevice::WriteOnly);
    q.write((qrc + QStringLiteral("</qresource></RCC>")).toUtf8());
    q.close();
    const QString out = dir + QStringLiteral("/p.rcc");
    // zlib, the packing every Qt can read (zstd entries are not read at all).
    EXPECT_EQ(QProcess::execute(QStringLiteral(TARVO_RCC),
                                {QStringLiteral("--binary"), QStringLiteral("--compress-algo"),
                                 QStringLiteral("zlib"), QStringLiteral("-o"), out, q.fileName()}),
              0);
    return ReadAll(out);
}

void Put32(QByteArray& bytes, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(v >> (24 - 8 * i));
}

// Where a packed entry starts: its unpacked size, then the start of a zlib stream.
qsizetype PackedEntryAt(const QByteArray& package, quint32 unpacked) {
    QByteArray mark(5, '\0');
    Put32(mark, 0, unpacked);
    mark[4] = char(0x78);
    return package.indexOf(mark);
}

class PackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::make_unique<QTemporaryDir>();
        const QDir r(root_->path());
        r.mkpath(QStringLiteral("game/program"));
        r.mkpath(QStringLiteral("shipped"));
        program_ = r.filePath(QStringLiteral("game/program"));
        parent_ = r.filePath(QStringLiteral("game"));
        shipped_ = r.filePath(QStringLiteral("shipped"));
        packages_.SetFolders({program_, shipped_});
    }

    // A package whose one picture has a colour telling which copy it is.
    void Put(const QString& folder, const QString& name, QRgb marker) {
        WritePackage(QDir(folder).filePath(name),
                     {{QStringLiteral("RCDATA/GMARK"), art::PngBytes(Solid({4, 4}, marker))}});
    }

    std::unique_ptr<QTemporaryDir> root_;
    QString program_, parent_, shipped_;
    PackageRegistry packages_;
};

// Fonts and image plug-ins want an application object.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "packages_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

TEST_F(PackageTest, ResourcesAreFoundWhateverTheCaseOfTypeAndName) {
    const QByteArray png = art::PngBytes(Solid({3, 2}, 0xFF112233));
    const QByteArray jpeg = art::JpegBytes(Solid({16, 16}, 0xFF808080));
    WritePackage(QDir(program_).filePath(QStringLiteral("QobTest.dll")),
                 {{QStringLiteral("RCDATA/Ch06Med"), png}, {QStringLiteral("JPEG/Fon05Ye"), jpeg}});
    auto p = packages_.Open(QStringLiteral("QobTest.dll"));
    ASSERT_TRUE(p);
    for (const auto& [type, name] :
         {std::pair{"RCDATA", "CH06MED"}, {"rcdata", "ch06med"}, {"RcData", "Ch06Med"}})
        EXPECT_EQ(p->Read(QString::fromLatin1(type), QString::fromLatin1(name)), png) << type << "/" << name;
    EXPECT_FALSE(p->Read(QStringLiteral("JPEG"), QStringLiteral("Ch06Med"))); // the type is part of the path
    EXPECT_FALSE(p->Read(QStringLiteral("RCDATA"), QStringLiteral("Ch06")));
    QImage picture;
    EXPECT_TRUE(packages_.LoadJpeg(QStringLiteral("fon05ye"), QStringLiteral("QobTest.dll"), picture));
    EXPECT_EQ(picture.size(), QSize(16, 16));
    EXPECT_TRUE(packages_.LoadPicture(QStringLiteral("ch06med"), QStringLiteral("QobTest.dll"), picture));
    EXPECT_EQ(picture.size(), QSize(3, 2));
}

TEST_F(PackageTest, MixedCaseNamesWrittenByOtherToolsAreFoundToo) {
    // A package not written by our builder may keep the names as they were.
    const QString dir = QDir(root_->path()).filePath(QStringLiteral("hand"));
    QDir().mkpath(dir + QStringLiteral("/RcData"));
    QFile f(dir + QStringLiteral("/RcData/GFree.png"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(art::PngBytes(Solid({10, 10}, 0xFFFFFFFF)));
    f.close();
    QFile qrc(dir + QStringLiteral("/p.qrc"));
    ASSERT_TRUE(qrc.open(QIODevice::WriteOnly));
    qrc.write("<RCC><qresource prefix=\"/\"><file "
              "alias=\"RcData/GFree\">RcData/GFree.png</file></qresource></RCC>");
    qrc.close();
    ASSERT_EQ(QProcess::execute(QStringLiteral(TARVO_RCC),
                                {QStringLiteral("--binary"), QStringLiteral("-o"),
                                 QDir(program_).filePath(QStringLiteral("QobHand.dll")), qrc.fileName()}),
              0);
    QImage picture;
    EXPECT_TRUE(packages_.LoadPicture(QStringLiteral("GFREE"), QStringLiteral("QobHand.dll"), picture));
    EXPECT_EQ(picture.size(), QSize(10, 10));
}

TEST_F(PackageTest, LookupOrderIsProgramFolderThenShippedFolderThenParent) {
    struct Case {
        const char* what;
        bool inProgram, inShipped, inParent;
        QRgb expected; // 0: not found
    };
    const QRgb P = 0xFF0000FF, S = 0xFF00FF00, U = 0xFFFF0000;
    const Case cases[] = {
        {"program only", true, false, false, P},         {"shipped only", false, true, false, S},
        {"parent only", false, false, true, U},          {"program wins", true, true, true, P},
        {"shipped before parent", false, true, true, S}, {"nowhere", false, false, false, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString name = QStringLiteral("QobLook%1.dll").arg(n++);
        if (c.inProgram) Put(program_, name, P);
        if (c.inShipped) Put(shipped_, name, S);
        if (c.inParent) Put(parent_, name, U);
        QImage picture;
        const bool found = packages_.LoadPicture(QStringLiteral("GMark"), name, picture);
        EXPECT_EQ(found, c.expected != 0) << c.what;
        if (found) {
            EXPECT_EQ(picture.pixel(0, 0), c.expected) << c.what;
        } else {
            EXPECT_TRUE(picture.isNull()) << c.what << ": a missing package leaves the picture alone";
        }
    }
}

TEST_F(PackageTest, DamagedPackagesReadAsMissingAndNeverCrash) {
    // Qt's warnings about the bent pictures are expected; they stay out of the output.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    WritePackage(QDir(program_).filePath(QStringLiteral("QobGood.dll")),
                 {{QStringLiteral("RCDATA/A"), art::PngBytes(Solid({8, 8}, 0xFF00FF00))},
                  {QStringLiteral("RCDATA/B"), art::PngBytes(Solid({8, 8}, 0xFF0000FF))},
                  {QStringLiteral("JPEG/C"), art::JpegBytes(Solid({8, 8}, 0xFF0000FF))}});
    const QByteArray good = ReadAll(QDir(program_).filePath(QStringLiteral("QobGood.dll")));
    ASSERT_GT(good.size(), 100);
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(QDir(program_).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("QobEmpty.dll"), QByteArray());
    write(QStringLiteral("QobText.dll"), QByteArray("MZ this is not a package at all"));
    write(QStringLiteral("QobHalf.dll"), good.left(good.size() / 2));
    QByteArray wild = good;
    for (int at : {8, 12, 16}) wild[at] = char(0x7F); // tree, data and name offsets far outside
    write(QStringLiteral("QobWild.dll"), wild);
    QImage picture;
    for (const char* name : {"QobEmpty.dll", "QobText.dll", "QobHalf.dll", "QobWild.dll"}) {
        EXPECT_FALSE(packages_.LoadPicture(QStringLiteral("A"), QString::fromLatin1(name), picture)) << name;
        EXPECT_FALSE(packages_.LoadPicture(QStringLiteral("B"), QString::fromLatin1(name), picture)) << name;
    }
    // Flipped bytes anywhere: every read either finds something or nothing, and returns.
    QRandomGenerator random(6);
    for (int round = 0; round < 300; ++round) {
        QByteArray bent = good;
        for (int k = 0; k < 4; ++k) bent[random.bounded(int(bent.size()))] = char(random.bounded(256));
        write(QStringLiteral("QobBent.dll"), bent);
        if (auto p = packages_.Open(QStringLiteral("QobBent.dll"))) {
            for (const char* name : {"A", "B", "C"})
                (void)p->ReadPicture(QStringLiteral("RCDATA"), QString::fromLatin1(name));
        }
    }
    qInstallMessageHandler(previous);
}

// Packages can be downloaded: sizes and links in them are claims to check, never to follow blindly.
TEST(HostilePackage, AClaimedSizeIsBoundedAndMustBeTheTruth) {
    QTemporaryDir dir;
    const QByteArray text = QByteArray("the quick brown fox ").repeated(3000); // packs about 100:1
    const QByteArray zeros(4 << 20, '\0');                                     // packs about 1000:1
    const QByteArray good = PackedPackage(dir.path(), {{"RCDATA/TEXT", text}, {"RCDATA/ZEROS", zeros}});
    const qsizetype textAt = PackedEntryAt(good, quint32(text.size()));
    const qsizetype zerosAt = PackedEntryAt(good, quint32(zeros.size()));
    ASSERT_GT(textAt, 0) << "rcc packs the text";
    ASSERT_GT(zerosAt, 0) << "rcc packs the zeros";
    ASSERT_LT(good.size(), 40000);

    auto file = PackageFile::Parse(reinterpret_cast<const uchar*>(good.constData()), good.size());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Find("RCDATA", "TEXT"), text) << "a packed entry in proportion reads";
    EXPECT_FALSE(file->Find("RCDATA", "ZEROS")) << "4 MB out of a few KB is out of all proportion";

    const struct {
        const char* what;
        quint32 claim;
    } lies[] = {{"2.3 GB claimed", 0x8A000000u},
                {"fewer bytes than the stream gives", 1000},
                {"more bytes than the stream gives", quint32(text.size()) + 1}};
    for (const auto& lie : lies) {
        QByteArray bent = good;
        Put32(bent, textAt, lie.claim);
        auto p = PackageFile::Parse(reinterpret_cast<const uchar*>(bent.constData()), bent.size());
        ASSERT_TRUE(p) << lie.what;
        EXPECT_FALSE(p->Find("RCDATA", "TEXT")) << lie.what;
    }
}

TEST(HostilePackage, DirectoriesThatNameThemselvesAsChildrenReadAsMissing) {
    QTemporaryDir dir;
    const QByteArray good =
        PackedPackage(dir.path(), {{"RCDATA/A", "a"}, {"RCDATA/B", "b"}, {"JPEG/C", "c"}, {"WAVE/D", "d"}});
    auto sound = PackageFile::Parse(reinterpret_cast<const uchar*>(good.constData()), good.size());
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->List().size(), 4);
    const quint32 version = quint32(uchar(good[7])),
                  tree = quint32(good.mid(8, 4).toHex().toUInt(nullptr, 16));
    const int nodeSize = version >= 2 ? 22 : 14;
    const int nodes = int((good.size() - tree) / nodeSize);
    // Every directory lists the whole tree, itself and its parent included; and, apart, a child
    // that lies before its parent.
    QByteArray loops = good, backwards = good;
    for (int i = 0; i < nodes; ++i) {
        const qsizetype at = tree + i * nodeSize;
        if (!(uchar(good[at + 5]) & 0x02)) continue;
        Put32(loops, at + 6, quint32(nodes));
        Put32(loops, at + 10, 0);
        if (i > 0) Put32(backwards, at + 10, quint32(i - 1));
    }
    for (const QByteArray* bent : {&loops, &backwards})
        EXPECT_FALSE(PackageFile::Parse(reinterpret_cast<const uchar*>(bent->constData()), bent->size()));
}

TEST(FaceEllipse, InvertsInsideTheInscribedEllipseAndRestoresOnSecondRun) {
    QImage face(69, 94, QImage::Format_ARGB32);
    face.fill(qRgba(10, 200, 30, 255));
    QImage stored = face;
    InvertFaceEllipse(stored);
    // Bounds (10, 10)-(59, 84): the middle and the ends of both axes are inside, the corners out.
    for (const QPoint inside :
         {QPoint(34, 47), QPoint(10, 47), QPoint(58, 47), QPoint(34, 10), QPoint(34, 83)})
        EXPECT_EQ(stored.pixel(inside), qRgba(245, 55, 225, 255)) << inside.x() << "," << inside.y();
    for (const QPoint outside : {QPoint(9, 47), QPoint(59, 47), QPoint(34, 9), QPoint(34, 84), QPoint(12, 12),
                                 QPoint(0, 0), QPoint(68, 93)})
        EXPECT_EQ(stored.pixel(outside), face.pixel(outside)) << outside.x() << "," << outside.y();
    InvertFaceEllipse(stored);
    EXPECT_EQ(stored, face);
}

} // namespace
