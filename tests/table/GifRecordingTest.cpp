// Game recordings without a window: the frames, delays and rectangles of the file as two decoders
// read them, the frame limit, the names, and what a failed write leaves behind.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <csignal>
#include <sys/resource.h>

#include "../support/DecodedGif.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "table/GifRecorder.h"
#include "table/GifWriter.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

// A table-like picture of few colours: cloth, and a "card" at (x, y) with a number on it.
QImage Scene(int x, int y, int number = 0, QSize size = {160, 100}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x1f, 0x6b, 0x3a));
    QPainter p(&image);
    p.fillRect(x, y, 24, 34, Qt::white);
    p.fillRect(x + 4, y + 4, 4 + number, 6, QColor(0xc0, 0x18, 0x2b));
    return image;
}

QString Str(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The file size limit of this process, lowered for one test: writes past it fail as on a full
// disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

// Every delay the options allow ends up in the file; the last frame stands for five seconds.
TEST(GifWriter, ChangedFramesOnlyWithTheirDelaysAndExactPictures) {
    for (int delay : {10, 1000, 5000}) {
        SCOPED_TRACE(delay);
        test::TempFolder folder("gif-writer");
        const QString path = Str(folder / "game.gif");
        const std::vector<QImage> pictures = {Scene(10, 10), Scene(10, 10), Scene(60, 40), Scene(60, 40, 3),
                                              Scene(60, 40, 3)};
        GifWriter writer;
        ASSERT_TRUE(writer.Open(path));
        int added = 0;
        for (const QImage& picture : pictures) added += writer.Add(picture, delay) == GifWriter::Added::Frame;
        EXPECT_EQ(added, 3);
        ASSERT_TRUE(writer.Close(5000)) << writer.Error().toStdString();

        const std::vector<QImage> expected = {pictures[0], pictures[2], pictures[3]};
        test::DecodedGif gif = test::DecodeWithGiflib(path);
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.screen, QSize(160, 100));
        ASSERT_EQ(gif.frames.size(), 3u);
        EXPECT_EQ(gif.delays, (std::vector<int>{delay / 10, delay / 10, 500}));
        // After the first frame only the changed rectangle is stored: the moved card, then its number.
        EXPECT_EQ(gif.rects[0], QRect(0, 0, 160, 100));
        EXPECT_EQ(gif.rects[1], QRect(10, 10, 74, 64));
        EXPECT_EQ(gif.rects[2], QRect(68, 44, 3, 6));
        test::DecodedGif qt = test::DecodeWithQt(path);
        ASSERT_TRUE(qt.ok);
        ASSERT_EQ(qt.frames.size(), 3u);
        if (delay >= 20) { // Qt shows shorter ones for 100 ms
            EXPECT_EQ(qt.delays.front(), delay);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(gif.frames[i], expected[i].convertToFormat(QImage::Format_RGB32)) << i;
            EXPECT_EQ(qt.frames[i], expected[i].convertToFormat(QImage::Format_RGB32)) << i;
        }
    }
}

// A picture of many colours keeps its look with 256 of them, and so does a frame over it.
TEST(GifWriter, ManyColoursAreReducedCloseToThePicture) {
    QImage first(760, 500, QImage::Format_RGB32);
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) first.setPixel(x, y, qRgb(x * 255 / 759, y * 255 / 499, 90));
    QImage second = first;
    QPainter(&second).fillRect(300, 200, 71, 96, QColor(250, 250, 240));
    test::TempFolder folder("gif-colours");
    const QString path = Str(folder / "colours.gif");
    GifWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_EQ(writer.Add(first, 100), GifWriter::Added::Frame);
    ASSERT_EQ(writer.Add(second, 100), GifWriter::Added::Frame);
    ASSERT_TRUE(writer.Close(5000));
    test::DecodedGif gif = test::DecodeWithGiflib(path);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_LT(test::MeanDifference(gif.frames[0], first), 5.0);
    EXPECT_LT(test::MeanDifference(gif.frames[1], second), 5.0);
    EXPECT_EQ(gif.frames[1].pixel(330, 250), qRgb(250, 250, 240));
}

TEST(GifWriter, AFullDiskFailsTheFile) {
    test::TempFolder folder("gif-full");
    GifWriter writer;
    ASSERT_TRUE(writer.Open(Str(folder / "full.gif")));
    bool failed = false;
    {
        FileSizeLimit limit(4096);
        QImage noise(200, 200, QImage::Format_RGB32);
        for (int n = 0; n < 40 && !failed; ++n) {
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 200; ++x)
                    noise.setPixel(x, y, qRgb((x * 7 + n * 13) % 256, (y * 5) % 256, n * 6));
            failed = writer.Add(noise, 100) == GifWriter::Added::Failed;
        }
        failed = failed || !writer.Close(5000);
    }
    EXPECT_TRUE(failed);
    EXPECT_FALSE(writer.Error().isEmpty());
}

