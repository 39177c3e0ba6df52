// The endgame search, made fast without changing a single answer:
// - the cards in play (at most 16) are numbered and every hand and the table become bit masks, so
//   a node is a few bytes on the stack and nothing is allocated per node;
// - below the root a node's value does not depend on the order of the cards in a hand (the value
//   is the best of all options), so inner nodes keep no slot order and go into a transposition
//   table keyed on the whole position: where every card is, the card to beat, KolHods, KolFree,
//   the kind of node;
// - below the root a node is asked only what its parent needs to know (a window), and the table
//   remembers whether it holds a value or only a bound on it;
// - the root keeps the hand's slot order, its option order, ties and progress text as they are,
//   and learns every option's exact value;
// - a value depends on the position alone, so the computer keeps the numbering and the table from
//   one decision to the next while every card in play is one it has numbered: the decisions of
//   one endgame only lose cards to the discard pile.
// Values found after the search was stopped (time or node limit) are not exact and never stored.
#include <bit>
#include <vector>

#include "ai/Endgame.h"

namespace tarvo {
namespace {

using Mask = std::uint16_t;
constexpr int MaxCardsInPlay = 16;

struct CardsInPlay {
    int n = 0;
    std::array<TStr2, MaxCardsInPlay> code{};
    std::array<Mask, MaxCardsInPlay> beatenBy{}; // cards that beat card i
    std::array<Mask, MaxCardsInPlay> sameRank{}; // cards of card i's rank, i included

    int Add(TStr2 card) {
        code[static_cast<std::size_t>(n)] = card;
        return n++;
    }
    void Link(char trump) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                TStr2 x = code[static_cast<std::size_t>(i)], y = code[static_cast<std::size_t>(j)];
                if (Beats(y, x, trump)) beatenBy[static_cast<std::size_t>(i)] |= Bit(j);
                if (RankOf(y) == RankOf(x)) sameRank[static_cast<std::size_t>(i)] |= Bit(j);
            }
    }
    static constexpr Mask Bit(int i) { return static_cast<Mask>(1u << i); }
};

// Without a popcnt instruction in the baseline instruction set, std::popcount is a library call.
constexpr int CardCount(Mask m) {
    unsigned x = m;
    x = x - ((x >> 1) & 0x5555u);
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x + (x >> 4)) & 0x0F0Fu;
    return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}

// mover: the hand of the side to move; other: the other side's; match: cards of a rank on the table.
struct Node {
    Mask mover = 0, other = 0, table = 0, match = 0;
    std::uint8_t last = 0, hods = 0, free = 0;
};

enum NodeType : std::uint64_t { AttackNode = 0, AddingNode = 1, DefendNode = 2 };

// A mask's 16 bits moved to the even bits of 32, a byte at a time.
constexpr std::array<std::uint16_t, 256> SpreadBytes = [] {
    std::array<std::uint16_t, 256> t{};
    for (unsigned x = 0; x < 256; ++x)
        for (unsigned b = 0; b < 8; ++b)
            if ((x >> b) & 1u) t[x] = static_cast<std::uint16_t>(t[x] | (1u << (2 * b)));
    return t;
}();
constexpr std::uint64_t Spread(Mask x) {
    return SpreadBytes[x & 0xFFu] | std::uint64_t{SpreadBytes[x >> 8]} << 16;
}

// Two bits per card for its place, then the card to beat (defender nodes only), KolHods (any value
// above 5 forbids more attack cards alike), KolFree (never compared with more than 16 cards) and
// the node type: 46 bits.
constexpr std::uint64_t KeyOf(const Node& p, NodeType type) {
    std::uint64_t places = Spread(static_cast<Mask>(p.mover | p.table)) | Spread(static_cast<Mask>(p.other | p.table)) << 1;
    std::uint64_t last = type == DefendNode ? p.last : 0;
    std::uint64_t hods = p.hods > 6 ? 6 : p.hods;
    std::uint64_t free = p.free > 16 ? 16 : p.free;
    return places | last << 32 | hods << 36 | free << 39 | static_cast<std::uint64_t>(type) << 44;
}

