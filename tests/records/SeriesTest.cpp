#include <gtest/gtest.h>

#include "TestSupport.h"
#include "records/Format.h"
#include "records/Series.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

// The game state at the end of a series: G0 games before, kon after, S for the human.
GameState EndedSeries(int G0, int kon, int S) {
    GameState g;
    g.KonStart = G0;
    g.KonNumber = kon;
    g.SeatScore[3] = S;
    return g;
}

struct SeriesFolder {
    TempFolder folder;
    std::filesystem::path records;
    SeriesContext context;

    explicit SeriesFolder(RecordsText text = FreshRecords()) {
        SealRecords(text);
        records = folder / "Tarvo3.clb";
        WriteBytes(records, JoinRecords(text));
        context.recordsFile = records;
        context.dataFolder = folder.path();
        context.time = "12:30";
        context.date = "17.05.2024";
    }
};

RecordsText WithMember(const std::string& line) {
    RecordsText text = FreshRecords();
    InsertClubLine(text, line);
    return text;
}

} // namespace

TEST(SeriesRating, Arithmetic) {
    struct Case {
        int G0;
        double R0;
        int S;
        int kon;
        double R;
    };
    const Case cases[] = {
        {29, 2.5, 40, 30, 3.75},   {0, 0.0, 20, 1, 20.0},         {0, 0.0, 200, 1, 99.99},
        {0, 0.0, -200, 1, -99.99}, {255, 0.0, 10, 256, 0.039062}, {255, 0.0, 30, 256, 0.117188},
        {5, 28.0, -40, 8, 12.5},   {2, 1.0, 10, 3, 4.0},          {1, 0.0, 10, 3, 3.333333},
    };
    for (const Case& c : cases) EXPECT_EQ(SeriesRating(c.G0, c.R0, c.S, c.kon), c.R) << c.G0 << " " << c.S;
}

TEST(Series, StartValuesFromASlotAndForANewPlayer) {
    RecordsText text = WithMember(BuildClubLine(NameField("Bob"), 2.5, 29, 150, EncodePassword("abc")));
    auto values = MemberSeries(text, 1);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->slot, 1);
    EXPECT_EQ(values->NameUtf8(), "Bob");
    EXPECT_EQ(values->G0, 29);
    EXPECT_EQ(values->R0, 2.5);
    EXPECT_EQ(values->P0, 150);
    EXPECT_EQ(DecodePassword(values->passwordField), "abc");
    EXPECT_FALSE(MemberSeries(text, 2)); // empty slot
    EXPECT_FALSE(MemberSeries(text, 6));

    SeriesValues fresh = NewPlayerSeries("Иван", "12345");
    EXPECT_EQ(fresh.slot, NewPlayerSlot);
    EXPECT_EQ(fresh.G0, 0);
    EXPECT_EQ(fresh.R0, 0.0);
    EXPECT_EQ(fresh.P0, 0);
    EXPECT_EQ(fresh.NameUtf8(), "Иван");
}

