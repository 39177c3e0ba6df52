// Writes the menu song as a standard MIDI file (format 1).
//   make_song OUTPUT_FILE
// The tune is the "Ode to Joy" melody (1824), long in the public domain; the arrangement is ours:
// a two-bar lead-in, the theme on piano over strings and a root-and-fifth bass, the theme again an octave
// higher on flute with harp arpeggios, and a held closing chord.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Ppq = 480; // ticks per quarter note

struct Event {
    int tick;
    int order; // at one tick: meta first, then note-offs, then the rest
    std::vector<std::uint8_t> bytes;
};

class Track {
  public:
    void Meta(int tick, std::uint8_t type, std::vector<std::uint8_t> data) {
        std::vector<std::uint8_t> b{0xFF, type, static_cast<std::uint8_t>(data.size())};
        b.insert(b.end(), data.begin(), data.end());
        events_.push_back({tick, 0, std::move(b)});
    }
    void Program(int tick, int channel, int program) {
        events_.push_back(
            {tick, 2, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)}});
    }
    void Control(int tick, int channel, int control, int value) {
        events_.push_back({tick,
                           2,
                           {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(control),
                            static_cast<std::uint8_t>(value)}});
    }
    // A note of `length` ticks, released a little early so that repeated notes are heard apart.
    void Note(int tick, int length, int channel, int key, int velocity, double legato = 0.92) {
        const int off = tick + std::max(1, static_cast<int>(length * legato));
        events_.push_back({tick,
                           3,
                           {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                            static_cast<std::uint8_t>(velocity)}});
        events_.push_back(
            {off, 1, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0}});
    }

    std::vector<std::uint8_t> Chunk() {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<std::uint8_t> body;
        int last = 0;
        for (const Event& e : events_) {
            Vlq(body, e.tick - last);
            last = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        Vlq(body, 0);
        body.insert(body.end(), {0xFF, 0x2F, 0x00}); // end of track
        std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
        Be32(chunk, static_cast<std::uint32_t>(body.size()));
        chunk.insert(chunk.end(), body.begin(), body.end());
        return chunk;
    }

    static void Be32(std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
    }

  private:
    static void Vlq(std::vector<std::uint8_t>& out, int value) {
        std::uint32_t v = static_cast<std::uint32_t>(value);
        std::uint8_t stack[5];
        int n = 0;
        do {
            stack[n++] = static_cast<std::uint8_t>(v & 0x7F);
            v >>= 7;
        } while (v);
        while (n > 1) out.push_back(static_cast<std::uint8_t>(stack[--n] | 0x80));
        out.push_back(stack[0]);
    }

    std::vector<Event> events_;
};

// The theme in C major: (key, length in eighths), sixteen bars of eight eighths each.
const std::vector<std::pair<int, int>>& Theme() {
    static const std::vector<std::pair<int, int>> theme = [] {
        const std::vector<std::pair<int, int>> a = {{76, 2}, {76, 2}, {77, 2}, {79, 2}, {79, 2}, {77, 2},
                                                    {76, 2}, {74, 2}, {72, 2}, {72, 2}, {74, 2}, {76, 2}};
        std::vector<std::pair<int, int>> t;
        auto add = [&t](const std::vector<std::pair<int, int>>& part) {
            t.insert(t.end(), part.begin(), part.end());
        };
        add(a);
        add({{76, 3}, {74, 1}, {74, 4}});
        add(a);
        add({{74, 3}, {72, 1}, {72, 4}});
        add({{74, 2}, {74, 2}, {76, 2}, {72, 2}});
        add({{74, 2}, {76, 1}, {77, 1}, {76, 2}, {72, 2}});
        add({{74, 2}, {76, 1}, {77, 1}, {76, 2}, {74, 2}});
        add({{72, 2}, {74, 2}, {67, 4}});
        add(a);
        add({{74, 3}, {72, 1}, {72, 4}});
        return t;
    }();
    return theme;
}

// One chord per half bar: the bass root and the chord tones for the strings.
struct Chord {
    int root;
    std::vector<int> tones;
};
const Chord C{36, {60, 64, 67}}, G{43, {59, 62, 67}}, G7{43, {59, 62, 65}}, D7{38, {57, 60, 62, 66}};

std::vector<Chord> Harmony() {
    const std::vector<Chord> halves = {
        C, C, G,  G, C,  C, G,  G, // bars 1-4
        C, C, G,  G, C,  C, G,  C, // bars 5-8
        G, C, G7, C, G7, G, D7, G, // bars 9-12
        C, C, G,  G, C,  C, G,  C, // bars 13-16
    };
    return halves;
}

