// Recording the whole window as the screen shows it, on a real X display with a window manager
// (the test runs under xvfb-run and starts twm): the recording has the window's outer size, its
// title bar included, and a window lying over it shows in it. The client area alone has neither.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QWindow>
#include <QTemporaryDir>
#include <functional>

#include "../support/DecodedGif.h"
#include "../support/TestApplication.h"
#include "table/GameRecording.h"
#include "table/TableScreen.h"

using namespace tarvo;

namespace {

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 60000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QRect Outer(const QWidget& w) { return w.windowHandle()->frameGeometry(); }

bool Framed(const QWidget& w) {
    return w.isVisible() && Outer(w).height() > w.geometry().height();
}

class ScreenRecording : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
        ASSERT_TRUE(folder_.isValid());
        // Windows are placed where the program asks, without a click, and the titles use the
        // one font every X server has built in.
        QFile rc(folder_.filePath("twmrc"));
        ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
        rc.write("RandomPlacement\nUsePPosition \"on\"\nNoGrabServer\n");
        for (const char* font : {"TitleFont", "ResizeFont", "MenuFont", "IconFont", "IconManagerFont"})
            rc.write(QByteArray(font) + " \"fixed\"\n");
        rc.close();
        wm_.setStandardOutputFile(QProcess::nullDevice());
        wm_.setStandardErrorFile(QProcess::nullDevice());
        wm_.start(QStringLiteral("twm"), {QStringLiteral("-f"), rc.fileName()});
        ASSERT_TRUE(wm_.waitForStarted()) << "twm is missing: scripts/install-deps installs it";
    }
    void TearDown() override {
        wm_.kill();
        wm_.waitForFinished();
    }

    QTemporaryDir folder_;
    QProcess wm_;
};

TEST_F(ScreenRecording, TheWholeWindowWithItsFrameAndWhatLiesOverIt) {
    ImageStore store; // no pictures: the table is plain cloth colour
    QMainWindow window;
    WindowResources resources;
    auto* table = new TableScreen(store, resources);
    window.setCentralWidget(table);
    table->ApplyWindowSize();
    window.move(100, 100);
    window.show();
    ASSERT_TRUE(WaitFor([&] { return Framed(window); }))
        << "the window manager put no frame round the window";
    QWidget cover;
    cover.setStyleSheet(QStringLiteral("background: #ff0000"));
    cover.setAutoFillBackground(true);
    cover.setFixedSize(120, 90);
    cover.move(window.geometry().topLeft() + QPoint(200, 150));
    cover.show();
    ASSERT_TRUE(WaitFor([&] { return Framed(cover); }));

    GameRecording recording(&window, table, store, resources.fonts);
    GifRecordingOutcome outcome;
    QObject::connect(&recording, &GameRecording::finished,
                     [&](const GifRecordingOutcome& o) { outcome = o; });
    for (int area : {1, 2}) {
        SCOPED_TRACE(area);
        Settings settings;
        settings.SaveGif = true;
        settings.WindowSize = 1;
        settings.GifArea = area;
        settings.GifDelay = 100;
        outcome = {};
        recording.StartRecording(settings, folder_.filePath(QString::number(area)), QStringLiteral("..."));
        recording.CaptureFrame();
        recording.FinishRecording();
        ASSERT_TRUE(WaitFor([&] { return !outcome.path.isEmpty() || !outcome.error.isEmpty(); }));
        ASSERT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        test::DecodedGif gif = test::DecodeWithGiflib(outcome.path);
        ASSERT_TRUE(gif.ok);
        const QImage& picture = gif.frames.back();
        // Where the red window lies over the client area, in the recording's own pixels.
        QPoint red = cover.geometry().center() - window.geometry().topLeft();
        if (area == 1) {
            EXPECT_EQ(gif.screen, QSize(760, 500));
            EXPECT_NE(picture.pixel(red), qRgb(255, 0, 0));
        } else {
            EXPECT_EQ(gif.screen, Outer(window).size());
            red += window.geometry().topLeft() - Outer(window).topLeft();
            EXPECT_EQ(picture.pixel(red), qRgb(255, 0, 0));
            // The title bar above the client area is the window manager's, not the cloth.
            const QImage client = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int titleRows = window.geometry().top() - Outer(window).top();
            EXPECT_NE(picture.copy(0, 0, picture.width(), titleRows),
                      client.copy(0, 0, picture.width(), titleRows));
        }
    }
}

} // namespace