// What an entry knows of its position's value: the value itself, or only that the value is at
// least (or at most) the one stored, when a window cut the search short.
enum class Bound : std::uint64_t { Exact = 0, Lower = 1, Upper = 2 };

// One 64-bit word per entry: key (46 bits), value (8 bits), bound (2 bits), generation (8 bits).
// A new generation per numbering empties the table without touching it.
class TransTable {
  public:
    explicit TransTable(int bits) : bits_(bits) {}

    void NewDecision() {
        if (slots_.empty()) slots_.assign(std::size_t{1} << bits_, 0);
        if (++generation_ == GenerationCount) {
            std::fill(slots_.begin(), slots_.end(), 0);
            generation_ = 1;
        }
    }
    bool Find(std::uint64_t key, int& value, Bound& bound) const {
        std::uint64_t word = slots_[Index(key)];
        if ((word >> GenerationShift) != generation_ || (word & KeyMask) != key) return false;
        value = static_cast<int>(static_cast<std::int8_t>((word >> ValueShift) & 0xFF));
        bound = static_cast<Bound>((word >> BoundShift) & 3);
        return true;
    }
    void Store(std::uint64_t key, int value, Bound bound) {
        slots_[Index(key)] = key |
                             static_cast<std::uint64_t>(static_cast<std::uint8_t>(value)) << ValueShift |
                             static_cast<std::uint64_t>(bound) << BoundShift | generation_ << GenerationShift;
    }

  private:
    static constexpr int ValueShift = 46;
    static constexpr int BoundShift = 54;
    static constexpr int GenerationShift = 56;
    static constexpr std::uint64_t KeyMask = (std::uint64_t{1} << ValueShift) - 1;
    static constexpr std::uint64_t GenerationCount = std::uint64_t{1} << (64 - GenerationShift);

    std::size_t Index(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
    }

    int bits_;
    std::vector<std::uint64_t> slots_;
    std::uint64_t generation_ = 0;
};

// A node is asked for its value within a window (alpha, beta): a value at or below alpha, or at or
// above beta, only has to be shown to lie there, which ends the search of the node early. The
// whole range asks for the exact value.
struct Window {
    int alpha = LossValue - 1;
    int beta = WinValue + 1;
    constexpr Window Negated() const { return {-beta, -alpha}; }
    constexpr Window RaisedTo(int best) const { return {std::max(alpha, best), beta}; }
    // What a value found in this window tells; a win or a loss can be nothing but exact.
    constexpr Bound BoundOf(int value) const {
        if (value == WinValue || value == LossValue) return Bound::Exact;
        return value <= alpha ? Bound::Upper : value >= beta ? Bound::Lower : Bound::Exact;
    }
    // A stored value answers the question of this window.
    constexpr bool Answered(int value, Bound bound) const {
        return bound == Bound::Exact || (bound == Bound::Lower && value >= beta) ||
               (bound == Bound::Upper && value <= alpha);
    }
};
constexpr Window Exactly{};

} // namespace

// The cards numbered for the table's keys, each card's number (-1 when it has none), and the table.
struct SearchMemory::Impl {
    explicit Impl(int tableBits) : table(tableBits) {}
    CardsInPlay cards;
    char trump = 0;
    std::array<std::int8_t, DeckSize + 1> index{};
    TransTable table;
    bool numbered = false;
};

// The searches of a game's endgames revisit their own few positions, and a table that stays in
// the processor's cache serves them faster; a single decision searched afresh (the largest ones
// included) gets room for every position it may visit.
SearchMemory::SearchMemory() : impl_(std::make_unique<Impl>(15)) {}
SearchMemory::~SearchMemory() = default;