constexpr int Bar = 4 * Ppq;
constexpr int Half = 2 * Ppq;
constexpr int Eighth = Ppq / 2;

// Channels.
constexpr int Lead = 0, Strings = 1, Bass = 2, Harp = 3, Drums = 9;

void Accompany(Track& t, int start, bool arpeggios) {
    const auto halves = Harmony();
    for (std::size_t i = 0; i < halves.size(); ++i) {
        const int at = start + static_cast<int>(i) * Half;
        const Chord& c = halves[i];
        for (int key : c.tones) t.Note(at, Half, Strings, key, 48, 1.0);
        // Root on the beat, fifth on the off-beat.
        t.Note(at, Ppq, Bass, c.root, 82);
        t.Note(at + Ppq, Ppq, Bass, c.root + 7 > 47 ? c.root - 5 : c.root + 7, 70);
        if (arpeggios)
            for (int k = 0; k < 4; ++k)
                t.Note(at + k * Eighth, Eighth, Harp, c.tones[k % c.tones.size()] + 12, 52);
    }
    for (int bar = 0; bar < 16; ++bar) {
        const int at = start + bar * Bar;
        for (int beat = 0; beat < 4; ++beat) t.Note(at + beat * Ppq, Eighth, Drums, 42, beat % 2 ? 34 : 46);
        t.Note(at, Ppq, Drums, 36, 64);
        t.Note(at + Half, Ppq, Drums, 36, 52);
    }
}

void Melody(Track& t, int start, int transpose, int velocity) {
    int at = start;
    for (auto [key, eighths] : Theme()) {
        t.Note(at, eighths * Eighth, Lead, key + transpose, velocity);
        at += eighths * Eighth;
    }
}

std::vector<std::uint8_t> Song() {
    Track tempo, lead, accomp;
    tempo.Meta(0, 0x03, {'M', 'e', 'n', 'u', ' ', 's', 'o', 'n', 'g'});
    tempo.Meta(0, 0x58, {4, 2, 24, 8}); // 4/4
    auto setTempo = [&tempo](int tick, int bpm) {
        const int us = 60'000'000 / bpm;
        tempo.Meta(tick, 0x51,
                   {static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                    static_cast<std::uint8_t>(us)});
    };
    setTempo(0, 112);

    accomp.Program(0, Strings, 48); // string ensemble
    accomp.Program(0, Bass, 32);    // acoustic bass
    accomp.Program(0, Harp, 46);    // harp
    accomp.Control(0, Strings, 7, 80);
    accomp.Control(0, Harp, 7, 90);
    lead.Program(0, Lead, 0); // piano
    lead.Control(0, Lead, 7, 110);

    // Lead-in: two bars of C and G with the bass.
    for (int bar = 0; bar < 2; ++bar) {
        const Chord& c = bar == 0 ? C : G7;
        for (int key : c.tones) accomp.Note(bar * Bar, Bar, Strings, key, 44, 1.0);
        for (int beat = 0; beat < 4; ++beat)
            accomp.Note(bar * Bar + beat * Ppq, Ppq, Bass, c.root + (beat % 2 ? 7 : 0), 70);
    }
    const int first = 2 * Bar, second = first + 16 * Bar, coda = second + 16 * Bar;
    Melody(lead, first, 0, 92);
    Accompany(accomp, first, false);

    lead.Program(second - Eighth, Lead, 73); // flute
    Melody(lead, second, 12, 100);
    Accompany(accomp, second, true);

    // Close on a held C chord, slowing down.
    setTempo(coda - Bar, 100);
    setTempo(coda, 80);
    for (int key : {72, 76, 79, 84}) lead.Note(coda, 2 * Bar, Lead, key, 80, 1.0);
    for (int key : {60, 64, 67}) accomp.Note(coda, 2 * Bar, Strings, key, 56, 1.0);
    accomp.Note(coda, 2 * Bar, Bass, 36, 80, 1.0);
    accomp.Note(coda, Ppq, Drums, 49, 70); // a soft cymbal

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3};
    file.push_back(static_cast<std::uint8_t>(Ppq >> 8));
    file.push_back(static_cast<std::uint8_t>(Ppq & 0xFF));
    for (Track* t : {&tempo, &lead, &accomp}) {
        const auto chunk = t->Chunk();
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_song OUTPUT_FILE\n");
        return 2;
    }
    const auto song = Song();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(song.data()), static_cast<std::streamsize>(song.size()));
    if (!out) {
        std::fprintf(stderr, "make_song: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