// The example of the records: G0 = 29, R0 = 2.5, S = 40 after one game ends a cycle.
TEST(Series, CycleEndGivesClubLineTopTenAndHistoryLine) {
    const std::string password = EncodePassword("abc");
    SeriesFolder s(WithMember(BuildClubLine(NameField("Bob"), 2.5, 29, 150, password)));
    SeriesValues values = *MemberSeries(*ReadRecords(s.records), 1);
    SeriesOutcome out = RecordSeries(values, EndedSeries(29, 30, 40), s.context);

    EXPECT_EQ(out.rating, 3.75);
    EXPECT_EQ(out.clubLine, "Bob                   3,750000     30    190" + password);
    EXPECT_TRUE(out.cycleEnd);
    EXPECT_EQ(out.sound, ""); // a cycle end has its own sounds
    EXPECT_EQ(out.store.write, RecordsWrite::Written);
    EXPECT_EQ(out.store.place, 3); // 190 equals place 3 and goes above it
    EXPECT_EQ(out.store.score, "   190");

    auto text = ReadRecords(s.records);
    ASSERT_TRUE(text);
    EXPECT_EQ((*text)[1], "Bob                   3,750000     30      0" + password);
    for (int slot = 2; slot <= 5; ++slot) EXPECT_EQ((*text)[slot], EmptyClubLine);
    EXPECT_EQ((*text)[6], "Kalevipoeg             250");
    EXPECT_EQ((*text)[7], "Vanemuine              220");
    EXPECT_EQ((*text)[8], "Bob                    190");
    EXPECT_EQ((*text)[9], "Ilmarine               190");
    EXPECT_EQ((*text)[15], "Lembitu                 40");
    EXPECT_EQ(CheckRecordsFile(s.records).status, RecordsCheck::Valid);

    EXPECT_EQ(out.history.status, HistoryWrite::Written);
    EXPECT_EQ(out.history.fileNumber, 1);
    const std::string& h = out.history.line;
    ASSERT_EQ(h.size(), 114u);
    EXPECT_EQ(h.substr(0, 99),
              "12:3017.05.2024Bob" + std::string(48, ' ') + "  1        40      3,75L#########");
    EXPECT_EQ(CheckHistoryFile(s.folder.path(), 1).recordLines, 1);

    ASSERT_TRUE(out.endOfCycle);
    const EndOfCycle& e = *out.endOfCycle;
    EXPECT_EQ(e.place, 3);
    EXPECT_EQ(e.score, "190");
    EXPECT_EQ(e.sound, "WFiGood");
    EXPECT_EQ(e.animation, "GEndGood");
    EXPECT_TRUE(e.loopAnimation);
    EXPECT_EQ(e.heading, CycleText::Congratulations);
    EXPECT_EQ(e.verdict, CycleText::ResultGood);
    EXPECT_EQ(e.closing, CycleText::InTopTen);
    EXPECT_EQ(e.title, OrderTitle::None);
    EXPECT_EQ(e.placeImage, "GPlace03");
}

TEST(Series, ResultLineOfThreeGamesMinusFortyRatingTwelveAndAHalf) {
    SeriesFolder s(WithMember(BuildClubLine(NameField("Eve"), 28.0, 5, 0, EncodePassword("x"))));
    SeriesValues values = *MemberSeries(*ReadRecords(s.records), 1);
    SeriesOutcome out = RecordSeries(values, EndedSeries(5, 8, -40), s.context);
    EXPECT_EQ(out.rating, 12.5);
    EXPECT_EQ(out.history.line.substr(66, 23), "  3       -40     12,50");
    EXPECT_EQ(out.sound, "WKoBads");
    EXPECT_FALSE(out.cycleEnd);
    EXPECT_FALSE(out.endOfCycle);
    EXPECT_EQ((*ReadRecords(s.records))[1], out.clubLine);
}

TEST(Series, SoundsOutsideACycleEnd) {
    struct Case {
        int kon;
        int S;
        const char* sound;
    };
    const Case cases[] = {{3, 20, "WKoGood"}, {3, -20, "WKoBads"}, {3, 0, ""}, {60, 20, ""}, {60, -20, ""}};
    for (const Case& c : cases) {
        SeriesFolder s;
        SeriesValues values = NewPlayerSeries("Neo", "");
        values.G0 = c.kon - 3;
        SeriesOutcome out = RecordSeries(values, EndedSeries(c.kon - 3, c.kon, c.S), s.context);
        EXPECT_EQ(out.sound, c.sound) << c.kon << " " << c.S;
        EXPECT_EQ(out.cycleEnd, c.kon % 30 == 0);
    }
}

TEST(Series, RatingsBeyondTheLimitsAreStoredAtTheLimits) {
    SeriesFolder s;
    SeriesOutcome up = RecordSeries(NewPlayerSeries("Up", ""), EndedSeries(0, 1, 200), s.context);
    EXPECT_EQ(up.clubLine.substr(20, 10), " 99,990000");
    SeriesOutcome down = RecordSeries(NewPlayerSeries("Down", ""), EndedSeries(0, 1, -200), s.context);
    EXPECT_EQ(down.clubLine.substr(20, 10), "-99,990000");
    auto text = ReadRecords(s.records);
    EXPECT_TRUE((*text)[1].starts_with("Up"));
    EXPECT_TRUE((*text)[2].starts_with("Down"));
    EXPECT_EQ(ReadHistoryRows(s.folder.path(), 1)[1].rating, "    -99,99");
}

