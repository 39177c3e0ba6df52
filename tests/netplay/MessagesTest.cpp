#include <gtest/gtest.h>

#include "match/RecordBody.h"
#include "netplay/Messages.h"

using namespace tarvo;

namespace {

template <class T> const T& As(const NetMessage& m) {
    EXPECT_TRUE(std::holds_alternative<T>(m));
    return std::get<T>(m);
}

template <class T> T ParseAs(const std::string& bytes) {
    ParsedMessage p = ParseMessage(bytes);
    EXPECT_TRUE(p.message) << p.error;
    return p.message ? std::get<T>(*p.message) : T{};
}

std::string Refusal(const std::string& bytes) {
    ParsedMessage p = ParseMessage(bytes);
    EXPECT_FALSE(p.message) << "accepted " << bytes;
    return p.error;
}

// A record as the server sends it: its lead from slot 3 with "e" for the receiver, who defends.
const std::string LeadRecord = "h1eigiii103iiii0602";

std::string DealBytes(std::uint32_t seed = 7) {
    return DealMessage(ShuffleDeck(seed), true, false);
}

} // namespace

// Each machine is its own seat 3; the first client numbers seats as the server's plus 2, the
// second as the server's plus 1, and the pipeline's receiver numbering agrees.
TEST(NetSeats, ThreeNumberings) {
    const int firstClient[4] = {0, 3, 1, 2}, secondClient[4] = {0, 2, 3, 1};
    for (int serverSeat = 1; serverSeat <= 3; ++serverSeat) {
        const int role = RoleOfSeat(serverSeat, ServerRole);
        EXPECT_EQ(SeatOfRole(role, ServerRole), serverSeat);
        EXPECT_EQ(SeatOfRole(role, 2), firstClient[serverSeat]);
        EXPECT_EQ(SeatOfRole(role, 3), secondClient[serverSeat]);
        for (int viewer = 1; viewer <= 3; ++viewer) {
            EXPECT_EQ(RoleOfSeat(SeatOfRole(role, viewer), viewer), role);
            // A local seat r receiving: r's numbering is the pipeline's.
            for (int r = 1; r <= 2; ++r)
                EXPECT_EQ(SeatOfRole(role, RoleOfSeat(r, viewer)),
                          SeatInReceiverNumbering(SeatOfRole(role, viewer), r));
        }
    }
    EXPECT_EQ(RoleOfSeat(1, ServerRole), 2); // the first client is the server's seat 1
    EXPECT_EQ(RoleOfSeat(2, ServerRole), 3);
}

TEST(NetMessages, BuiltByteForByte) {
    EXPECT_EQ(HelloMessage("Ann"), "qob1525connect1Ann   ");
    EXPECT_EQ(HelloMessage("Alexander"), "qob1525connect1Alexan");
    EXPECT_EQ(HelloMessage("Иван"), "qob1525connect1\xC8\xE2\xE0\xED  ");
    EXPECT_EQ(WelcomeMessage(2, {"Srv", "Ann", "PC"}), "connect2+2Srv   Ann   PC    ");
    EXPECT_EQ(UpdateMessage({"Srv", "Ann", "Bob"}), "connect3+Srv   Ann   Bob   ");
    EXPECT_EQ(ChatMessage(3, "Привет!"), "s3\xCF\xF0\xE8\xE2\xE5\xF2!");
    EXPECT_EQ(AbortMessage(), "abort");
    EXPECT_EQ(RecordMessage(1, "eigiii103iiii", 6, 0, 2), LeadRecord);

    Deck deck = ShuffleDeck(7);
    std::string deal = DealMessage(deck, true, false);
    ASSERT_EQ(deal.size(), DealLength);
    EXPECT_EQ(deal[0], 'b');
    EXPECT_EQ(deal.substr(1, 2), (std::string{deck[1].rank, deck[1].suit}));
    EXPECT_EQ(deal[73], static_cast<char>('0' + RankOf(deck[1])));
    EXPECT_EQ(deal.substr(109), "\xC8\xCB"); // "И" then "Л"
    EXPECT_EQ(HelloMessage("x").size(), HelloLength);
    EXPECT_EQ(WelcomeMessage(3, {}).size(), WelcomeLength);
    EXPECT_EQ(UpdateMessage({}).size(), UpdateLength);
}