class GifRecorderTest : public ::testing::Test {
  protected:
    void SetUp() override { test::TestApplication(); }

    // Records the given pictures, one capture each, and waits for the file.
    void Record(const std::vector<QImage>& pictures, const QDateTime& at) {
        GifRecordingPlan plan;
        plan.folder = Str(folder_ / "GIFGame");
        plan.delayMs = 100;
        plan.queueLimit = pictures.size(); // every picture reaches the worker
        recorder_.StartRecording(plan);
        for (const QImage& picture : pictures) {
            current_ = picture;
            recorder_.CaptureFrame();
        }
        recorder_.FinishRecording(at);
        QElapsedTimer waited;
        waited.start();
        const std::size_t before = reports_.size();
        while (reports_.size() == before && waited.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    test::TempFolder folder_{"gif-recorder"};
    QImage current_;
    int captures_ = 0;
    GifRecorder recorder_{[this] {
        ++captures_;
        return current_;
    }};
    std::vector<std::pair<QString, QString>> reports_;
    QMetaObject::Connection connection_ =
        QObject::connect(&recorder_, &GifRecorder::fileFinished, [this](const GifRecordingOutcome& outcome) {
            reports_.emplace_back(outcome.path, outcome.error);
        });
};

// More changes than the limit: the file ends with the 250th frame; a second recording of the
// same second keeps the first one.
TEST_F(GifRecorderTest, TheFileEndsAtTheFrameLimitUnderTheMomentsName) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 300; ++i) pictures.push_back(Scene(i % 130, 10, i % 7));
    const QDateTime at(QDate(2024, 5, 1), QTime(13, 45, 10));
    Record(pictures, at);
    ASSERT_EQ(reports_.size(), 1u);
    const fs::path gifFolder = folder_ / "GIFGame";
    EXPECT_EQ(reports_[0], std::make_pair(Str(gifFolder / "2024.05.01-13.45.10.gif"), QString()));
    test::DecodedGif gif = test::DecodeWithGiflib(reports_[0].first);
    ASSERT_EQ(gif.frames.size(), 250u);
    EXPECT_EQ(gif.frames.front(), pictures.front());
    EXPECT_EQ(gif.frames.back(), pictures[249]);
    EXPECT_EQ(gif.delays.front(), 10);
    EXPECT_EQ(gif.delays.back(), 500);

    Record({Scene(1, 1)}, at);
    ASSERT_EQ(reports_.size(), 2u);
    EXPECT_EQ(reports_[1].first, Str(gifFolder / "2024.05.01-13.45.10-2.gif"));
    EXPECT_EQ(FilesIn(gifFolder),
              (std::vector<std::string>{"2024.05.01-13.45.10-2.gif", "2024.05.01-13.45.10.gif"}));
}

// A folder that cannot be made: one report, no file, and no more pictures taken for nothing.
TEST_F(GifRecorderTest, AnUnwritableFolderLeavesNoFileAndIsToldOnce) {
    test::WriteBytes(folder_ / "GIFGame", "not a folder");
    GifRecordingPlan plan;
    plan.folder = Str(folder_ / "GIFGame" / "inside");
    recorder_.StartRecording(plan);
    QElapsedTimer waited;
    waited.start();
    current_ = Scene(0, 0);
    // The worker finds out at once; the window stops capturing when it has.
    while (waited.elapsed() < 60000) {
        const int before = captures_;
        recorder_.CaptureFrame();
        if (captures_ == before) break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const int captures = captures_;
    recorder_.CaptureFrame();
    EXPECT_EQ(captures_, captures);
    recorder_.FinishRecording();
    recorder_.WaitForFiles();
    QCoreApplication::processEvents();
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_TRUE(reports_[0].first.isEmpty());
    EXPECT_FALSE(reports_[0].second.isEmpty());
    EXPECT_EQ(FilesIn(folder_.path()), std::vector<std::string>{"GIFGame"});
}

// A write that fails half way leaves neither the recording nor its temporary file.
TEST_F(GifRecorderTest, AFullDiskLeavesNoHalfFile) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 60; ++i) {
        QImage noise(200, 150, QImage::Format_RGB32);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                noise.setPixel(x, y, qRgb((x * 7 + i * 13) % 256, (y * 5 + i) % 256, i * 4));
        pictures.push_back(noise);
    }
    {
        FileSizeLimit limit(8192);
        Record(pictures, QDateTime::currentDateTime());
    }
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_TRUE(reports_[0].first.isEmpty());
    EXPECT_FALSE(reports_[0].second.isEmpty());
    EXPECT_TRUE(FilesIn(folder_ / "GIFGame").empty());
}

} // namespace
