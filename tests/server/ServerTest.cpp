// tarvo3-server against the game's own request functions over real HTTP on 127.0.0.1.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <QBuffer>
#include <QImage>
#include <latch>
#include <memory>
#include <thread>

#include "../support/ServerProcess.h"
#include "TestDatabase.h"
#include "online/Account.h"
#include "online/CurlTransport.h"
#include "online/Requests.h"
#include "settings/Settings.h"

namespace tarvo {
namespace {

std::string Jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes.toStdString();
}

TQobUser NewUser(const std::string& nick, const std::string& password = "secret1") {
    TQobUser u;
    u.Nick = nick;
    u.Pw = password;
    u.City = "Омск";
    u.Country1 = "Russia";
    u.Country2 = "1-001";
    u.Sex = "W";
    u.EMail = "anna@mail.ru";
    u.DateR = "10.12.2026";
    u.R01 = u.R02 = u.R03 = "xxx";
    return u;
}

class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server = std::make_unique<test::ServerProcess>(TARVO_SERVER, test::WithTestDatabase());
        client = std::make_unique<ScoreClient>(transport, AddressesOn(server->Origin()));
    }
    // A second player: a client of its own, with its own cookies.
    std::unique_ptr<ScoreClient> OtherClient() {
        others.push_back(std::make_unique<CurlTransport>());
        return std::make_unique<ScoreClient>(*others.back(), AddressesOn(server->Origin()));
    }
    Exchange Post(const std::string& body) { return transport.Post(server->Origin() + "/account", body); }

    std::unique_ptr<test::ServerProcess> server;
    CurlTransport transport;
    std::vector<std::unique_ptr<CurlTransport>> others;
    std::unique_ptr<ScoreClient> client;
};

TEST_F(ServerTest, RegistrationSignInAndTheMemberCount) {
    EXPECT_EQ(client->Register(NewUser("Anna_77")), RegisterResult::Created);
    EXPECT_EQ(client->Register(NewUser("anna_77")), RegisterResult::NickTaken); // nicks ignore case
    EXPECT_EQ(client->Register(NewUser("Bob")), RegisterResult::Created);

    auto in = client->SignIn("Anna_77", "secret1");
    ASSERT_TRUE(in.ok);
    EXPECT_EQ(in.value.City, "Омск");
    EXPECT_EQ(in.value.Country1, "Russia");
    EXPECT_EQ(in.value.Country2, "1-001");
    EXPECT_EQ(in.value.Sex, "W");
    EXPECT_EQ(in.value.EMail, "anna@mail.ru");
    EXPECT_EQ(in.value.DateR, "10.12.2026");
    EXPECT_EQ(in.value.R01, "xxx");
    EXPECT_FALSE(client->SignIn("Anna_77", "secret2").ok);
    EXPECT_FALSE(client->SignIn("Nobody", "secret1").ok);
    EXPECT_EQ(client->MemberCount().value, 2);
    EXPECT_TRUE(client->MemberCount().ok);

    server->Stop();
    EXPECT_EQ(client->Register(NewUser("Carl")), RegisterResult::Failed);
    EXPECT_FALSE(client->SignIn("Anna_77", "secret1").ok);
    EXPECT_FALSE(client->MemberCount().ok);
}

TEST_F(ServerTest, DetailsRoundTripWithTheirMarkersAndOnlyForTheirOwner) {
    ASSERT_EQ(client->Register(NewUser("Anna")), RegisterResult::Created);
    auto none = client->ReadDetails("Anna");
    ASSERT_TRUE(none.ok);
    EXPECT_FALSE(none.value);

    TInfo14 info;
    info.Name1 = "Анна";
    info.About = "I know $5 ~ 100% & more=less";
    info.FaceBook = std::string(60, 'f');
    info.YouTube = "tube";
    ASSERT_TRUE(client->SaveDetails("Anna", info));
    auto read = client->ReadDetails("Anna");
    ASSERT_TRUE(read.ok && read.value);
    EXPECT_EQ(read.value->Name1, "Анна");
    EXPECT_EQ(read.value->About, "I know  5   100%   more=less");
    EXPECT_EQ(read.value->FaceBook, info.FaceBook);
    EXPECT_EQ(read.value->YouTube, "tube");
    EXPECT_EQ(read.value->Name2, "");

    // Another player may read them but not change them.
    auto other = OtherClient();
    EXPECT_TRUE(other->ReadDetails("Anna").ok);
    info.About = "defaced";
    EXPECT_FALSE(other->SaveDetails("Anna", info));
    info.About = std::string(51, 'a'); // over the limit
    EXPECT_FALSE(client->SaveDetails("Anna", info));
    EXPECT_EQ(client->ReadDetails("Anna").value->About, "I know  5   100%   more=less");
}

