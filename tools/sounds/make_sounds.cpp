// Writes the game's sound effects as RIFF WAVE files (44100 Hz, 16-bit mono), one file per
// effect, named as the program looks them up (upper case, no extension).
//   make_sounds OUTPUT_DIR
// Everything is synthesised here so that the repository keeps the recipes, not the recordings.
// The random source is seeded, so every build writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double Pi = std::numbers::pi;

using Buffer = std::vector<double>;

int Samples(double seconds) {
    return static_cast<int>(seconds * Rate);
}

// A small linear congruential generator: reproducible noise on every platform.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

  private:
    std::uint32_t state_;
};

// A two-pole band-pass (constant peak gain), retuned per sample for sweeps.
class BandPass {
  public:
    double Run(double x, double centre, double q) {
        const double w = 2 * Pi * centre / Rate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        const double b0 = alpha / a0, b2 = -alpha / a0;
        const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
        const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

  private:
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double Note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void Ensure(Buffer& b, int end) {
    if (static_cast<int>(b.size()) < end) b.resize(static_cast<std::size_t>(end), 0.0);
}

// A struck or blown tone: partials with their own weights, a short attack, an exponential decay
// and a release at the end so that nothing clicks.
struct Tone {
    double freq = 440;
    double seconds = 0.3;
    double amp = 0.5;
    std::vector<double> partials{1.0};
    double attack = 0.005;
    double decay = 4.0;   // per second; 0 holds the level
    double vibrato = 0.0; // depth in semitones
    double glideTo = 0.0; // end frequency of a glide, 0 for none
    double detune = 0.0;  // a second voice this many cents off, for warmth
};

void AddTone(Buffer& b, double at, const Tone& t) {
    const int start = Samples(at), n = Samples(t.seconds);
    Ensure(b, start + n);
    const double release = std::min(0.03, t.seconds / 3);
    std::vector<double> phase(t.partials.size() * 2, 0.0);
    for (int i = 0; i < n; ++i) {
        const double s = static_cast<double>(i) / Rate;
        double env = std::min(1.0, s / t.attack) * std::exp(-t.decay * s);
        const double left = t.seconds - s;
        if (left < release) env *= left / release;
        double f = t.glideTo > 0 ? t.freq * std::pow(t.glideTo / t.freq, s / t.seconds) : t.freq;
        if (t.vibrato > 0) f *= std::pow(2.0, t.vibrato * std::sin(2 * Pi * 5.5 * s) / 12.0);
        double v = 0;
        for (std::size_t k = 0; k < t.partials.size(); ++k) {
            const double fk = f * static_cast<double>(k + 1);
            if (fk > Rate / 2.2) break;
            phase[k] += 2 * Pi * fk / Rate;
            v += t.partials[k] * std::sin(phase[k]);
            if (t.detune != 0) {
                phase[t.partials.size() + k] += 2 * Pi * fk * std::pow(2.0, t.detune / 1200) / Rate;
                v += t.partials[k] * std::sin(phase[t.partials.size() + k]);
            }
        }
        b[static_cast<std::size_t>(start + i)] += t.amp * env * v;
    }
}

// A bell: inharmonic partials that die at different speeds.
void AddBell(Buffer& b, double at, double freq, double seconds, double amp) {
    const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    const double weights[] = {1.0, 0.45, 0.3, 0.12, 0.06};
    const double decays[] = {3.5, 5.0, 7.0, 10.0, 14.0};
    for (int k = 0; k < 5; ++k) {
        Tone t;
        t.freq = freq * ratios[k];
        t.seconds = seconds;
        t.amp = amp * weights[k];
        t.attack = 0.002;
        t.decay = decays[k];
        AddTone(b, at, t);
    }
}

// A noise burst through a band-pass whose centre may move; shape gives the envelope over 0..1.
void AddNoise(Buffer& b, double at, double seconds, double amp, double fromHz, double toHz, double q,
              const std::function<double(double)>& shape, Noise& rng) {
    const int start = Samples(at), n = Samples(seconds);
    Ensure(b, start + n);
    BandPass filter;
    for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) / n;
        const double centre = fromHz * std::pow(toHz / fromHz, x);
        b[static_cast<std::size_t>(start + i)] += amp * shape(x) * filter.Run(rng.Next(), centre, q);
    }
}

// Brass-like note for the fanfares: many partials falling off gently, a soft swell.
Tone Brass(int midi, double seconds, double amp) {
    Tone t;
    t.freq = Note(midi);
    t.seconds = seconds;
    t.amp = amp;
    t.partials = {1.0, 0.7, 0.5, 0.35, 0.22, 0.14, 0.08, 0.05};
    t.attack = 0.025;
    t.decay = 1.2;
    t.detune = 6;
    return t;
}

// A mallet note (marimba-like): fundamental and the fourth partial, quick decay.
Tone Mallet(int midi, double seconds, double amp) {
    Tone t;
    t.freq = Note(midi);
    t.seconds = seconds;
    t.amp = amp;
    t.partials = {1.0, 0.0, 0.0, 0.25};
    t.attack = 0.003;
    t.decay = 7.0;
    return t;
}