TEST(NetMessages, ParsedBack) {
    HelloMsg hello = ParseAs<HelloMsg>(HelloMessage("Иван"));
    EXPECT_TRUE(hello.sameGame);
    EXPECT_EQ(hello.name, "Иван");
    // Another game's or another protocol's hello is read but not ours: the server ignores it.
    EXPECT_FALSE(ParseAs<HelloMsg>("qob1625connect1Ann   ").sameGame);
    EXPECT_FALSE(ParseAs<HelloMsg>("qob1524connect1Ann   ").sameGame);

    WelcomeMsg welcome = ParseAs<WelcomeMsg>("connect2+3Srv   Ann   Bob   ");
    EXPECT_EQ(welcome.role, 3);
    EXPECT_EQ(welcome.names, (RoleNames{"Srv", "Ann", "Bob"}));
    EXPECT_EQ(ParseAs<UpdateMsg>(UpdateMessage({"A", "B", "C"})).names, (RoleNames{"A", "B", "C"}));

    DealMsg deal = ParseAs<DealMsg>(DealMessage(ShuffleDeck(9), false, true));
    EXPECT_EQ(deal.deck, ShuffleDeck(9));
    EXPECT_FALSE(deal.firstMove);
    EXPECT_TRUE(deal.firstBoutFive);

    RecordMsg r = ParseAs<RecordMsg>("h3e4tagd204iiib1352");
    EXPECT_EQ(r.senderRole, 3);
    EXPECT_TRUE(r.enable);
    EXPECT_EQ(r.caption, '4');
    EXPECT_EQ(r.bubbles, (std::array<char, 3>{'t', 'a', 'g'}));
    EXPECT_EQ(r.sound, 'd');
    EXPECT_EQ(r.cards[0].kind, ThrowIn);
    EXPECT_EQ(r.cards[0].slot, 4);
    EXPECT_EQ(r.cards[1].kind, NoKind);
    EXPECT_EQ(r.end, 'b');
    EXPECT_EQ(r.hodPhase, 13);
    EXPECT_EQ(r.duelPhase, 5);
    EXPECT_EQ(r.route, 2);
    EXPECT_EQ(r.bytes, "h3e4tagd204iiib1352");
    RecordMsg nothing = ParseAs<RecordMsg>("h1iiiiiiiiiiiiiiii1");
    EXPECT_EQ(nothing.hodPhase, -1);
    EXPECT_EQ(nothing.duelPhase, -1);

    ChatMsg chat = ParseAs<ChatMsg>(ChatMessage(2, "Ход за тобой & \"$*\""));
    EXPECT_EQ(chat.role, 2);
    EXPECT_EQ(chat.text, "Ход за тобой & \"$*\"");
    EXPECT_TRUE(std::holds_alternative<AbortMsg>(*ParseMessage("abort").message));
}

// Whatever a peer sends that is not one of the messages is refused with its reason.
TEST(NetMessages, HostileMessagesAreRefused) {
    std::string repeated = DealBytes();
    repeated[3] = repeated[1], repeated[4] = repeated[2]; // the second card is the first again
    std::string notCard = DealBytes();
    notCard[1] = 'X';
    std::string rankDigit = DealBytes();
    rankDigit[73] = rankDigit[73] == '9' ? '1' : '9';
    std::string flag = DealBytes();
    flag[110] = 'L';
    std::string badName = "qob1525connect1An\x98   ";
    struct Case {
        std::string bytes, reason;
    } cases[] = {
        {repeated, "twice"},
        {notCard, "not a card"},
        {rankDigit, "disagrees"},
        {flag, "rule flags"},
        {badName, "not text"},
        {"connect2+4Srv   Ann   PC    ", "role"},
        {"connect2+2Srv\n  Ann   PC    ", "not text"},
        {"connect9+Srv   Ann   Bob   ", "unknown connect"},
        {"h1eiigii103iiii1502", "HodPhase 15 out of range"},
        {"h1eiigii103iiii1102", "HodPhase 11 out of range"},
        {"h1eiigii103iiii067", "wrong length"},
        {"h1eiigii103iiii0672", "DuelPhase"},
        {"h1eiigii100iiii0602", "card field"}, // slot 00
        {"h1eiigii137iiii0602", "card field"}, // slot 37: out of range
        {"h1eiigii503iiii0602", "card field"}, // move kind 5
        {"h1eiigii103iiiq0602", "end-of-bout"},
        {"h1eiigii103iiii0604", "route"},
        {"h4eiigii103iiii0602", "sender role"},
        {"h1eiixii103iiii0602", "bubble"},
        {"s2" + std::string(MaxChatLength + 1, 'x'), "over-long chat"},
        {"s2hello\x01", "not text"},
        {"s9hello", "chat: role"},
        {"abord", "unknown"},
        {"xyz", "unknown message starting with 0x78"},
    };
    for (const Case& c : cases) EXPECT_NE(Refusal(c.bytes).find(c.reason), std::string::npos) << c.bytes;
}

