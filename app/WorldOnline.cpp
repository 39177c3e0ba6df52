#include "app/WorldOnline.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QUrl>

#include "app/OnlineSession.h"
#include "online/CurlTransport.h"
#include "records/Series.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/OnlineWait.h"
#include "table/StatisticsWindow.h"

namespace tarvo {
namespace {

constexpr int kTickMs = 10000;

QString Tr(TextTable table, int row, int language) {
    const std::string_view text = Text(table, row, language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What rated play asks of the window: the failure sound with its pause, and "Repeat?".
class WindowRatedHooks : public RatedPlayHooks {
  public:
    WindowRatedHooks(const WorldHooks& hooks, int language) : hooks_(hooks), language_(language) {}
    void SaveFailed(int pauseMs) override {
        hooks_.playSound("WWrongs");
        if (pauseMs <= 0) return;
        InputPause pause; // the player waits for the next try
        QEventLoop loop;
        QTimer::singleShot(pauseMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    bool AskRepeat(Failure failure) override {
        const QString first =
            Tr(failure == Failure::Connect ? txt::CouldNotConnect : txt::CantWriteGameResult, 0, language_);
        return hooks_.askYesNo(first, Tr(txt::Repeat, 0, language_));
    }

  private:
    const WorldHooks& hooks_;
    int language_;
};

} // namespace

WorldOnline::WorldOnline(OnlineSession& session, Settings& settings, std::filesystem::path dataFolder,
                         std::filesystem::path sharedFolder, WorldHooks hooks, QWidget* window)
    : session_(session), settings_(settings), dataFolder_(std::move(dataFolder)),
      sharedFolder_(std::move(sharedFolder)), hooks_(std::move(hooks)),
      window_(window), backgroundTransport_(std::make_unique<CurlTransport>()),
      background_(std::make_unique<RequestWorker>()) {
    connect(&timer_, &QTimer::timeout, this, &WorldOnline::Tick);
}

WorldOnline::~WorldOnline() {
    background_.reset(); // the checks under way end before their transport
}

template <class Result>
void WorldOnline::Background(std::function<Result(ScoreClient&)> job, std::function<void(Result)> done) {
    CurlTransport* transport = backgroundTransport_.get();
    ServiceAddresses addresses = session_.Client().Addresses();
    background_->Submit([this, transport, addresses, job = std::move(job), done = std::move(done)] {
        ScoreClient client(*transport, addresses);
        Result result = job(client);
        QMetaObject::invokeMethod(
            this, [done, result] { done(result); }, Qt::QueuedConnection);
    });
}

void WorldOnline::Begin() {
    if (!timer_.isActive()) timer_.start(kTickMs);
}

void WorldOnline::Tick() {
    const auto due = schedule_.Tick(hooks_.menuShown());
    const std::filesystem::path& shared = sharedFolder_;
    if (due.news)
        Background<NewsCheck>([file = shared / kNewsFileName](ScoreClient& c) { return CheckNews(c, file); },
                              [this](NewsCheck check) {
                                  newsNumber_ = check.pageNumber;
                                  if (!check.isNew || schedule_.newsFlagged) return;
                                  schedule_.newsFlagged = true;
                                  hooks_.showWaiting(NewsWaiting(), ChatWaiting());
                              });
    if (due.chat)
        Background<ChatCheck>([file = shared / kChatFileName](ScoreClient& c) { return CheckChat(c, file); },
                              [this](ChatCheck check) {
                                  if (!check.isNew || schedule_.chatFlagged) return;
                                  schedule_.chatFlagged = true;
                                  hooks_.playSound("WToMenK");
                                  hooks_.showWaiting(NewsWaiting(), ChatWaiting());
                                  if (hooks_.gameRunning() && check.state.openOnNew && !chatOpen_) OpenChat();
                              });
}

void WorldOnline::OpenNews() {
    const std::filesystem::path file = sharedFolder_ / kNewsFileName;
    // A page never read leaves the number of the news last opened as it was.
    if (newsNumber_ > ReadNewsFile(file)) WriteNewsFile(file, newsNumber_);
    hooks_.playSound("WOpenFo");
    const std::string& page = session_.Client().Addresses().news;
    if (!page.empty()) QDesktopServices::openUrl(QUrl(QString::fromStdString(page)));
    schedule_.newsFlagged = false;
    hooks_.showWaiting(NewsWaiting(), ChatWaiting());
}

void WorldOnline::OpenChat() {
    hooks_.playSound("WOpenFo");
    const int lang = settings_.Language;
    if (!session_.Config().chatEnabled) {
        hooks_.message(Tr(txt::ChatUnavailable, 0, lang), {});
        return;
    }
    chatOpen_ = true;
    WorldWindowHooks w{hooks_.passport, [this](const QString& text) { hooks_.message(text, {}); }};
    ShowChat(session_.Client(), settings_, sharedFolder_ / kChatFileName, hooks_.windowOptions(),
             w, window_);
    chatOpen_ = false;
    schedule_.chatFlagged = false;
    hooks_.showWaiting(NewsWaiting(), ChatWaiting());
}

void WorldOnline::ShowWorldTopTen(WorldLayout layout, int list) {
    if (session_.Config().topTen == TopTenAnswer::Pause) {
        hooks_.message(Tr(txt::WorldTopTenUnavailable, 0, settings_.Language), {});
        return;
    }
    WorldWindowHooks w{hooks_.passport, [this](const QString& text) { hooks_.message(text, {}); }};
    tarvo::ShowWorldTopTen(session_.Client(), session_.TheAccount(), settings_, dataFolder_, layout, list,
                           hooks_.windowOptions(), w, window_);
}

void WorldOnline::ShowStatistics() {
    StatisticsHooks s;
    s.askNick = [this]() -> std::optional<QString> {
        const auto box = NickBox(settings_.Language, window_);
        if (box->exec() != QDialog::Accepted) return std::nullopt;
        return box->textValue();
    };
    s.saveSettings = hooks_.saveSettings;
    tarvo::ShowStatistics(session_.Client(), settings_, hooks_.windowOptions(), s, window_);
}

void WorldOnline::OpenProductPage() {
    const auto origin = OriginOf(session_.Client().Addresses().news);
    if (!origin) return;
    const char* page = QRandomGenerator::global()->bounded(2) == 0 ? "/" : "/index.html";
    QDesktopServices::openUrl(QUrl(QString::fromStdString(*origin + page)));
}

void WorldOnline::ShowMobileEdition(bool googlePlay) {
    // This program has no mobile edition with a store page: the player is told so.
    const int lang = settings_.Language;
    const QString name = Tr(txt::ProductName, 0, lang);
    if (googlePlay)
        hooks_.message(name + " " + Tr(txt::OnGooglePlay, 0, lang), Tr(txt::Unavailable, 0, lang));
    else
        hooks_.message(name + " " + Tr(txt::InApkUnavailable, 0, lang), {});
}

void WorldOnline::ReportStart() {
    Background<bool>(
        [reported = settings_.InstallReported](ScoreClient& c) { return tarvo::ReportStart(c, reported); },
        [this](bool reported) {
            settings_.InstallReported = reported;
            hooks_.saveSettings();
        });
}

void WorldOnline::ReportSeries(const SeriesFigures& series) {
    const std::array<int, 12> values = SeriesReport(series);
    Background<bool>([values](ScoreClient& c) { return c.ReportSeries(values); }, [](bool) {});
}

void WorldOnline::ReadInfo(int mode) {
    Background<std::optional<InfoFigure>>(
        [mode](ScoreClient& c) { return ReadInfoFigure(c, mode); },
        [this](std::optional<InfoFigure> figure) { hooks_.showInfo(figure); });
}

bool WorldOnline::RatedPlay() const {
    return session_.TheAccount().state == AccountState::Rated;
}

void WorldOnline::LeaveRatedPlay() {
    Account& account = session_.TheAccount();
    if (account.state != AccountState::Rated) return;
    account.state = AccountState::SignedIn;
    hooks_.accountChanged();
}

bool WorldOnline::StartRatedSession() {
    Account& account = session_.TheAccount();
    if (account.state != AccountState::Rated) return false;
    WindowRatedHooks rated(hooks_, settings_.Language);
    if (StoreProvisionalSession(account, rated)) return true;
    hooks_.message(Tr(txt::CouldNotConnect, 0, settings_.Language), {});
    account.SignOut();
    hooks_.accountChanged();
    return false;
}

SeriesValues WorldOnline::RatedSeries() const {
    const Account& account = session_.TheAccount();
    SeriesValues v = NewPlayerSeries(account.holder.Nick, "");
    v.slot = kAccountSlot;
    v.G0 = account.game.Kon;
    v.P0 = account.game.Score;
    v.R0 = account.game.Rating;
    return v;
}

WorldOnline::SeriesEnd WorldOnline::FinishSeries(int points, int cycleScore) {
    SeriesEnd end;
    Account& account = session_.TheAccount();
    if (account.state != AccountState::Rated) return end;
    WindowRatedHooks rated(hooks_, settings_.Language);
    const SessionEnd session = FinishRatedSession(account, points, cycleScore, rated);
    if (session.stored) end.serverRating = account.game.Rating;
    end.accountCycleCompleted = session.stored && session.cycleCompleted;
    return end;
}

std::optional<int> WorldOnline::PostCycle(bool localCycleEnd, bool accountCycleEnd, int cycleScore) {
    std::optional<int> place;
    Account& account = session_.TheAccount();
    if (account.state == AccountState::Rated) {
        if (accountCycleEnd) {
            WindowRatedHooks rated(hooks_, settings_.Language);
            const int reached = PostAccountCycle(account, cycleScore, rated);
            if (reached > 0) place = reached;
        }
        // The next session starts again through the account window.
        account.state = AccountState::SignedIn;
        hooks_.accountChanged();
    } else if (localCycleEnd) {
        if (session_.Config().topTen == TopTenAnswer::Pause) {
            hooks_.message(Tr(txt::WorldTopTenUnavailable, 0, settings_.Language), {});
        } else {
            WorldWindowHooks w{hooks_.passport, [this](const QString& text) { hooks_.message(text, {}); }};
            ShowWorldTopTenWrite(session_.Client(), settings_, cycleScore, hooks_.windowOptions(), w,
                                 window_);
        }
    }
    return place;
}

} // namespace tarvo
