#include "media/SourceArbiter.h"

namespace tarvo {

void SourceArbiter::Attach(AudioSource source, std::function<void()> silence) {
    silencers_[static_cast<std::size_t>(source)] = std::move(silence);
}

void SourceArbiter::Claim(AudioSource source) {
    // A silencer that itself starts something must not start a second round.
    if (claiming_) return;
    claiming_ = true;
    for (std::size_t i = 0; i < silencers_.size(); ++i)
        if (i != static_cast<std::size_t>(source) && silencers_[i]) silencers_[i]();
    claiming_ = false;
}

} // namespace tarvo