TEST(Series, EqualRatingIsStoredAboveTheMember) {
    SeriesFolder s(WithMember(BuildClubLine(NameField("Old"), 20.0, 1, 20, EncodePassword("o"))));
    RecordSeries(NewPlayerSeries("New", ""), EndedSeries(0, 1, 20), s.context);
    auto text = ReadRecords(s.records);
    EXPECT_TRUE((*text)[1].starts_with("New "));
    EXPECT_TRUE((*text)[2].starts_with("Old "));
}

TEST(Series, SixthPlayerWithTheLowestRatingIsNotStored) {
    RecordsText club = FreshRecords();
    for (const char* name : {"A", "B", "C", "D", "E"})
        InsertClubLine(club, BuildClubLine(NameField(name), 10.0, 5, 50, EncodePassword("p")));
    SeriesFolder s(club);
    SeriesOutcome out = RecordSeries(NewPlayerSeries("F", ""), EndedSeries(0, 1, -20), s.context);
    EXPECT_EQ(out.store.write, RecordsWrite::Written);
    EXPECT_FALSE(out.store.clubStored);
    auto text = ReadRecords(s.records);
    for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ((*text)[slot], club[slot]);
}

TEST(Series, PlaceOneGivesTheTitleOfTheKindOfPlay) {
    struct Case {
        PlayKind kind;
        bool signedIn;
        OrderTitle title;
    };
    const Case cases[] = {{PlayKind::Local, false, OrderTitle::Master},
                          {PlayKind::Local, true, OrderTitle::None},
                          {PlayKind::Network, false, OrderTitle::Bachelor},
                          {PlayKind::Network, true, OrderTitle::Bachelor}};
    for (const Case& c : cases) {
        SeriesFolder s;
        s.context.kind = c.kind;
        s.context.signedIn = c.signedIn;
        SeriesValues values = NewPlayerSeries("Ace", "");
        values.G0 = 29;
        values.P0 = 290;
        SeriesOutcome out = RecordSeries(values, EndedSeries(29, 30, 10), s.context);
        ASSERT_TRUE(out.endOfCycle);
        EXPECT_EQ(out.endOfCycle->place, 1);
        EXPECT_EQ(out.endOfCycle->sound, "WFiBest");
        EXPECT_EQ(out.endOfCycle->animation, "GEndBest");
        EXPECT_EQ(out.endOfCycle->verdict, CycleText::ResultBest);
        EXPECT_FALSE(out.endOfCycle->closing);
        EXPECT_EQ(out.endOfCycle->title, c.title);
        EXPECT_EQ(out.endOfCycle->placeImage, "GPlace01");
        EXPECT_EQ(out.endOfCycle->score, "300");
    }
    EXPECT_EQ(TitleForPlay(PlayKind::Account, true), OrderTitle::VicePresident);
    EXPECT_EQ(static_cast<int>(OrderTitle::Master), 5);
    EXPECT_EQ(static_cast<int>(OrderTitle::Bachelor), 6);
}

TEST(Series, NoPlaceAtACycleEnd) {
    EndOfCycle e = EndOfCycleFor(0, "   -80", PlayKind::Local, false);
    EXPECT_EQ(e.sound, "WFiBads");
    EXPECT_EQ(e.animation, "GEndBads");
    EXPECT_FALSE(e.loopAnimation);
    EXPECT_EQ(e.heading, CycleText::Regrets);
    EXPECT_EQ(e.verdict, CycleText::WishBest);
    EXPECT_EQ(e.closing, CycleText::NotInTopTen);
    EXPECT_EQ(e.title, OrderTitle::None);
    EXPECT_EQ(e.placeImage, "");
    EXPECT_EQ(e.score, "-80");
    EXPECT_EQ(EndOfCycleFor(10, "    20", PlayKind::Local, false).placeImage, "GPlace10");
}