// A card laid down on cloth: a crisp band of noise over a short low thump.
void CardSnap(Buffer& b, double at, double amp, Noise& rng) {
    AddNoise(
        b, at, 0.06, amp, 3200, 1800, 1.2, [](double x) { return std::exp(-x * 6); }, rng);
    Tone thump;
    thump.freq = 190;
    thump.glideTo = 110;
    thump.seconds = 0.09;
    thump.amp = amp * 0.8;
    thump.attack = 0.001;
    thump.decay = 35;
    AddTone(b, at, thump);
}

void Tick(Buffer& b, double freq, double seconds, double amp, Noise& rng) {
    Tone t;
    t.freq = freq;
    t.seconds = seconds;
    t.amp = amp;
    t.partials = {1.0, 0.0, 0.35};
    t.attack = 0.0005;
    t.decay = 60;
    AddTone(b, 0, t);
    AddNoise(
        b, 0, 0.012, amp * 0.6, freq * 2, freq * 2, 2.0, [](double x) { return 1 - x; }, rng);
}

// Scales to the target peak, adds 10 ms of silence at the end and returns 16-bit samples.
std::vector<std::int16_t> Finish(Buffer b, double peak) {
    double top = 0;
    for (double v : b) top = std::max(top, std::abs(v));
    const double gain = top > 0 ? peak / top : 0;
    b.resize(b.size() + static_cast<std::size_t>(Samples(0.01)), 0.0);
    std::vector<std::int16_t> out;
    out.reserve(b.size());
    for (double v : b)
        out.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v * gain, -1.0, 1.0) * 32767)));
    return out;
}

void Put32(std::ofstream& f, std::uint32_t v) {
    const char bytes[] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    f.write(bytes, 4);
}
void Put16(std::ofstream& f, std::uint16_t v) {
    const char bytes[] = {char(v), char(v >> 8)};
    f.write(bytes, 2);
}

