#include <QBuffer>
#include <gtest/gtest.h>

#include "table/CardDrawing.h"
#include "table/Resize.h"
#include "tests/table/TestPackages.h"

using namespace tarvo;
using namespace tarvo::testing;

namespace {

QImage White(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

class DrawingTest : public ::testing::Test {
  protected:
    class Quiet : public PictureMessages {
        void CantFindFile(const QString&) override {}
        void BadPicture(const QString&, const QString&) override {}
    };
    void Load(double scale) {
        const PackageRegistry none({QStringLiteral("/nonexistent"), QString()});
        look.scale = scale;
        LoadCardFaces(none, store, look, quiet);
    }
    Quiet quiet;
    CardLook look;
    ImageStore store;
};

TEST_F(DrawingTest, SmallCardSitsInsideAFrameWithItsCornersLeftUndrawn) {
    Load(1.0);
    QImage canvas = White({100, 120});
    {
        QPainter p(&canvas);
        DrawCard(5, 7, CardFromNumber(21), store, p); // the jack of hearts
    }
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    auto at = [&](int dx, int dy) { return canvas.pixel(5 + dx, 7 + dy) | 0xFF000000u; };
    // Frame lines: top and bottom from x+2 to x+68, sides from y+2 to y+93, right side at x+70.
    for (int dx : {2, 35, 68}) {
        EXPECT_EQ(at(dx, 0), black) << dx;
        EXPECT_EQ(at(dx, 95), black) << dx;
    }
    for (int dy : {2, 50, 93}) {
        EXPECT_EQ(at(0, dy), black) << dy;
        EXPECT_EQ(at(70, dy), black) << dy;
    }
    // The three pixels of each corner stay as they were.
    for (const QPoint c :
         {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(69, 0), QPoint(70, 0), QPoint(70, 1),
          QPoint(0, 95), QPoint(1, 95), QPoint(0, 94), QPoint(69, 95), QPoint(70, 95), QPoint(70, 94)})
        EXPECT_EQ(at(c.x(), c.y()), white) << c.x() << "," << c.y();
    // The 69 x 94 face one pixel inside.
    const QImage& face = store.faces[20];
    EXPECT_EQ(at(1, 1), face.pixel(0, 0) | 0xFF000000u);
    EXPECT_EQ(at(69, 94), face.pixel(68, 93) | 0xFF000000u);
    EXPECT_EQ(at(40, 50), face.pixel(39, 49) | 0xFF000000u);

    // The turned back: a 96 x 71 frame.
    QImage turned = White({110, 90});
    {
        QPainter p(&turned);
        DrawCardBackRotated(0, 0, store, p);
    }
    EXPECT_EQ(turned.pixel(93, 0) | 0xFF000000u, black);
    EXPECT_EQ(turned.pixel(94, 0) | 0xFF000000u, white);
    EXPECT_EQ(turned.pixel(95, 68) | 0xFF000000u, black);
    EXPECT_EQ(turned.pixel(95, 69) | 0xFF000000u, white);
}

TEST_F(DrawingTest, CodesWithoutAFaceDrawNothing) {
    Load(1.0);
    for (const TStr2 code : {NoCard, FaceDown, TStr2{'N', 'o'}, TStr2{'-', '-'}, TStr2{'\0', '\0'}}) {
        QImage canvas = White({80, 100});
        {
            QPainter p(&canvas);
            DrawCard(2, 2, code, store, p);
        }
        EXPECT_EQ(canvas, White({80, 100})) << code.rank << code.suit;
    }
}

TEST_F(DrawingTest, ScaledCardFillsItsCellWithRoundedCorners) {
    Load(1.3);
    ASSERT_EQ(QSize(store.cellWidth, store.cellHeight), QSize(92, 125));
    QImage canvas(100, 130, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 128, 0));
    {
        QPainter p(&canvas);
        DrawCard(0, 0, CardFromNumber(36), store, p);
    }
    const QRgb table = qRgb(0, 128, 0);
    for (const QPoint corner : {QPoint(0, 0), QPoint(91, 0), QPoint(0, 124), QPoint(91, 124)})
        EXPECT_EQ(canvas.pixel(corner), table) << corner.x() << "," << corner.y();
    EXPECT_NE(canvas.pixel(46, 62), table);
    EXPECT_NE(canvas.pixel(46, 1), table);
    EXPECT_EQ(canvas.pixel(92, 62), table); // nothing outside the cell
    EXPECT_EQ(canvas.pixel(46, 125), table);
}

QImage Rgba2x2(QRgb a, QRgb b, QRgb c, QRgb d) {
    QImage img(2, 2, QImage::Format_ARGB32);
    img.setPixel(0, 0, a);
    img.setPixel(1, 0, b);
    img.setPixel(0, 1, c);
    img.setPixel(1, 1, d);
    return img;
}

TEST(ResizePicture, BilinearOnAHandComputedCase) {
    // Source reds 0, 90 / 30, 120; to 3 x 3 the sample points are 0, 1/3 and 2/3 of the way.
    QImage picture =
        Rgba2x2(qRgba(0, 0, 0, 255), qRgba(90, 0, 0, 0), qRgba(30, 0, 0, 255), qRgba(120, 0, 0, 0));
    ResizePicture(picture, 3, 3);
    ASSERT_EQ(picture.size(), QSize(3, 3));
    const int red[3][3] = {{0, 30, 60}, {10, 40, 70}, {20, 50, 80}};
    const int alpha[3] = {255, 170, 85}; // across: 255 to 0 by thirds, rounded
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(qRed(picture.pixel(x, y)), red[y][x]) << x << "," << y;
            EXPECT_EQ(qAlpha(picture.pixel(x, y)), alpha[x]) << x << "," << y;
        }
    // Rounding to the nearest: 1/3 of 100 is 33, 2/3 is 67.
    QImage grey = Rgba2x2(qRgb(0, 0, 0), qRgb(0, 100, 0), qRgb(0, 0, 0), qRgb(0, 100, 0))
                      .convertToFormat(QImage::Format_RGB32);
    ResizePicture(grey, 3, 2);
    EXPECT_EQ(qGreen(grey.pixel(1, 0)), 33);
    EXPECT_EQ(qGreen(grey.pixel(2, 1)), 67);
    EXPECT_FALSE(grey.hasAlphaChannel());
}

