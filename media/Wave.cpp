#include "media/Wave.h"

namespace tarvo {

namespace {
quint32 Le32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 Le16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return static_cast<quint16>(p[0] | p[1] << 8);
}
} // namespace

int WaveInfo::DurationMs() const {
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * (bitsPerSample / 8);
    if (bytesPerSecond <= 0) return 0;
    return static_cast<int>((qint64(dataSize) * 1000 + bytesPerSecond - 1) / bytesPerSecond);
}

std::optional<WaveInfo> ParseWave(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
    WaveInfo info;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = Le32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size()) return std::nullopt;
            if (Le16(bytes, body) != 1) return std::nullopt; // PCM only
            info.channels = Le16(bytes, body + 2);
            info.sampleRate = static_cast<int>(Le32(bytes, body + 4));
            info.bitsPerSample = Le16(bytes, body + 14);
            if (info.channels < 1 || info.channels > 2 || info.sampleRate < 4000 ||
                info.sampleRate > 192000 || (info.bitsPerSample != 8 && info.bitsPerSample != 16))
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return std::nullopt;
            const qsizetype frame = info.channels * (info.bitsPerSample / 8);
            qsizetype available = static_cast<qsizetype>(std::min<qint64>(size, bytes.size() - body));
            available -= available % frame;
            if (available <= 0) return std::nullopt;
            info.dataOffset = body;
            info.dataSize = available;
            return info;
        }
        at = body + static_cast<qsizetype>(size) + (size & 1); // chunks are padded to even sizes
        if (size > bytes.size()) break;
    }
    return std::nullopt;
}

} // namespace tarvo
