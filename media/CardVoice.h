// The card voice: a card named aloud in the player's language, from the voice package.
#pragma once

#include <QString>

#include <optional>

#include "core/Card.h"
#include "media/Sound.h"
#include "packages/Package.h"

namespace tarvo {

inline const QString VoicePackage = QStringLiteral("QobCVoice3.dll");

// The card part of a voice sample's name: suit then rank as on the face pictures ("Pi3Q" for the
// queen of spades, "Ch10" for the ten of hearts); the jokers "j1".."j3" give "XJBl", "XJRd",
// "XJBk". Empty for any other code.
QString VoiceCardPart(TStr2 code);
// "Eng", "Rus", ... by language index 0..9; English for an index out of range.
QString VoiceLanguageCode(int language);
// Card part + "Voice" + language code: the resource name of one sample in the package.
QString VoiceResourceName(TStr2 code, int language);

// The card voice of one game window: its voice package and the player it speaks through.
class CardVoice {
  public:
    CardVoice(const PackageRegistry& packages, SoundPlayer& sound) : packages_(packages), sound_(sound) {}

    // Names the card in `language`. The voice speaks whatever the sound setting says. False when
    // the voice package cannot be found (nothing is heard, nothing is reported); the package is
    // looked for again on the next call, and once found it stays open for the life of the voice.
    bool Say(TStr2 code, bool wait, int language);
    // Forgets the open voice package, so that the next call looks for it again.
    void Close() { package_.reset(); }

  private:
    const PackageRegistry& packages_;
    SoundPlayer& sound_;
    std::optional<Package> package_;
};

} // namespace tarvo