TEST(ResizePicture, PicturesOrTargetsOfOnePixelAreLeftAlone) {
    const QImage line = White({1, 7});
    for (const auto& [source, w, h] : {std::tuple{line, 5, 5},
                                       {White({7, 1}), 5, 5},
                                       {White({4, 4}), 1, 9},
                                       {White({4, 4}), 9, 1},
                                       {White({4, 4}), 0, 0}}) {
        QImage picture = source;
        ResizePicture(picture, w, h);
        EXPECT_EQ(picture, source);
    }
}

TEST(ResizePicture, RefusesPaletteAndGreyPictures) {
    QImage rgb = White({8, 8});
    rgb.setPixel(2, 2, qRgb(200, 10, 10));
    for (const QImage::Format format :
         {QImage::Format_Indexed8, QImage::Format_Grayscale8, QImage::Format_Mono}) {
        // Through a PNG file, as a package would hold it.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        rgb.convertToFormat(format).save(&buffer, "PNG");
        QImage picture = QImage::fromData(bytes, "PNG");
        ASSERT_FALSE(picture.isNull());
        try {
            ResizePicture(picture, 4, 4);
            ADD_FAILURE() << "format " << int(format) << " was accepted";
        } catch (const PictureFormatError& e) {
            EXPECT_STREQ(e.what(), "Only COLOR_RGBALPHA and COLOR_RGB formats are supported");
        }
        EXPECT_EQ(picture.size(), QSize(8, 8));
    }
}

} // namespace