namespace {

// A decision without a memory of its own starts afresh in this one.
thread_local SearchMemory::Impl freshMemory(17);

class FastSearch {
  public:
    FastSearch(const CardsInPlay& cards, TransTable& table, SearchEnv& env)
        : cards_(cards), transTable(table), env_(env) {}

    Mask Playable(const Node& p) const {
        if (p.hods > 5 || p.free >= CardCount(p.other)) return 0;
        return p.table ? p.mover & p.match : p.mover;
    }

    // The position after the side to move puts card c on the table.
    Node Played(const Node& p, int c) const {
        Node q = p;
        q.mover = static_cast<Mask>(p.mover & ~CardsInPlay::Bit(c));
        q.table = static_cast<Mask>(p.table | CardsInPlay::Bit(c));
        q.match = static_cast<Mask>(p.match | cards_.sameRank[static_cast<std::size_t>(c)]);
        q.last = static_cast<std::uint8_t>(c);
        return q;
    }

    // The attacker's card c: normal mode hands the move to the defender, adding mode keeps it.
    int AttackCard(const Node& p, bool adding, int c, int depth, Window w) {
        Node q = Played(p, c);
        ++q.hods;
        if (adding) {
            ++q.free;
            return Attack(q, true, depth + 1, w);
        }
        return -Defend(Node{q.other, q.mover, q.table, q.match, q.last, q.hods, q.free}, depth + 1, w.Negated());
    }

    int AttackPass(const Node& p, bool adding, int depth, Window w) {
        if (!adding) {
            if (p.other == 0 && p.mover != 0) return LossValue;
            if (p.other == 0 && p.mover == 0) return DrawValue;
            if (p.mover == 0) return WinValue;
            return -Attack(Node{p.other, p.mover, 0, 0, 0, 0, 0}, false, depth + 1, w.Negated());
        }
        if (p.mover == 0) return WinValue;
        return Attack(Node{p.mover, static_cast<Mask>(p.other | p.table), 0, 0, 0, 0, 0}, false, depth + 1, w);
    }

    int DefendCard(const Node& p, int c, int depth, Window w) {
        Node q = Played(p, c);
        if (q.mover == 0 && q.other == 0) return DrawValue;
        if (q.other == 0) return LossValue;
        if (q.mover == 0) return WinValue;
        return -Attack(Node{q.other, q.mover, q.table, q.match, q.last, q.hods, 0}, false, depth + 1, w.Negated());
    }

    int DefendTake(const Node& p, int depth, Window w) {
        if (p.other == 0) return LossValue;
        return -Attack(Node{p.other, p.mover, p.table, p.match, p.last, p.hods, 1}, true, depth + 1, w.Negated());
    }

    int Attack(const Node& p, bool adding, int depth, Window w) {
        if (env_.abort) return 0;
        ++env_.nodes;
        if (SearchEnv::ChecksClockAt(depth)) env_.CheckClock();
        std::uint64_t key = KeyOf(p, adding ? AddingNode : AttackNode);
        int best = NotExamined;
        Bound bound = Bound::Exact;
        if (transTable.Find(key, best, bound) && w.Answered(best, bound)) return best;
        best = NotExamined;
        for (Mask cards = Playable(p); cards && best < w.beta && best != WinValue; cards &= static_cast<Mask>(cards - 1))
            best = std::max(best, AttackCard(p, adding, std::countr_zero(cards), depth, w.RaisedTo(best)));
        if (best < w.beta && best != WinValue && p.table)
            best = std::max(best, AttackPass(p, adding, depth, w.RaisedTo(best)));
        if (!env_.abort) transTable.Store(key, best, w.BoundOf(best));
        return best;
    }

