// Speaks every card in the ten languages with espeak-ng and lists the samples for the resource
// compiler, under the names the card voice looks up ("Pi3QVoiceRus", upper-cased).
//   make_voice ESPEAK_NG OUTPUT_DIR
// writes OUTPUT_DIR/wav/<NAME>.wav and OUTPUT_DIR/voice.qrc. A language whose espeak-ng voice is
// missing is spoken in English under its own names, and said so on the standard error.
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Suits in the order hearts, diamonds, clubs, spades; ranks 6, 7, 8, 9, 10, jack, queen, king, ace.
const std::array<const char*, 4> SuitParts{"Ch", "Bu", "Kr", "Pi"};
const std::array<const char*, 9> RankParts{"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};

struct Language {
    const char* code;  // as in the resource names
    const char* voice; // espeak-ng voice
    // The spoken name of a card: rank 0..8, suit 0..3.
    std::string (*say)(int rank, int suit);
};

template <std::size_t N> std::string At(const std::array<const char*, N>& a, int i) {
    return a[static_cast<std::size_t>(i)];
}

std::string English(int rank, int suit) {
    static const std::array<const char*, 9> r{"Six",  "Seven", "Eight", "Nine", "Ten",
                                              "Jack", "Queen", "King",  "Ace"};
    static const std::array<const char*, 4> s{"Hearts", "Diamonds", "Clubs", "Spades"};
    return At(r, rank) + " of " + At(s, suit);
}

std::string Russian(int rank, int suit) {
    static const std::array<const char*, 9> r{"Шестёрка", "Семёрка", "Восьмёрка", "Девятка", "Десятка",
                                              "Валет",    "Дама",    "Король",    "Туз"};
    static const std::array<const char*, 4> s{"червей", "бубен", "треф", "пик"};
    return At(r, rank) + " " + At(s, suit);
}

std::string German(int rank, int suit) {
    static const std::array<const char*, 9> r{"Sechs", "Sieben", "Acht",  "Neun", "Zehn",
                                              "Bube",  "Dame",   "König", "Ass"};
    static const std::array<const char*, 4> s{"Herz", "Karo", "Kreuz", "Pik"};
    return At(s, suit) + "-" + At(r, rank);
}

std::string French(int rank, int suit) {
    static const std::array<const char*, 9> r{"Six",   "Sept", "Huit", "Neuf", "Dix",
                                              "Valet", "Dame", "Roi",  "As"};
    static const std::array<const char*, 4> s{"cœur", "carreau", "trèfle", "pique"};
    return At(r, rank) + " de " + At(s, suit);
}

std::string Spanish(int rank, int suit) {
    static const std::array<const char*, 9> r{"Seis", "Siete", "Ocho", "Nueve", "Diez",
                                              "Jota", "Reina", "Rey",  "As"};
    static const std::array<const char*, 4> s{"corazones", "diamantes", "tréboles", "picas"};
    return At(r, rank) + " de " + At(s, suit);
}

// Pinyin with tone numbers, which the Mandarin voice reads; the court cards and the ace by their
// usual table names (gou, quan, kai, jian).
std::string Chinese(int rank, int suit) {
    static const std::array<const char*, 9> r{"liu4", "qi1",   "ba1",  "jiu3", "shi2",
                                              "gou1", "quan1", "kai3", "jian1"};
    static const std::array<const char*, 4> s{"hong2 tao2", "fang1 kuai4", "mei2 hua1", "hei1 tao2"};
    return At(s, suit) + " " + At(r, rank);
}

std::string Italian(int rank, int suit) {
    static const std::array<const char*, 9> r{"Sei",   "Sette", "Otto", "Nove", "Dieci",
                                              "Fante", "Donna", "Re",   "Asso"};
    static const std::array<const char*, 4> s{"cuori", "quadri", "fiori", "picche"};
    return At(r, rank) + " di " + At(s, suit);
}

// The suit is an adjective that agrees with the rank noun: feminine, masculine (jack, king) or
// neuter (ace).
std::string Czech(int rank, int suit) {
    static const std::array<const char*, 9> r{"šestka", "sedmička", "osmička", "devítka", "desítka",
                                              "kluk",   "dáma",     "král",    "eso"};
    static const std::array<const char*, 4> stem{"srdcov", "károv", "křížov", "pikov"};
    const char* ending = rank == 5 || rank == 7 ? "ý" : rank == 8 ? "é" : "á";
    return At(stem, suit) + ending + " " + At(r, rank);
}

// Kana only: the Japanese voice does not read kanji.
std::string Japanese(int rank, int suit) {
    static const std::array<const char*, 9> r{"ろく",     "なな",     "はち",   "きゅう", "じゅう",
                                              "ジャック", "クイーン", "キング", "エース"};
    static const std::array<const char*, 4> s{"ハート", "ダイヤ", "クラブ", "スペード"};
    return At(s, suit) + "の" + At(r, rank);
}

std::string Korean(int rank, int suit) {
    static const std::array<const char*, 9> r{"육", "칠", "팔", "구", "십", "잭", "퀸", "킹", "에이스"};
    static const std::array<const char*, 4> s{"하트", "다이아몬드", "클로버", "스페이드"};
    return At(s, suit) + " " + At(r, rank);
}

const std::array<Language, 10> Languages{{
    {"Eng", "en", English},
    {"Rus", "ru", Russian},
    {"Deu", "de", German},
    {"Fra", "fr", French},
    {"Spa", "es", Spanish},
    {"Chi", "cmn-latn-pinyin", Chinese},
    {"Ita", "it", Italian},
    {"Cze", "cs", Czech},
    {"Jap", "ja", Japanese},
    {"Kor", "ko", Korean},
}};

std::string Quoted(const fs::path& p) {
    std::string out = "'";
    for (char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool Speak(const std::string& espeak, const char* voice, const std::string& text, const fs::path& textFile,
           const fs::path& wave) {
    {
        std::ofstream t(textFile, std::ios::binary);
        t << text << '\n';
    }
    std::error_code ec;
    fs::remove(wave, ec);
    const std::string command = Quoted(espeak) + " -v " + voice + " -s 150 -f " + Quoted(textFile) + " -w " +
                                Quoted(wave) + " 2>/dev/null";
    return std::system(command.c_str()) == 0 && fs::exists(wave) && fs::file_size(wave) > 1000;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_voice ESPEAK_NG OUTPUT_DIR\n");
        return 2;
    }
    const std::string espeak = argv[1];
    const fs::path out = argv[2];
    const fs::path waves = out / "wav";
    fs::create_directories(waves);
    const fs::path textFile = out / "card.txt";
    std::ofstream qrc(out / "voice.qrc.tmp");
    qrc << "<RCC>\n  <qresource prefix=\"/WAVE\">\n";
    for (const Language& lang : Languages) {
        bool fellBack = false;
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < 9; ++rank) {
                const std::string name =
                    Upper(std::string(SuitParts[static_cast<std::size_t>(suit)]) +
                          RankParts[static_cast<std::size_t>(rank)] + "Voice" + lang.code);
                const fs::path wave = waves / (name + ".wav");
                if (!Speak(espeak, lang.voice, lang.say(rank, suit), textFile, wave)) {
                    fellBack = true;
                    if (!Speak(espeak, "en", English(rank, suit), textFile, wave)) {
                        std::fprintf(stderr, "make_voice: espeak-ng failed for %s\n", name.c_str());
                        return 1;
                    }
                }
                qrc << "    <file alias=\"" << name << "\">wav/" << name << ".wav</file>\n";
            }
        if (fellBack)
            std::fprintf(stderr, "make_voice: no espeak-ng voice \"%s\": %s cards are spoken in English\n",
                         lang.voice, lang.code);
    }
    qrc << "  </qresource>\n</RCC>\n";
    qrc.close();
    if (!qrc) return 1;
    fs::rename(out / "voice.qrc.tmp", out / "voice.qrc");
    std::error_code ec;
    fs::remove(textFile, ec);
    return 0;
}
