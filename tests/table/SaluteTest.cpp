// The button salute: which column of the strip each frame shows, silence without the graphics
// package, and a whole run over a package of our own making.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <vector>

#include "../support/TestApplication.h"
#include "packages/Package.h"
#include "table/Salute.h"

namespace tarvo {
namespace {

// Column k of the test strip is painted in a colour of its own, so a frame tells which one it is.
QColor ColumnColour(int frame) {
    return QColor(8 * frame, 255 - 8 * frame, 40);
}

// A graphics package holding only the strip, made with the real rcc as the shipped ones are
// (uncompressed: rcc would pick zstd, which packages never hold).
void WriteGraphicsPackage(const QString& folder, QSize stripSize) {
    QImage strip(stripSize, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    for (int k = 1; k * SaluteSize <= stripSize.width(); ++k)
        for (int y = 0; y < stripSize.height(); ++y)
            for (int x = (k - 1) * SaluteSize; x < k * SaluteSize; ++x)
                strip.setPixelColor(x, y, ColumnColour(k));
    QTemporaryDir work;
    const QString png = QDir(work.path()).filePath(QStringLiteral("touch.png"));
    ASSERT_TRUE(strip.save(png));
    QFile qrc(QDir(work.path()).filePath(QStringLiteral("p.qrc")));
    ASSERT_TRUE(qrc.open(QIODevice::WriteOnly));
    qrc.write(
        "<RCC><qresource prefix=\"/\"><file alias=\"RCDATA/GTOUCH\">touch.png</file></qresource></RCC>");
    qrc.close();
    const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
    ASSERT_EQ(
        QProcess::execute(rcc, {QStringLiteral("--binary"), QStringLiteral("--no-compress"), qrc.fileName(),
                                QStringLiteral("-o"), QDir(folder).filePath(GraphicsPackage)}),
        0);
}

class Salute : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        ASSERT_TRUE(folder_.isValid());
        packages_.SetFolders({folder_.path(), folder_.path()});
    }
    QTemporaryDir folder_;
    PackageRegistry packages_;
};

TEST(SaluteFrames, FrameKShowsTheKthColumnOfTheStrip) {
    const struct { int frame, left; } cases[] = {{1, 0}, {2, -100}, {15, -1400}, {30, -2900}};
    for (const auto& c : cases) EXPECT_EQ(SaluteStripLeft(c.frame), c.left) << "frame " << c.frame;
    EXPECT_EQ(SaluteArea({400, 300}), QRect(350, 250, 100, 100));
    EXPECT_EQ(SaluteArea({10, 0}), QRect(-40, -50, 100, 100)); // at the screen's edge it runs off
}

TEST_F(Salute, WithoutTheGraphicsPackageNothingHappens) {
    EXPECT_FALSE(
        PlaySalute(packages_, {200, 200}, [](int, QWidget&) { ADD_FAILURE() << "a frame was shown"; }));
    EXPECT_FALSE(PlaySalute(packages_));
    EXPECT_FALSE(SaluteCallback(false, packages_));
    const auto salute = SaluteCallback(true, packages_);
    ASSERT_TRUE(salute);
    salute(nullptr); // silently nothing
}

TEST_F(Salute, AStripTooShortForThirtyFramesIsNotPlayed) {
    WriteGraphicsPackage(folder_.path(), {2900, 100});
    EXPECT_FALSE(
        PlaySalute(packages_, {200, 200}, [](int, QWidget&) { ADD_FAILURE() << "a frame was shown"; }));
}

TEST_F(Salute, PlaysThirtyFramesInOrderOverTheClickedSpot) {
    WriteGraphicsPackage(folder_.path(), {3000, 100});
    std::vector<int> shown;
    bool nestedPlayed = true;
    const QPoint centre(300, 200);
    const bool played = PlaySalute(packages_, centre, [&](int frame, QWidget& overlay) {
        shown.push_back(frame);
        EXPECT_TRUE(overlay.isVisible());
        EXPECT_EQ(overlay.geometry(), SaluteArea(centre));
        const QImage picture = overlay.grab().toImage();
        EXPECT_EQ(picture.pixelColor(50, 50), ColumnColour(frame)) << "frame " << frame;
        EXPECT_EQ(picture.pixelColor(0, 99), ColumnColour(frame)) << "frame " << frame;
        EXPECT_EQ(picture.pixelColor(99, 0), ColumnColour(frame)) << "frame " << frame;
        if (frame == 5) nestedPlayed = PlaySalute(packages_, centre); // a click that lands meanwhile
    });
    EXPECT_TRUE(played);
    EXPECT_FALSE(nestedPlayed);
    std::vector<int> expected(SaluteFrames);
    for (int k = 0; k < SaluteFrames; ++k) expected[k] = k + 1;
    EXPECT_EQ(shown, expected);
    // The window is gone, and the next salute plays again.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->windowType() == Qt::ToolTip);
    EXPECT_TRUE(PlaySalute(packages_, centre));
}

} // namespace
} // namespace tarvo