    int Defend(const Node& p, int depth, Window w) {
        if (env_.abort) return 0;
        ++env_.nodes;
        std::uint64_t key = KeyOf(p, DefendNode);
        int best = NotExamined;
        Bound bound = Bound::Exact;
        if (transTable.Find(key, best, bound) && w.Answered(best, bound)) return best;
        best = NotExamined;
        Mask beaters = p.mover & cards_.beatenBy[p.last];
        for (Mask cards = beaters; cards && best < w.beta && best != WinValue; cards &= static_cast<Mask>(cards - 1))
            best = std::max(best, DefendCard(p, std::countr_zero(cards), depth, w.RaisedTo(best)));
        if (best < w.beta && best != WinValue) best = std::max(best, DefendTake(p, depth, w.RaisedTo(best)));
        if (!env_.abort) transTable.Store(key, best, w.BoundOf(best));
        return best;
    }

  private:
    const CardsInPlay& cards_;
    TransTable& transTable;
    SearchEnv& env_;
};

// The root position: the own hand in slot order, everything else as masks.
struct Root {
    std::array<int, DeckSize + 1> ownIndex{}; // card number in play of each own slot
    Node node;
    bool fits = true;
};

// Numbers the cards in play, keeping the memory's numbering (and its table) when it knows them all.
void Number(const StatFool2& s, SearchMemory::Impl& m, bool keep) {
    auto known = [&](TStr2 card) { return m.index[static_cast<std::size_t>(CardNumber(card))] >= 0; };
    bool allKnown = keep && m.numbered && m.trump == s.Koz;
    for (int i = 1; allKnown && i <= s.KolCards1; ++i) allKnown = known(s.CardsI1[i]);
    for (int i = 1; allKnown && i <= s.KolCards2; ++i) allKnown = known(s.CardsI2[i]);
    for (int i = 1; allKnown && i <= s.KolCardsStol; ++i) allKnown = known(s.InGameI[i]);
    if (allKnown) return;
    m.cards = {};
    m.index.fill(-1);
    auto add = [&](TStr2 card) {
        m.index[static_cast<std::size_t>(CardNumber(card))] = static_cast<std::int8_t>(m.cards.Add(card));
    };
    for (int i = 1; i <= s.KolCards1; ++i) add(s.CardsI1[i]);
    for (int i = 1; i <= s.KolCards2; ++i) add(s.CardsI2[i]);
    for (int i = 1; i <= s.KolCardsStol; ++i) add(s.InGameI[i]);
    m.cards.Link(s.Koz);
    m.trump = s.Koz;
    m.numbered = true;
    m.table.NewDecision();
}

Root MakeRoot(const StatFool2& s, SearchMemory::Impl& m, bool keep) {
    Root r;
    if (s.KolCards1 + s.KolCards2 + s.KolCardsStol > MaxCardsInPlay) {
        r.fits = false;
        return r;
    }
    Number(s, m, keep);
    auto bit = [&](TStr2 card) {
        return CardsInPlay::Bit(m.index[static_cast<std::size_t>(CardNumber(card))]);
    };
    for (int i = 1; i <= s.KolCards1; ++i) {
        r.ownIndex[static_cast<std::size_t>(i)] = m.index[static_cast<std::size_t>(CardNumber(s.CardsI1[i]))];
        r.node.mover |= bit(s.CardsI1[i]);
    }
    for (int i = 1; i <= s.KolCards2; ++i) r.node.other |= bit(s.CardsI2[i]);
    for (int i = 1; i <= s.KolCardsStol; ++i) {
        r.node.table |= bit(s.InGameI[i]);
        r.node.last = static_cast<std::uint8_t>(m.index[static_cast<std::size_t>(CardNumber(s.InGameI[i]))]);
    }
    for (Mask t = r.node.table; t; t &= static_cast<Mask>(t - 1))
        r.node.match |= m.cards.sameRank[static_cast<std::size_t>(std::countr_zero(t))];
    // Any KolHods above 5 forbids attack cards alike; no KolFree above 16 can ever allow one.
    r.node.hods = std::min<std::uint8_t>(s.KolHods, 6);
    r.node.free = std::min<std::uint8_t>(s.KolFree, 16);
    return r;
}

SearchMemory::Impl& MemoryOf(const SearchEnv& env) {
    return env.memory ? env.memory->Get() : freshMemory;
}

// Picks the best option: the lowest slot among equal values, the last option (pass or take) only
// when it is strictly better than every card.
struct RootChoice {
    SearchOutcome out;
    int slot = 0;
    void Offer(int v, int s) {
        (s ? out.slotValues[static_cast<std::size_t>(s)] : out.passValue) = v;
        if (v > out.value) {
            out.value = v;
            slot = s;
        }
    }
    bool Won() const { return out.value == WinValue; }
};

SearchOutcome Finish(const StatFool2& s, RootChoice& choice, SearchEnv& env) {
    SearchOutcome out = choice.out;
    out.card = choice.slot ? s.CardsI1[choice.slot] : NoCard;
    out.aborted = env.abort;
    out.nodes = env.nodes;
    return out;
}

} // namespace