TEST(Series, AccountAndTournamentGamesKeepNoLocalRecords) {
    for (PlayKind kind : {PlayKind::Account, PlayKind::Tournament}) {
        SeriesFolder s;
        const std::string before = ReadBytes(s.records);
        s.context.kind = kind;
        s.context.serverRating = 7.125;
        SeriesOutcome out = RecordSeries(NewPlayerSeries("Acc", ""), EndedSeries(27, 30, 30), s.context);
        EXPECT_EQ(out.store.write, RecordsWrite::Unchanged);
        EXPECT_FALSE(out.cycleEnd);
        EXPECT_FALSE(out.endOfCycle);
        EXPECT_EQ(ReadBytes(s.records), before);
        auto rows = ReadHistoryRows(s.folder.path(), 1);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].kind, kind == PlayKind::Account ? 'A' : 'T');
        EXPECT_EQ(rows[0].rating, "      7,13");
    }
}

TEST(Series, NetworkHistoryNamesAllPlayers) {
    SeriesFolder s;
    s.context.kind = PlayKind::Network;
    s.context.historyName = "Cid/Bob/Ann";
    SeriesOutcome out = RecordSeries(NewPlayerSeries("Ann", ""), EndedSeries(0, 3, 30), s.context);
    EXPECT_EQ(out.history.line.substr(15, 12), "Cid/Bob/Ann ");
    EXPECT_EQ(out.history.line.substr(89, 1), "N");
    EXPECT_TRUE((*ReadRecords(s.records))[1].starts_with("Ann "));
}

TEST(Series, BlockedRecordsStillWriteTheHistory) {
    SeriesFolder s;
    s.context.writes = RecordsWrites::Blocked;
    const std::string before = ReadBytes(s.records);
    SeriesOutcome out = RecordSeries(NewPlayerSeries("Bob", ""), EndedSeries(0, 2, 20), s.context);
    EXPECT_EQ(out.store.write, RecordsWrite::Blocked);
    EXPECT_EQ(out.history.status, HistoryWrite::Written);
    EXPECT_EQ(ReadBytes(s.records), before);
}

TEST(Series, UnwritableFolderReportsBothErrorsAndKeepsTheFiles) {
    SeriesFolder s;
    WriteHistory(s.folder.path(), HisStr{"Old", 1, 10, 1.0, PlayKind::Local}, "9:00", "1.1.24");
    const std::string records = ReadBytes(s.records);
    const std::string history = ReadBytes(HistoryFilePath(s.folder.path(), 1));
    ::chmod(s.records.c_str(), 0666);
    ::chmod(HistoryFilePath(s.folder.path(), 1).c_str(), 0666);
    ::chmod(HistoryFolder(s.folder.path()).c_str(), 0555);
    ::chmod(s.folder.path().c_str(), 0555);
    int rc = RunUnprivileged([&] {
        SeriesOutcome out = RecordSeries(NewPlayerSeries("Bob", ""), EndedSeries(0, 2, 20), s.context);
        if (out.store.write != RecordsWrite::DiskError) return 1;
        if (out.history.status != HistoryWrite::CantSave) return 2;
        return 0;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(s.records), records);
    EXPECT_EQ(ReadBytes(HistoryFilePath(s.folder.path(), 1)), history);
}

TEST(GeneralScore, SevenValues) {
    SeriesValues values = NewPlayerSeries("Bob", "");
    values.G0 = 29;
    values.R0 = 2.5;
    values.P0 = 150;
    TCount c = MakeCount(values, EndedSeries(29, 30, 40));
    EXPECT_EQ(c.Count_KonAll, "30");
    EXPECT_EQ(c.Count_KonCur, "30");
    EXPECT_EQ(c.Count_ScoBeg, "150");
    EXPECT_EQ(c.Count_ScoCur, "40");
    EXPECT_EQ(c.Count_ScoAll, "190");
    EXPECT_EQ(c.Count_ReiBeg, "2,50");
    EXPECT_EQ(c.Count_ReiCur, "3,75");
    EXPECT_EQ(MakeCount(values, EndedSeries(29, 31, -20)).Count_KonCur, "1");
    EXPECT_EQ(MakeCount(values, EndedSeries(0, 0, 0)).Count_ReiCur, "2,50");
}
