#include "media/CardVoice.h"

#include <array>

namespace tarvo {

QString VoiceCardPart(TStr2 code) {
    if (code.rank == 'j' && code.suit >= '1' && code.suit <= '3') {
        static const std::array<const char*, 3> jokers{"XJBl", "XJRd", "XJBk"};
        return QString::fromLatin1(jokers[static_cast<std::size_t>(code.suit - '1')]);
    }
    if (!IsRealCard(code)) return {};
    static const std::array<const char*, 4> suits{"Ch", "Bu", "Kr", "Pi"};
    static const std::array<const char*, RankCount> ranks{"06", "07", "08", "09", "10",
                                                          "2J", "3Q", "4K", "5A"};
    return QString::fromLatin1(suits[static_cast<std::size_t>(SuitIndex(code.suit) - 1)]) +
           QString::fromLatin1(ranks[static_cast<std::size_t>(RankOf(code) - 1)]);
}

QString VoiceLanguageCode(int language) {
    static const std::array<const char*, 10> codes{"Eng", "Rus", "Deu", "Fra", "Spa",
                                                   "Chi", "Ita", "Cze", "Jap", "Kor"};
    if (language < 0 || language >= static_cast<int>(codes.size())) language = 0;
    return QString::fromLatin1(codes[static_cast<std::size_t>(language)]);
}

QString VoiceResourceName(TStr2 code, int language) {
    return VoiceCardPart(code) + QStringLiteral("Voice") + VoiceLanguageCode(language);
}

bool CardVoice::Say(TStr2 code, bool wait, int language) {
    if (!package_) package_ = packages_.Open(VoicePackage);
    if (!package_) return false;
    // A sample the package lacks, or one that is damaged, is simply not heard.
    if (const auto wave = package_->Read(Wave, VoiceResourceName(code, language)))
        sound_.PlayWave(*wave, wait);
    return true;
}

} // namespace tarvo