SearchOutcome SearchAttack(const StatFool2& s, SearchMode mode, SearchEnv& env) {
    if (env.abort) return {NoCard, 0, true, 0};
    SearchMemory::Impl& memory = MemoryOf(env);
    Root root = MakeRoot(s, memory, env.memory != nullptr);
    if (!root.fits) return {NoCard, 0, true, 0};
    ++env.nodes;
    env.StartRoot(s.KolCards1 + (s.KolCardsStol ? 1 : 0));
    const bool adding = mode == SearchMode::Adding;
    FastSearch search(memory.cards, memory.table, env);
    Mask playable = search.Playable(root.node);
    RootChoice choice;
    for (int slot = 1; slot <= s.KolCards1 && !choice.Won(); ++slot) {
        int c = root.ownIndex[static_cast<std::size_t>(slot)];
        if (!(playable & CardsInPlay::Bit(c))) continue;
        env.ShowOption(slot);
        choice.Offer(search.AttackCard(root.node, adding, c, 1, Exactly), slot);
    }
    // In adding mode the literal search also looks at stopping after a winning card; stopping
    // could never beat it, so looking is skipped.
    const bool cardWon = choice.Won();
    if (!playable)
        choice.Offer(NothingPlayable, 0);
    else if (!cardWon && root.node.table)
        choice.Offer(search.AttackPass(root.node, adding, 1, Exactly), 0);
    if (!cardWon) env.ShowAllExamined();
    return Finish(s, choice, env);
}

SearchOutcome SearchDefend(const StatFool2& s, SearchEnv& env) {
    if (env.abort) return {NoCard, 0, true, 0};
    if (s.KolCardsStol == 0) return {NoCard, 0, true, 0};
    SearchMemory::Impl& memory = MemoryOf(env);
    Root root = MakeRoot(s, memory, env.memory != nullptr);
    if (!root.fits) return {NoCard, 0, true, 0};
    ++env.nodes;
    env.StartRoot(s.KolCards1 + 1);
    FastSearch search(memory.cards, memory.table, env);
    Mask beaters = root.node.mover & memory.cards.beatenBy[root.node.last];
    RootChoice choice;
    for (int slot = 1; slot <= s.KolCards1 && !choice.Won(); ++slot) {
        int c = root.ownIndex[static_cast<std::size_t>(slot)];
        if (!(beaters & CardsInPlay::Bit(c))) continue;
        env.ShowOption(slot);
        choice.Offer(search.DefendCard(root.node, c, 1, Exactly), slot);
    }
    const bool cardWon = choice.Won();
    if (!beaters)
        choice.Offer(NothingPlayable, 0);
    else if (!cardWon)
        choice.Offer(search.DefendTake(root.node, 1, Exactly), 0);
    if (!cardWon) env.ShowAllExamined();
    return Finish(s, choice, env);
}

} // namespace tarvo
