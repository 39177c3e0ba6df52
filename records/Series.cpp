#include "records/Series.h"

#include "records/Format.h"

namespace tarvo {
namespace {

std::string TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

bool KeepsLocalRecords(PlayKind kind) {
    return kind == PlayKind::Local || kind == PlayKind::Network;
}

} // namespace

std::optional<SeriesValues> MemberSeries(const RecordsText& text, int slot) {
    if (slot < 1 || slot > ClubSlots) return std::nullopt;
    std::optional<ClubMember> member = ReadClubMember(text[slot]);
    if (!member) return std::nullopt;
    SeriesValues values;
    values.slot = slot;
    values.nameField = member->nameField;
    values.passwordField = member->passwordField;
    values.G0 = member->games;
    values.R0 = member->rating;
    values.P0 = member->score;
    return values;
}

SeriesValues NewPlayerSeries(std::string_view utf8Name, std::string_view utf8Password) {
    SeriesValues values;
    values.nameField = NameField(utf8Name);
    values.passwordField = EncodePassword(utf8Password);
    return values;
}

double SeriesRating(std::int32_t G0, double R0, std::int32_t S, std::int32_t kon) {
    if (kon <= 0) return LimitRating(R0); // no game was played: nothing to average
    double r = (static_cast<double>(G0) * R0 + static_cast<double>(S)) / static_cast<double>(kon);
    return LimitRating(RoundHalfEven6(r));
}

std::string SeriesClubLine(const SeriesValues& values, double rating, std::int32_t kon, std::int32_t S) {
    return BuildClubLine(values.nameField, rating, kon, static_cast<std::int64_t>(values.P0) + S,
                         values.passwordField);
}

TCount MakeCount(const SeriesValues& values, const GameState& g) {
    std::int32_t kon = g.KonNumber;
    std::int32_t S = g.SeatScore[3];
    int inCycle = kon % CycleLength == 0 ? CycleLength : kon % CycleLength;
    TCount count;
    count.Count_KonAll = std::to_string(kon);
    count.Count_KonCur = std::to_string(inCycle);
    count.Count_ScoBeg = std::to_string(values.P0);
    count.Count_ScoCur = std::to_string(S);
    count.Count_ScoAll = std::to_string(static_cast<std::int64_t>(values.P0) + S);
    count.Count_ReiBeg = FormatFixed2(values.R0);
    count.Count_ReiCur = FormatFixed2(SeriesRating(values.G0, values.R0, S, kon));
    return count;
}

OrderTitle TitleForPlay(PlayKind kind, bool signedIn) {
    switch (kind) {
    case PlayKind::Local:
        return signedIn ? OrderTitle::None : OrderTitle::Master;
    case PlayKind::Network:
        return OrderTitle::Bachelor;
    case PlayKind::Account:
        return OrderTitle::VicePresident;
    case PlayKind::Tournament:
        break;
    }
    return OrderTitle::None;
}

EndOfCycle EndOfCycleFor(int place, std::string_view score, PlayKind kind, bool signedIn) {
    EndOfCycle e;
    e.place = place;
    e.score = TrimBlanks(score);
    if (place == 1) {
        e.sound = "WFiBest";
        e.animation = "GEndBest";
        e.heading = CycleText::Congratulations;
        e.verdict = CycleText::ResultBest;
        e.title = TitleForPlay(kind, signedIn);
    } else if (place >= 2 && place <= TopTenPlaces) {
        e.sound = "WFiGood";
        e.animation = "GEndGood";
        e.heading = CycleText::Congratulations;
        e.verdict = CycleText::ResultGood;
        e.closing = CycleText::InTopTen;
    } else {
        e.place = 0;
        e.sound = "WFiBads";
        e.animation = "GEndBads";
        e.heading = CycleText::Regrets;
        e.verdict = CycleText::WishBest;
        e.closing = CycleText::NotInTopTen;
    }
    e.loopAnimation = e.place != 0;
    if (e.place != 0) e.placeImage = "GPlace" + PadNumber(e.place, 2, '0');
    return e;
}

SeriesOutcome RecordSeries(const SeriesValues& values, const GameState& g, const SeriesContext& context) {
    SeriesOutcome outcome;
    std::int32_t S = g.SeatScore[3];
    std::int32_t kon = g.KonNumber;

    // Account and tournament ratings are the server's; the local formula knows neither.
    const bool online = context.kind == PlayKind::Account || context.kind == PlayKind::Tournament;
    outcome.rating = online && context.serverRating ? *context.serverRating : SeriesRating(values.G0, values.R0, S, kon);
    outcome.clubLine = SeriesClubLine(values, outcome.rating, kon, S);

    HisStr record;
    record.HName = context.historyName.empty() ? values.NameUtf8() : context.historyName;
    record.HKon = g.KonNumber - g.KonStart;
    record.HRes = S;
    record.HRei = outcome.rating;
    record.Ac = context.kind;
    outcome.history = WriteHistory(context.dataFolder, record, context.time, context.date);

    if (kon % CycleLength != 0) {
        if (S > 0) outcome.sound = "WKoGood";
        if (S < 0) outcome.sound = "WKoBads";
    }

    if (KeepsLocalRecords(context.kind)) {
        outcome.cycleEnd = kon % CycleLength == 0;
        outcome.store = ReplaceMember(context.recordsFile, values.slot, outcome.clubLine, outcome.cycleEnd,
                                      context.writes);
        if (outcome.cycleEnd)
            outcome.endOfCycle = EndOfCycleFor(outcome.store.place, Chars(outcome.clubLine, 39, 44),
                                               context.kind, context.signedIn);
    }
    return outcome;
}

} // namespace tarvo