TEST_F(ServerTest, GameRecordsTheClubTopTenAndPlaces) {
    const std::pair<const char*, double> players[] = {{"Anna", 4.1}, {"Bob", -19.9}, {"Carl", 12.5}};
    for (const auto& [nick, rating] : players) {
        ASSERT_EQ(client->Register(NewUser(nick)), RegisterResult::Created);
        TQobGame g;
        g.Kon = 3;
        g.Rating = rating;
        g.KonL = 3;
        g.Score = 12;
        ASSERT_TRUE(client->SaveGame(nick, "secret1", g));
    }
    ASSERT_EQ(client->Register(NewUser("Dora")), RegisterResult::Created); // no games yet: not listed
    auto fresh = client->ReadGame("Dora", "secret1");
    ASSERT_TRUE(fresh.ok);
    EXPECT_EQ(fresh.value, TQobGame{});

    auto top = client->ClubTopTen();
    ASSERT_TRUE(top.ok);
    EXPECT_EQ(top.value[0].Nick, "Carl");
    EXPECT_EQ(top.value[1].Nick, "Anna");
    EXPECT_EQ(top.value[2].Nick, "Bob");
    EXPECT_EQ(top.value[3].Nick, "");
    EXPECT_EQ(top.value[0].City, "Омск");
    EXPECT_EQ(top.value[0].Country, "Russia");
    EXPECT_EQ(top.value[0].Sex, "W");
    EXPECT_DOUBLE_EQ(top.value[2].Rating, -19.9);

    EXPECT_EQ(client->RatingPlace(5.0).value, 2);
    EXPECT_EQ(client->RatingPlace(100).value, 1);
    EXPECT_EQ(client->RatingPlace(-50).value, 4);

    auto anna = client->ReadGame("Anna", "secret1");
    ASSERT_TRUE(anna.ok);
    EXPECT_EQ(anna.value.Kon, 3);
    EXPECT_DOUBLE_EQ(anna.value.Rating, 4.1);
    EXPECT_EQ(anna.value.Score, 12);
    EXPECT_FALSE(client->ReadGame("Anna", "wrong1").ok);
    TQobGame cheat;
    cheat.Rating = 999;
    EXPECT_FALSE(client->SaveGame("Anna", "wrong1", cheat));
    EXPECT_DOUBLE_EQ(client->ReadGame("Anna", "secret1").value.Rating, 4.1);
}