bool WriteWave(const std::filesystem::path& path, const std::vector<std::int16_t>& pcm) {
    std::ofstream f(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    f.write("RIFF", 4);
    Put32(f, 36 + dataBytes);
    f.write("WAVEfmt ", 8);
    Put32(f, 16);
    Put16(f, 1); // PCM
    Put16(f, 1); // mono
    Put32(f, Rate);
    Put32(f, Rate * 2);
    Put16(f, 2);
    Put16(f, 16);
    f.write("data", 4);
    Put32(f, dataBytes);
    for (std::int16_t s : pcm) Put16(f, static_cast<std::uint16_t>(s));
    return static_cast<bool>(f);
}

struct Effect {
    const char* name;
    double peak;
    std::function<void(Buffer&, Noise&)> make;
};

std::vector<Effect> Effects() {
    return {
        // A card put on the table.
        {"WHODSDO", 0.70, [](Buffer& b, Noise& rng) { CardSnap(b, 0, 1.0, rng); }},
        // The defender takes: the cards are swept up, a falling whistle over a soft rustle.
        {"WHODBER", 0.40,
         [](Buffer& b, Noise& rng) {
             Tone sweep;
             sweep.freq = 880;
             sweep.glideTo = 330;
             sweep.seconds = 0.38;
             sweep.amp = 0.6;
             sweep.partials = {1.0, 0.3, 0.1};
             sweep.attack = 0.02;
             sweep.decay = 2.5;
             AddTone(b, 0, sweep);
             AddNoise(
                 b, 0, 0.38, 0.5, 2500, 700, 1.5, [](double x) { return std::sin(Pi * x); }, rng);
         }},
        // Beaten off: the pile slides to the discard, a rising and falling swoosh.
        {"WHODOTB", 0.60,
         [](Buffer& b, Noise& rng) {
             AddNoise(
                 b, 0, 0.42, 1.0, 500, 3500, 1.8, [](double x) { return std::pow(std::sin(Pi * x), 1.5); },
                 rng);
         }},
        // The turn passes on without a discard: a soft ding.
        {"WDING_1", 0.55, [](Buffer& b, Noise&) { AddBell(b, 0, Note(88), 0.7, 0.5); }},
        // The talon has run out: two soft falling chimes.
        {"WKOLONO", 0.55,
         [](Buffer& b, Noise&) {
             AddBell(b, 0, Note(79), 0.45, 0.5);
             AddBell(b, 0.18, Note(72), 0.6, 0.5);
         }},
        // A new deal: a riffle shuffle, some thirty quick snaps that slow down at the end.
        {"WTASOKO", 0.60,
         [](Buffer& b, Noise& rng) {
             double at = 0;
             for (int i = 0; i < 32; ++i) {
                 const double gap = 0.018 + 0.0006 * i + 0.004 * (rng.Next() + 1) / 2;
                 AddNoise(
                     b, at, 0.035, 0.7 + 0.3 * (rng.Next() + 1) / 2, 4200, 2600, 1.4,
                     [](double x) { return std::exp(-x * 4); }, rng);
                 at += gap;
             }
             CardSnap(b, at + 0.05, 0.7, rng);
         }},
        // A refused card: a gentle low buzz, twice.
        {"WWRONGS", 0.28,
         [](Buffer& b, Noise&) {
             for (double at : {0.0, 0.16}) {
                 Tone t;
                 t.freq = 155;
                 t.seconds = 0.13;
                 t.amp = 0.5;
                 t.partials = {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14, 0.0, 0.1};
                 t.attack = 0.01;
                 t.decay = 3;
                 AddTone(b, at, t);
             }
         }},
        // A window opens: a quick rising blip.
        {"WOPENFO", 0.50,
         [](Buffer& b, Noise&) {
             AddTone(b, 0, Mallet(84, 0.12, 0.5));
             AddTone(b, 0.07, Mallet(91, 0.18, 0.5));
         }},
        // Back to the menu: a falling arpeggio.
        {"WTOMENK", 0.50,
         [](Buffer& b, Noise&) {
             AddTone(b, 0, Mallet(79, 0.2, 0.5));
             AddTone(b, 0.09, Mallet(76, 0.2, 0.5));
             AddTone(b, 0.18, Mallet(72, 0.35, 0.5));
         }},
        // The score went up: a short rising major arpeggio.
        {"WKOGOOD", 0.60,
         [](Buffer& b, Noise&) {
             const int notes[] = {72, 76, 79, 84};
             for (int i = 0; i < 4; ++i) AddTone(b, 0.1 * i, Brass(notes[i], i == 3 ? 0.45 : 0.16, 0.4));
         }},
        // The score went down: a falling minor line, the last note wobbling.
        {"WKOBADS", 0.55,
         [](Buffer& b, Noise&) {
             AddTone(b, 0, Brass(67, 0.2, 0.4));
             AddTone(b, 0.2, Brass(63, 0.2, 0.4));
             Tone last = Brass(60, 0.5, 0.4);
             last.vibrato = 0.3;
             AddTone(b, 0.4, last);
         }},
        // A network game is over: "ta-da" on two bell chords.
        {"WKOGUTX", 0.60,
         [](Buffer& b, Noise&) {
             for (int n : {72, 76}) AddBell(b, 0, Note(n), 0.3, 0.35);
             for (int n : {79, 84}) AddBell(b, 0.16, Note(n), 0.7, 0.35);
         }},
        // End of a cycle, a good result: a little fanfare ending on a held chord.
        {"WFIGOOD", 0.65,
         [](Buffer& b, Noise&) {
             const int notes[] = {67, 72, 76};
             for (int i = 0; i < 3; ++i) AddTone(b, 0.11 * i, Brass(notes[i], 0.12, 0.35));
             for (int n : {72, 76, 79, 84}) AddTone(b, 0.33, Brass(n, 0.8, 0.25));
         }},
        // A poor result: a sad, sliding trombone.
        {"WFIBADS", 0.55,
         [](Buffer& b, Noise&) {
             const int notes[] = {62, 61, 60};
             for (int i = 0; i < 3; ++i) AddTone(b, 0.3 * i, Brass(notes[i], 0.28, 0.45));
             Tone last = Brass(59, 0.75, 0.45);
             last.vibrato = 0.35;
             last.glideTo = Note(58);
             AddTone(b, 0.9, last);
         }},
        // The best result: a bigger fanfare with a sparkle on top.
        {"WFIBEST", 0.65,
         [](Buffer& b, Noise&) {
             AddTone(b, 0.0, Brass(72, 0.1, 0.35));
             AddTone(b, 0.12, Brass(72, 0.1, 0.35));
             AddTone(b, 0.24, Brass(72, 0.1, 0.35));
             AddTone(b, 0.36, Brass(79, 0.3, 0.35));
             AddTone(b, 0.66, Brass(76, 0.12, 0.35));
             for (int n : {72, 76, 79, 84}) AddTone(b, 0.8, Brass(n, 0.95, 0.22));
             for (int i = 0; i < 5; ++i) AddBell(b, 0.8 + 0.07 * i, Note(96 + (i % 2) * 3), 0.4, 0.08);
         }},
        // A clock tick while there is time, and a lower, firmer tock for the last seven seconds.
        {"STIMERA", 0.45, [](Buffer& b, Noise& rng) { Tick(b, 2100, 0.05, 0.5, rng); }},
        {"STIMERB", 0.60, [](Buffer& b, Noise& rng) { Tick(b, 1050, 0.09, 0.6, rng); }},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::uint32_t seed = 20261;
    for (const Effect& e : Effects()) {
        Noise rng(seed++);
        Buffer b;
        e.make(b, rng);
        if (!WriteWave(dir / e.name, Finish(std::move(b), e.peak))) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", (dir / e.name).c_str());
            return 1;
        }
    }
    return 0;
}