// TCP keeps no boundaries: a stream cut anywhere gives the same messages in the same order.
TEST(NetReader, ReassemblesByKnownLengths) {
    const std::string stream = HelloMessage("Ann") + WelcomeMessage(2, {"Srv", "Ann", "PC"}) +
                               UpdateMessage({"Srv", "Ann", "Bob"}) + DealBytes() + LeadRecord + LeadRecord +
                               AbortMessage() + ChatMessage(1, "last words");
    auto kinds = [](const std::vector<NetMessage>& ms) {
        std::string k;
        for (const NetMessage& m : ms) k += "HWUDRCA"[m.index()];
        return k;
    };
    MessageReader whole;
    EXPECT_EQ(kinds(whole.Feed(stream)), "HWUDRRAC");

    MessageReader byteByByte;
    std::vector<NetMessage> got;
    for (char c : stream) {
        auto part = byteByByte.Feed(std::string_view(&c, 1));
        got.insert(got.end(), part.begin(), part.end());
    }
    // A chat has no end but the end of what was read: cut into single bytes it is empty, and its
    // rest is no message.
    EXPECT_EQ(kinds(got), "HWUDRRAC");
    EXPECT_EQ(As<ChatMsg>(got.back()).text, "");
    EXPECT_TRUE(byteByByte.Failed());

    // Five records in one read, then one cut in two across reads.
    MessageReader five;
    EXPECT_EQ(
        five.Feed(LeadRecord + LeadRecord + LeadRecord + LeadRecord + LeadRecord + LeadRecord.substr(0, 7))
            .size(),
        5u);
    auto last = five.Feed(LeadRecord.substr(7));
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(As<RecordMsg>(last[0]).bytes, LeadRecord);
    EXPECT_FALSE(five.Failed());

    // A chat, which has no end, leaves the records and the deal read together with it whole.
    MessageReader afterChat;
    auto chatFirst = afterChat.Feed(ChatMessage(1, "h1 & b") + LeadRecord + DealBytes() + LeadRecord + LeadRecord);
    EXPECT_EQ(kinds(chatFirst), "CRDRR");
    EXPECT_EQ(As<ChatMsg>(chatFirst[0]).text, "h1 & b");
    EXPECT_FALSE(afterChat.Failed());
}

// The first fault ends the reading: nothing after it is taken, and an endless peer leaves nothing
// behind to grow.
TEST(NetReader, StopsAtTheFirstFault) {
    MessageReader reader;
    auto got = reader.Feed(LeadRecord + "z" + LeadRecord);
    EXPECT_EQ(got.size(), 1u);
    EXPECT_TRUE(reader.Failed());
    EXPECT_NE(reader.Error().find("0x7A"), std::string::npos);
    EXPECT_TRUE(reader.Feed(LeadRecord).empty());

    MessageReader endless;
    EXPECT_TRUE(endless.Feed("s3" + std::string(2 << 20, 'x')).empty());
    EXPECT_NE(endless.Error().find("over-long chat"), std::string::npos);

    MessageReader garbage;
    EXPECT_TRUE(garbage.Feed(std::string(2 << 20, '\0')).empty());
    EXPECT_TRUE(garbage.Failed());
}