// Several machines of one player saving his first game record and details at the same moment:
// every save lands, none is refused because another inserted the row first.
TEST_F(ServerTest, FirstSavesOfOneAccountAtOnceAllLand) {
    constexpr int kAccounts = 4, kMachines = 4;
    std::vector<std::unique_ptr<ScoreClient>> machines;
    for (int m = 0; m < kMachines; ++m) machines.push_back(OtherClient());
    for (int a = 0; a < kAccounts; ++a) {
        const std::string nick = "Racer" + std::to_string(a);
        ASSERT_EQ(client->Register(NewUser(nick)), RegisterResult::Created);
        // Each machine signs in first: the saves then race without the password check between them.
        for (auto& m : machines) ASSERT_TRUE(m->SignIn(nick, "secret1").ok);
        std::latch start(kMachines);
        std::vector<std::thread> threads;
        std::array<bool, kMachines> game{}, details{};
        for (int m = 0; m < kMachines; ++m)
            threads.emplace_back([&, m] {
                TQobGame g;
                g.Kon = 3 * (m + 1);
                TInfo14 info;
                info.About = "machine " + std::to_string(m);
                start.arrive_and_wait();
                game[static_cast<std::size_t>(m)] =
                    machines[static_cast<std::size_t>(m)]->SaveGame(nick, "secret1", g);
                details[static_cast<std::size_t>(m)] =
                    machines[static_cast<std::size_t>(m)]->SaveDetails(nick, info);
            });
        for (auto& t : threads) t.join();
        for (int m = 0; m < kMachines; ++m) {
            EXPECT_TRUE(game[static_cast<std::size_t>(m)]) << nick << " machine " << m;
            EXPECT_TRUE(details[static_cast<std::size_t>(m)]) << nick << " machine " << m;
        }
        EXPECT_GT(client->ReadGame(nick, "secret1").value.Kon, 0) << nick;
    }
}

TEST_F(ServerTest, PhotosAreTakenWithTheAccountsPasswordAndReadBack) {
    ASSERT_EQ(client->Register(NewUser("Anna")), RegisterResult::Created);
    EXPECT_FALSE(client->ReadPhoto("Anna").ok);
    const std::string photo = Jpeg(200, 250);
    EXPECT_TRUE(client->UploadPhoto("Anna", "secret1", photo));
    auto read = client->ReadPhoto("anna");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.value, photo);

    EXPECT_FALSE(client->UploadPhoto("Anna", "wrong1", Jpeg(200, 250)));
    EXPECT_FALSE(client->UploadPhoto("Anna", "secret1", Jpeg(200, 251)));
    EXPECT_FALSE(client->UploadPhoto("Anna", "secret1", "not a picture"));
    EXPECT_FALSE(client->UploadPhoto("Nobody", "secret1", Jpeg(200, 250)));
    EXPECT_EQ(client->ReadPhoto("Anna").value, photo);
    EXPECT_FALSE(client->ReadPhoto("..").ok);
}

TEST_F(ServerTest, TheSavedSignInSignsInAtStart) {
    ASSERT_EQ(client->Register(NewUser("Anna", "pass#1")), RegisterResult::Failed); // "#" is no password sign
    ASSERT_EQ(client->Register(NewUser("Anna", "pass-1")), RegisterResult::Created);
    test::TempFolder shared;
    const auto file = shared / kUserFileName;

    Account account(*client);
    EXPECT_FALSE(account.AutoSignIn(file)); // no file
    ASSERT_FALSE(WriteUserFile(file, "Anna", "pass#1"));
    const std::string bytes = test::ReadBytes(file);
    EXPECT_TRUE(bytes.starts_with("Qob User File\r\nAnna\r\n"));
    EXPECT_EQ(bytes.find("pass"), std::string::npos); // not in clear
    EXPECT_TRUE(account.AutoSignIn(file));            // "#" reads back as "-"
    EXPECT_EQ(account.state, AccountState::SignedIn);
    EXPECT_EQ(account.holder.City, "Омск");

    Account other(*client);
    test::WriteBytes(file, "Qob User\r\nAnna\r\n" + bytes.substr(bytes.rfind("\r\n", bytes.size() - 3) + 2));
    EXPECT_FALSE(other.AutoSignIn(file)); // not the header: ignored
    std::filesystem::remove(file);
    EXPECT_FALSE(other.AutoSignIn(file));
    EXPECT_EQ(other.state, AccountState::SignedOut);
}

