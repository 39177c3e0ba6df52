// The records windows on the offscreen platform: the local top ten, the history browser, the end
// of a cycle and the general score, each over files written through the records library.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "../support/TestApplication.h"
#include "media/Sound.h"
#include "records/Club.h"
#include "records/History.h"
#include "records/Series.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/CycleEndWindow.h"
#include "table/GeneralScoreWindow.h"
#include "table/GifAnimation.h"
#include "table/HistoryWindow.h"
#include "table/TopTenWindow.h"

namespace tarvo {
namespace {

class RecordsWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        ASSERT_TRUE(dir_.isValid());
        folder_ = std::filesystem::path(dir_.path().toStdString());
    }
    std::filesystem::path folder_;

  private:
    QTemporaryDir dir_;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A sealed records file whose top ten has `name` at place 1 and `score` (a 6-character field).
void WriteRecords(const std::filesystem::path& path, const std::string& name, const std::string& score) {
    RecordsText text = FreshRecords();
    EXPECT_EQ(InsertTopTen(text, NameField(name), score), 1);
    SealRecords(text);
    WriteFile(path, JoinRecords(text));
}

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class WaveRecorder : public WaveOutput {
  public:
    void Start(const QByteArray& wave, const WaveInfo&) override { started.push_back(wave); }
    void Stop() override {}
    std::vector<QByteArray> started;
};

// --- the local top ten ------------------------------------------------------------------------

TEST_F(RecordsWindows, TopTenFollowsTheKindOfRecordsAndKeepsTheHeadingInEnglish) {
    WriteRecords(folder_ / "Tarvo3.clb", "Local Hero", "  9990");
    WriteRecords(folder_ / "Tarvo3.net", "Net Hero", "  9980");
    const struct {
        bool net;
        int language;
        const char* heading;
        const char* title;
        const char* club;
        const char* first;
    } cases[] = {
        {false, 0, "WINDOWS. LOCAL GAMES WITH PC", "Top Ten", "GClubF", "Local Hero"},
        {true, 0, "WINDOWS. NET GAMES", "Top Ten", "GClubG", "Net Hero"},
        {true, 1, "WINDOWS. NET GAMES", "Чемпионы", "GClubG", "Net Hero"},
        {false, 1, "WINDOWS. LOCAL GAMES WITH PC", "Чемпионы", "GClubF", "Local Hero"},
    };
    for (const auto& c : cases) {
        RecordsWindowOptions options;
        options.language = c.language;
        TFormTopTen form(TopTenRecordsFile(folder_, c.net), c.net, options);
        form.show();
        SCOPED_TRACE(std::string(c.heading) + " language " + std::to_string(c.language));
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(form.size(), QSize(460, 700));
        const auto& texts = form.Texts();
        ASSERT_EQ(texts.size(), 3u + 30u);
        EXPECT_EQ(texts[0].text, QString::fromUtf8(c.heading));
        EXPECT_TRUE(texts[0].bold);
        EXPECT_EQ(texts[0].y, 85);
        EXPECT_EQ(texts[1].text, QString::fromUtf8(c.title)); // the first column header is the title
        EXPECT_EQ(texts[1].y, 120);
        EXPECT_EQ(texts[4].text.trimmed(), QString::fromUtf8(c.first));
        EXPECT_EQ(form.RxGIFAn2->Name(), QString::fromUtf8(c.club));
        EXPECT_GT(form.RxGIFAn2->FrameCount(), 1) << "the club badge is a built-in animation";
        EXPECT_EQ(form.RxGIFAn1->Name(), QStringLiteral("GTopTen"));
        EXPECT_GT(form.RxGIFAn1->FrameCount(), 1);
    }
}

TEST_F(RecordsWindows, TopTenRowsKeepTheirBlanksAndScoresEndAt380) {
    RecordsText text = FreshRecords();
    text[TopTenFirstLine] = NameField("Bartholomew Longname") + "123456";
    text[TopTenFirstLine + 9] = NameField("Ann") + "    20";
    SealRecords(text);
    WriteFile(folder_ / "Tarvo3.clb", JoinRecords(text));
    const auto entries = ReadTopTen(folder_ / "Tarvo3.clb");
    ASSERT_TRUE(entries);

    TFormTopTen form(folder_ / "Tarvo3.clb", false, {});
    form.show();
    const QFont font = form.PictureFont();
    const QFontMetrics metrics(font);
    const auto& texts = form.Texts();
    ASSERT_EQ(texts.size(), 33u);
    // The column headers are centred between their marks.
    for (const auto& [index, left, right] : {std::tuple{1, 70, 230}, std::tuple{2, 250, 400}})
        EXPECT_EQ(texts[index].x, left + (right - left - metrics.horizontalAdvance(texts[index].text)) / 2);
    for (int place = 1; place <= 10; ++place) {
        SCOPED_TRACE("place " + std::to_string(place));
        const TopTenText& number = texts[static_cast<std::size_t>(3 + 3 * (place - 1))];
        const TopTenText& name = texts[static_cast<std::size_t>(4 + 3 * (place - 1))];
        const TopTenText& score = texts[static_cast<std::size_t>(5 + 3 * (place - 1))];
        const int y = 150 + 33 * (place - 1);
        EXPECT_EQ(number.text, QString::number(place) + ".");
        EXPECT_EQ(number.x, 70);
        EXPECT_EQ(name.x, 95);
        EXPECT_EQ(number.y, y);
        EXPECT_EQ(score.y, y);
        EXPECT_EQ(name.text.size(), 20) << "the name keeps its trailing blanks";
        EXPECT_EQ(score.text.size(), 6) << "the score keeps its leading blanks";
        EXPECT_EQ(score.x + metrics.horizontalAdvance(score.text), 380);
        const QColor ink = place <= 3 ? QColor(0xFF, 0, 0) : QColor(0, 0, 0x80);
        EXPECT_EQ(name.colour, ink);
        EXPECT_EQ(score.colour, ink);
    }
    // Our two entries as the file holds them, blanks and all.
    EXPECT_EQ(texts[4].text, QStringLiteral("Bartholomew Longname"));
    EXPECT_EQ(texts[5].text, QStringLiteral("123456"));
    EXPECT_EQ(texts[31].text, QStringLiteral("Ann                 "));
    EXPECT_EQ(texts[32].text, QStringLiteral("    20"));

    // On the picture a short score ends at the same place as the long one: the red of row 1 and the
    // navy of the last row both stop at x = 380.
    const QImage picture = form.Picture().convertToFormat(QImage::Format_RGB32);
    auto rightmostInk = [&](int top, const QColor& colour) {
        int right = -1;
        for (int y = top; y < top + 30; ++y)
            for (int x = 300; x < 450; ++x) {
                const QColor c = picture.pixelColor(x, y);
                const bool reddish = c.red() > 150 && c.green() < 120 && c.blue() < 120;
                const bool navy = c.blue() > 70 && c.red() < 80 && c.green() < 80;
                if ((colour.red() == 0xFF ? reddish : navy) && x > right) right = x;
            }
        return right;
    };
    const int firstRight = rightmostInk(150, QColor(0xFF, 0, 0));
    const int lastRight = rightmostInk(150 + 33 * 9, QColor(0, 0, 0x80));
    EXPECT_GE(firstRight, 374);
    EXPECT_LE(firstRight, 381);
    EXPECT_GE(lastRight, 374);
    EXPECT_LE(lastRight, 381);
}

TEST_F(RecordsWindows, TopTenOverAMissingOrDamagedFileShowsOnlyTheHeadings) {
    WriteFile(folder_ / "Tarvo3.net", "not a records file\r\n");
    for (const bool net : {false, true}) {
        TFormTopTen form(TopTenRecordsFile(folder_, net), net, {});
        form.show();
        EXPECT_EQ(form.Texts().size(), 3u) << (net ? "damaged" : "missing");
    }
}

TEST_F(RecordsWindows, TopTenAnimatesOnlyWhenAskedAndEscOrOkClose) {
    WriteRecords(folder_ / "Tarvo3.clb", "Ann", "  9990");
    for (const bool animate : {true, false}) {
        RecordsWindowOptions options;
        options.gifAnimation = animate;
        TFormTopTen form(folder_ / "Tarvo3.clb", false, options);
        form.show();
        EXPECT_EQ(form.RxGIFAn1->Running(), animate);
        EXPECT_EQ(form.RxGIFAn2->Running(), animate);
        if (!animate) {
            EXPECT_EQ(form.RxGIFAn1->CurrentFrame(), 0);
        }
    }
    // The program's own cursors when the player chose them: an animated hand over the button.
    RecordsWindowOptions own;
    own.ownCursor = true;
    TFormTopTen ownCursors(folder_ / "Tarvo3.clb", false, own);
    EXPECT_EQ(ownCursors.Button1->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(ownCursors.cursor().shape(), Qt::ArrowCursor) << "the arrow stays the system's";

    // Esc: the cup animation is cleared and the window closes, without the salute.
    int salutes = 0;
    RecordsWindowOptions options;
    options.salute = [&](QWidget*) { ++salutes; };
    {
        TFormTopTen form(folder_ / "Tarvo3.clb", false, options);
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.RxGIFAn1->FrameCount(), 0);
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_EQ(salutes, 0);
    }
    {
        TFormTopTen form(folder_ / "Tarvo3.clb", false, options);
        form.show();
        EXPECT_EQ(form.Button1->geometry(), QRect(310, 647, 120, 45));
        EXPECT_EQ(form.Button1->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.RxGIFAn1->FrameCount(), 0);
        EXPECT_EQ(salutes, 1);
    }
}

// The main menu's two buttons: "WOpenFo" first, then the window, modal, freed when it closes.
TEST_F(RecordsWindows, MenuButtonsPlayTheOpeningSoundAndFreeTheirWindows) {
    WriteRecords(folder_ / "Tarvo3.net", "Net Hero", "  9980");
    WaveRecorder recorder;
    SoundPlayer player(recorder);
    RecordsWindowOptions options;
    options.sound = &player;
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"top ten", [&] { ShowTopTen(folder_, true, options); }},
        {"history", [&] { ShowHistory(folder_, options); }},
    };
    for (const auto& [name, open] : openers) {
        recorder.started.clear();
        QPointer<QWidget> seen;
        std::size_t soundsBeforeWindow = 0;
        QTimer::singleShot(0, [&] {
            seen = QApplication::activeModalWidget();
            soundsBeforeWindow = recorder.started.size();
            if (seen) QTest::keyClick(seen, Qt::Key_Escape);
        });
        // A window that ignores Esc fails the test instead of hanging it.
        QTimer::singleShot(3000, [] {
            if (QWidget* stuck = QApplication::activeModalWidget()) stuck->close();
        });
        open();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SCOPED_TRACE(name);
        EXPECT_EQ(soundsBeforeWindow, 1u);
        ASSERT_EQ(recorder.started.size(), 1u);
        EXPECT_EQ(recorder.started[0], ResourceWave("WOpenFo").value_or(QByteArray()));
        EXPECT_TRUE(seen.isNull()) << "the window was not freed";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// --- the history browser ----------------------------------------------------------------------

HisStr Record(const std::string& name, PlayKind kind, int games = 3) {
    HisStr r;
    r.HName = name;
    r.HKon = games;
    r.HRes = -40;
    r.HRei = 12.5;
    r.Ac = kind;
    return r;
}

// A history file of these records, with its end line and totals.
std::string HistoryBytes(const std::vector<HisStr>& records) {
    std::vector<std::string> lines;
    for (const HisStr& r : records) lines.push_back(HistoryRecordLine(r, "9:05", "17.05.2024"));
    lines.push_back(HistoryEndLine());
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes + HistoryTotalsLine(lines) + "\r\n";
}

TEST_F(RecordsWindows, HistoryListsFilesUpToTheFirstInvalidOneAndShowsTheLastFirst) {
    for (int n = 1; n <= 3; ++n)
        WriteFile(HistoryFilePath(folder_, n),
                  HistoryBytes({Record("Player " + std::to_string(n), PlayKind::Local)}));
    {
        TFormHistory form(folder_, {});
        EXPECT_EQ(form.windowTitle(), QStringLiteral("History of games"));
        ASSERT_EQ(form.ListBox1->count(), 3);
        EXPECT_EQ(form.ListBox1->currentRow(), 2);
        EXPECT_EQ(form.ChosenFile(), 3);
        EXPECT_TRUE(form.ListBox1->item(0)->text().startsWith(QStringLiteral("File I0001 ")));
        ASSERT_EQ(form.Table1->rowCount(), 1);
        EXPECT_EQ(form.Table1->item(0, 2)->text(), QStringLiteral("Player 3"));
        form.ChooseFile(0);
        EXPECT_EQ(form.ChosenFile(), 1);
        EXPECT_EQ(form.Table1->item(0, 2)->text(), QStringLiteral("Player 1"));
    }
    // A hand-edited totals line in file 2 hides it and every file after it.
    std::string bytes = HistoryBytes({Record("Player 2", PlayKind::Local)});
    bytes[bytes.size() - 3] = bytes[bytes.size() - 3] == '9' ? '8' : '9';
    WriteFile(HistoryFilePath(folder_, 2), bytes);
    TFormHistory form(folder_, {});
    ASSERT_EQ(form.ListBox1->count(), 1);
    EXPECT_EQ(form.ChosenFile(), 1);
    EXPECT_EQ(form.Table1->item(0, 2)->text(), QStringLiteral("Player 1"));
}

TEST_F(RecordsWindows, HistoryWithoutFilesOffersOneDisabledLine) {
    for (const int language : {0, 1}) {
        RecordsWindowOptions options;
        options.language = language;
        TFormHistory form(folder_, options);
        ASSERT_EQ(form.ListBox1->count(), 1);
        EXPECT_EQ(form.ListBox1->item(0)->text(), Q(Text(txt::NoHistoryFiles, 0, language)));
        EXPECT_FALSE(form.ListBox1->item(0)->flags().testFlag(Qt::ItemIsEnabled));
        EXPECT_FALSE(form.ListBox1->item(0)->flags().testFlag(Qt::ItemIsSelectable));
        EXPECT_EQ(form.Table1->rowCount(), 0);
        EXPECT_EQ(form.ChosenFile(), 0);
    }
}

TEST_F(RecordsWindows, HistoryRowsCarryTheirKindWordColourAndFields) {
    WriteFile(HistoryFilePath(folder_, 1),
              HistoryBytes({Record("Ann", PlayKind::Local), Record("Bob/Cid", PlayKind::Network),
                            Record("Dan", PlayKind::Account), Record("Eve", PlayKind::Tournament)}));
    for (const int language : {0, 1}) {
        RecordsWindowOptions options;
        options.language = language;
        TFormHistory form(folder_, options);
        const QColor normal = form.Table1->palette().color(QPalette::Text);
        const struct {
            const char* word;
            QColor colour;
        } kinds[4] = {{"Local", normal},
                      {"Net", QColor(0, 0x80, 0)},
                      {"Account", QColor(0xFF, 0, 0)},
                      {"Tourney", QColor(0, 0, 0xFF)}};
        ASSERT_EQ(form.Table1->rowCount(), 4);
        ASSERT_EQ(form.Table1->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(form.Table1->columnWidth(c), HistoryColumnWidths[c]);
            EXPECT_EQ(form.Table1->horizontalHeaderItem(c)->text(),
                      Q(Text(txt::HistoryColumns, c, language)));
        }
        for (int r = 0; r < 4; ++r) {
            SCOPED_TRACE(kinds[r].word);
            EXPECT_EQ(form.Table1->item(r, 6)->text(), QString::fromLatin1(kinds[r].word))
                << "never translated";
            for (int c = 0; c < 7; ++c)
                EXPECT_EQ(form.Table1->item(r, c)->foreground().color(), kinds[r].colour);
        }
        // The fields of the record line: " 9:05", the date, the name, "  3", "       -40", "     12,50".
        const QString row0[6] = {"9:05", "17.05.2024", "Ann", "3", "-40", "12,50"};
        for (int c = 0; c < 6; ++c) EXPECT_EQ(form.Table1->item(0, c)->text(), row0[c]);
        EXPECT_EQ(form.Table1->item(1, 2)->text(), QStringLiteral("Bob/Cid"));
        EXPECT_EQ(form.Table1->selectionMode(), QAbstractItemView::SingleSelection);
    }
    // A single record is not highlighted.
    WriteFile(HistoryFilePath(folder_, 1), HistoryBytes({Record("Ann", PlayKind::Local)}));
    TFormHistory form(folder_, {});
    EXPECT_EQ(form.Table1->selectionMode(), QAbstractItemView::NoSelection);
}

// --- the end of a cycle -----------------------------------------------------------------------

TEST_F(RecordsWindows, CycleEndPicksLinesSoundAndPictureByPlace) {
    const struct {
        int place;
        PlayKind kind;
        bool signedIn;
        int language;
        std::vector<const char*> lines;
        const char* sound;
        const char* animation;
        bool loop;
    } cases[] = {
        {1,
         PlayKind::Local,
         false,
         0,
         {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 250",
          "You become a Master of the Order!"},
         "WFiBest",
         "GEndBest",
         true},
        {1,
         PlayKind::Network,
         false,
         0,
         {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 250",
          "You become a Bachelor of the Order!"},
         "WFiBest",
         "GEndBest",
         true},
        {1,
         PlayKind::Local,
         true,
         0,
         {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 250"},
         "WFiBest",
         "GEndBest",
         true},
        {2,
         PlayKind::Local,
         false,
         0,
         {"CONGRATULATIONS!!!", "Good result!", "Result: 250", "You have hitted in top ten players!"},
         "WFiGood",
         "GEndGood",
         true},
        {10,
         PlayKind::Local,
         false,
         1,
         {"ПОЗДРАВЛЯЕМ!!!", "Хороший результат!", "Результат: 250", "Вы попали в десятку лучших игроков!"},
         "WFiGood",
         "GEndGood",
         true},
        {0,
         PlayKind::Local,
         false,
         0,
         {"Our regrets...", "Your result keeps to wish best", "Result: 250",
          "You have not hitted in ten best players..."},
         "WFiBads",
         "GEndBads",
         false},
    };
    WaveRecorder recorder;
    SoundPlayer player(recorder);
    for (const auto& c : cases) {
        SCOPED_TRACE("place " + std::to_string(c.place) + " language " + std::to_string(c.language));
        const EndOfCycle end = EndOfCycleFor(c.place, "   250", c.kind, c.signedIn);
        RecordsWindowOptions options;
        options.language = c.language;
        options.sound = &player;
        recorder.started.clear();
        TFormCycleEnd form(end, options);
        form.show();
        EXPECT_EQ(form.windowTitle(), Q(Text(txt::GameCompletion, 0, c.language)));
        ASSERT_EQ(form.Lines.size(), static_cast<qsizetype>(c.lines.size()));
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(form.Lines[static_cast<qsizetype>(i)]->text(), QString::fromUtf8(c.lines[i]));
        ASSERT_EQ(recorder.started.size(), 1u);
        EXPECT_EQ(recorder.started[0], ResourceWave(c.sound).value_or(QByteArray()));
        EXPECT_EQ(form.RxGIFAn1->Name(), QString::fromUtf8(c.animation));
        EXPECT_GT(form.RxGIFAn1->FrameCount(), 1);
        EXPECT_EQ(form.RxGIFAn1->Loop(), c.loop);
        EXPECT_EQ(form.Medal->isVisible(), c.place != 0);
        EXPECT_EQ(CycleEndMedal(end).isNull(), c.place == 0);
        form.hide();
        form.show();
        EXPECT_EQ(recorder.started.size(), 1u) << "the sound plays once";
    }
    // With sound off nothing plays.
    recorder.started.clear();
    RecordsWindowOptions quiet;
    quiet.soundOn = false;
    quiet.sound = &player;
    TFormCycleEnd form(EndOfCycleFor(3, "   100", PlayKind::Local, false), quiet);
    form.show();
    EXPECT_TRUE(recorder.started.empty());
}

TEST_F(RecordsWindows, CycleEndMedalsDifferByPlace) {
    const QImage third = CycleEndMedal(EndOfCycleFor(3, "   100", PlayKind::Local, false));
    const QImage tenth = CycleEndMedal(EndOfCycleFor(10, "   100", PlayKind::Local, false));
    ASSERT_FALSE(third.isNull());
    ASSERT_FALSE(tenth.isNull());
    EXPECT_EQ(third.size(), QSize(100, 120));
    EXPECT_NE(third, tenth) << "the place picture is drawn on the medal";
}

TEST(GifAnimation, OneShotStopsOnItsLastFrameAndALoopStartsOver) {
    test::TestApplication();
    GifFrames frames;
    for (int k = 0; k < 3; ++k) {
        QImage frame(4, 4, QImage::Format_ARGB32_Premultiplied);
        frame.fill(QColor(k * 100, 0, 0));
        frames.frames.push_back(frame);
        frames.delays.push_back(50);
    }
    TGifAnimation once;
    once.Load(QStringLiteral("Test"), frames);
    once.SetLoop(false);
    once.Start();
    EXPECT_TRUE(once.Running());
    once.Step();
    once.Step();
    EXPECT_EQ(once.CurrentFrame(), 2);
    EXPECT_FALSE(once.Running());
    once.Step();
    EXPECT_EQ(once.CurrentFrame(), 2);

    TGifAnimation looped;
    looped.Load(QStringLiteral("Test"), frames);
    looped.Start();
    for (int k = 0; k < 3; ++k) looped.Step();
    EXPECT_EQ(looped.CurrentFrame(), 0);
    EXPECT_TRUE(looped.Running());

    TGifAnimation missing;
    missing.Load(QStringLiteral("NoSuchPicture"));
    missing.Start();
    EXPECT_EQ(missing.FrameCount(), 0);
    EXPECT_FALSE(missing.Running());
}

// --- the general score ------------------------------------------------------------------------

TEST_F(RecordsWindows, GeneralScoreShowsTheCountAndTheThreeSeats) {
    GameState g;
    g.KonNumber = 60;
    g.SeatScore[1] = 30;
    g.SeatScore[2] = -50;
    g.SeatScore[3] = 20;
    SeriesValues values = NewPlayerSeries("Alice", "abc");
    values.G0 = 55;
    values.R0 = 2.0;
    values.P0 = 60;
    const struct {
        TCount count;
        std::vector<const char*> values;
    } cases[] = {
        {MakeCount(values, g), {"60", "30", "60", "20", "80", "2,00", "2,17"}},
        {TournamentCount(60, 150, 20, 4.25), {"60", "-", "150", "20", "170", "4,25", "?"}},
    };
    for (const auto& c : cases) {
        for (const int language : {0, 1}) {
            RecordsWindowOptions options;
            options.language = language;
            TFormCount form(c.count, g.SeatScore, QStringLiteral("Alice"), options);
            EXPECT_EQ(form.windowTitle(), Q(Text(txt::Player, 0, language)) + QStringLiteral(":  Alice"));
            EXPECT_EQ(form.Heading->text(), Q(Text(txt::GameInformation, 0, language)));
            EXPECT_EQ(form.Labels[0]->text(), Q(Text(txt::GeneralGameNumber, 0, language)));
            EXPECT_EQ(form.Labels[6]->text(), Q(Text(txt::CurrentRating, 0, language)));
            for (std::size_t i = 0; i < 7; ++i)
                EXPECT_EQ(form.Values[i]->text(), QString::fromUtf8(c.values[i])) << "value " << i;
            EXPECT_EQ(form.SeatTexts[0], QStringLiteral("30"));
            EXPECT_EQ(form.SeatTexts[1], QStringLiteral("-50"));
            EXPECT_EQ(form.SeatTexts[2], QStringLiteral("20"));
        }
    }
}

} // namespace
} // namespace tarvo
