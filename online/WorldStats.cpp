#include "online/WorldStats.h"

#include "online/RatedPlay.h"

namespace tarvo {

bool ReportStart(ScoreClient& client, bool installReported) {
    if (installReported) {
        client.ReportStarts(1, 0);
        return true;
    }
    return client.ReportStarts(1, 1);
}

std::array<int, 12> SeriesReport(const SeriesFigures& s) {
    std::array<int, 12> r{};
    if (!s.tournament) {
        if (!s.network) {
            r[0] = s.games;
            r[1] = s.kon > 0 && s.kon % kCycleGames == 0 ? 1 : 0;
            r[2] = s.points > 0 ? s.points : 0;
            r[3] = s.points < 0 ? -s.points : 0;
        }
        r[4] = s.network && s.hostsNetwork ? kSessionGames : 0;
    }
    r[5] = s.tournament && s.tournamentSeatOne ? 1 : 0;
    return r;
}

std::optional<InfoFigure> ReadInfoFigure(ScoreClient& client, int mode) {
    switch (mode) {
    case 1:
    case 2: {
        const auto stat = client.ReadStatistics(kGameNumber);
        if (!stat.ok) return std::nullopt;
        const auto& x = stat.value.StatX;
        if (mode == 2) return InfoFigure{double(x[kStatGamesWithPc]), {}};
        const double won = x[kStatPeopleWon], lost = x[kStatPeopleLost];
        return InfoFigure{won + lost > 0 ? won * 100 / (won + lost) : 0, {}};
    }
    case 3:
    case 4:
    case 5: {
        const int list = mode == 3 ? kDesktopList : mode == 4 ? kMobileList : kAccountList;
        const auto top = client.TopTen(list);
        if (!top.ok) return std::nullopt;
        return InfoFigure{double(top.value[0].Score), top.value[0].Nick};
    }
    default: {
        const auto members = client.MemberCount();
        if (!members.ok) return std::nullopt;
        return InfoFigure{double(members.value), {}};
    }
    }
}

} // namespace tarvo