TEST_F(ServerTest, AccountFlowsOfTheWindow) {
    Account account(*client);
    TQobUser typed = NewUser("Anna");
    EXPECT_EQ(account.Create(typed, true, "11.12.2026"), RegisterResult::Created);
    EXPECT_EQ(account.state, AccountState::Rated);
    EXPECT_EQ(account.holder.DateR, "11.12.2026");
    EXPECT_EQ(account.members, 1);
    EXPECT_TRUE(account.gameRead);
    EXPECT_EQ(account.Create(typed, false, "11.12.2026"), RegisterResult::NickTaken);
    EXPECT_EQ(account.state, AccountState::SignedOut);
    EXPECT_EQ(account.holder.DateR, "00.00.0000");

    EXPECT_FALSE(account.SignIn("Anna", "secret9"));
    EXPECT_EQ(account.state, AccountState::SignedOut);
    ASSERT_TRUE(account.SignIn("Anna", "secret1"));
    EXPECT_EQ(account.state, AccountState::SignedIn);
    account.SetRated(true);
    EXPECT_EQ(account.state, AccountState::Rated);
    ASSERT_TRUE(client->UploadPhoto("Anna", "secret1", Jpeg(200, 250)));
    TQobGame g;
    g.Kon = 3;
    g.Rating = 4.1;
    ASSERT_TRUE(client->SaveGame("Anna", "secret1", g));
    account.ReadForWindow();
    EXPECT_EQ(account.President(), "Anna");
    EXPECT_FALSE(account.holderPhoto.empty());
    EXPECT_FALSE(account.presidentPhoto.empty());
    EXPECT_EQ(account.game.Place, 1);
    account.SignOut();
    EXPECT_EQ(account.state, AccountState::SignedOut);
    EXPECT_TRUE(account.holderPhoto.empty());
}

// Whatever arrives, the reply reads as a refusal, nothing is stored and the server goes on.
TEST_F(ServerTest, HostileRequestsAreRefused) {
    ASSERT_EQ(client->Register(NewUser("Anna")), RegisterResult::Created);
    const std::string good =
        "pw=secret1&city=Omsk&country1=Russia&country2=1-001&sex=M&email=a@b.ru&dater=1.1.2026"
        "&R01=x&R02=x&R03=x&R04=0&R05=0&R06=0";
    const std::pair<std::string, std::string> bodies[] = {
        {"a 2 MB body", "nick=Huge&" + good + "&pad=" + std::string(2 << 20, 'x')},
        {"an unknown kind", "nick=Anna&pw=secret1&label9=0"},
        {"a missing field", "nick=Carl&pw=secret1&city=Omsk&country2=1-001"},
        {"an over-long nick", "nick=Abcdefghijklm&" + good},
        {"a byte outside Windows-1251", "nick=Carl&" + good.substr(0, 10) + "\x98" + good.substr(10)},
        {"a control character", "nick=Ca\x01rl&" + good},
        {"a nick with $", "nick=Ca$rl&" + good},
        {"a nick with *", "nick=Ca*rl&" + good},
        {"a nick with a quote", "nick=Ca'rl&" + good},
        {"a bad country",
         "nick=Carl&" + good.substr(0, good.find("1-001")) + "7-001" + good.substr(good.find("1-001") + 5)},
        {"a listed body with a broken escape", "nick=Anna&&pw=secret%2&&label0=0"},
        {"a game record out of range", "nick=Anna&pw=secret1&vemro4kon=-1&vemro4best=0&vemro4rating=1e300"
                                       "&vemro4ses=0&vemro4konl=0&vemro4score=0&vemro4R1=0&vemro4R2=#"},
        {"an empty body", ""},
    };
    for (const auto& [what, body] : bodies) {
        const Exchange e = Post(body);
        EXPECT_TRUE(!e.ok ||
                    (e.body.find("ok") == std::string::npos && e.body.find("$") == std::string::npos))
            << what << ": " << e.body;
    }
    // Empty fields between fields are normal.
    EXPECT_TRUE(Post("label1=0&&").ok);
    EXPECT_EQ(client->MemberCount().value, 1);
    EXPECT_TRUE(client->SignIn("Anna", "secret1").ok);
    EXPECT_FALSE(client->ReadGame("Anna", "secret1").value.Kon < 0);
}

