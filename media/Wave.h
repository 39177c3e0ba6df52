// Reading the header of a RIFF WAVE image. Voice samples come from a package file that may be
// damaged, so every length is checked against the bytes that are really there.
#pragma once

#include <QByteArray>
#include <optional>

namespace tarvo {

struct WaveInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0; // 8 or 16
    qsizetype dataOffset = 0;
    qsizetype dataSize = 0; // whole sample frames only

    int DurationMs() const;
};

// Nullopt unless the bytes are a PCM wave (8 or 16 bits, one or two channels) whose "data"
// chunk lies inside them; a "data" chunk that claims more than is present is cut to what is.
std::optional<WaveInfo> ParseWave(const QByteArray& bytes);

} // namespace tarvo