int Connect(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
    timeval t{20, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
    return fd;
}

std::string ReadUntil(int fd, const std::string& what, int times) {
    std::string got;
    std::size_t found = 0, at = 0;
    char buffer[4096];
    while (found < static_cast<std::size_t>(times)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
        while ((at = got.find(what, at)) != std::string::npos) {
            ++found;
            at += what.size();
        }
    }
    return got;
}

// A request cut in two is read whole. Requests sent together without waiting for their replies
// (pipelining, which no client of the game does) get the first one answered; the rest are
// dropped with the connection, and the server goes on.
TEST_F(ServerTest, RequestsCutInTwoOrSentTogether) {
    const std::string request = "POST /account HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                                "application/x-www-form-urlencoded\r\nContent-Length: 8\r\n\r\nlabel1=0";
    const int fd = Connect(server->Port());
    ASSERT_GE(fd, 0);
    const std::size_t half = request.size() / 2 + 3;
    ::send(fd, request.data(), half, 0);
    ::usleep(200 * 1000);
    ::send(fd, request.data() + half, request.size() - half, 0);
    EXPECT_NE(ReadUntil(fd, "$0\n", 1).find("$0\n"), std::string::npos);
    ::close(fd);
    const int together = Connect(server->Port());
    std::string five;
    for (int i = 0; i < 5; ++i) five += request;
    ::send(together, five.data(), five.size(), 0);
    EXPECT_NE(ReadUntil(together, "$0\n", 1).find("$0\n"), std::string::npos);
    ::close(together);
    EXPECT_EQ(client->MemberCount().value, 0);
    EXPECT_TRUE(client->MemberCount().ok);
}

TEST_F(ServerTest, AKilledServerKeepsWhatItStored) {
    ASSERT_EQ(client->Register(NewUser("Anna")), RegisterResult::Created);
    TInfo14 info;
    info.About = "kept";
    ASSERT_TRUE(client->SaveDetails("Anna", info));
    server->Stop(SIGKILL);
    server->Restart();
    client->Addresses() = AddressesOn(server->Origin());
    EXPECT_TRUE(client->SignIn("Anna", "secret1").ok);
    EXPECT_EQ(client->ReadDetails("Anna").value->About, "kept");
    EXPECT_EQ(client->MemberCount().value, 1);
}

TEST_F(ServerTest, ConfigurationNewsAddressStatusAndPackages) {
    client->Addresses().config = server->Origin() + "/config";
    OnlineConfig config = client->FetchConfig();
    EXPECT_EQ(config.topTen, TopTenAnswer::Address);
    EXPECT_TRUE(config.chatEnabled);
    Settings settings = InitialSettings();
    ServiceAddresses moved = AddressesOn("http://elsewhere.example:1");
    ApplyOnlineConfig(config, settings, moved);
    ServiceAddresses expected = AddressesOn(server->Origin());
    expected.config = moved.config;
    EXPECT_EQ(moved, expected);

    client->Addresses().news = server->Origin() + "/news";
    auto news = client->NewsNumber();
    EXPECT_TRUE(news.ok);
    EXPECT_EQ(news.value, 0);
    EXPECT_EQ(transport.Get(server->Origin() + "/ip").body, "127.0.0.1\n");
    const std::string status = transport.Get(server->Origin() + "/status").body;
    EXPECT_NE(status.find("accounts: 0"), std::string::npos);
    EXPECT_NE(status.find(std::string("storage: ") + test::TestStorageName()), std::string::npos) << status;

    std::filesystem::create_directories(server->DataDir() / "packages");
    test::WriteBytes(server->DataDir() / "packages" / "QobCards06A.dll", std::string(300000, 'p'));
    const Exchange package = transport.Get(server->Origin() + "/packages/QobCards06A.dll");
    ASSERT_TRUE(package.ok);
    EXPECT_EQ(package.body.size(), 300000u);
    EXPECT_EQ(transport.Get(server->Origin() + "/downloads/progr/cards/QobCards06A.dll").body, package.body);
    EXPECT_FALSE(transport.Get(server->Origin() + "/packages/..%2Ftarvo3-server.db").ok);
    EXPECT_FALSE(transport.Get(server->Origin() + "/packages/Missing.dll").ok);
}

} // namespace
} // namespace tarvo
