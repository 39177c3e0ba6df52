#include <gtest/gtest.h>

#include <QtEndian>

#include "media/Wave.h"

namespace tarvo {
namespace {

// A wave of `frames` 16-bit mono frames at 8000 Hz, with an optional chunk before "data".
QByteArray MakeWave(int frames, const QByteArray& extraChunk = {}, int format = 1, int bits = 16) {
    QByteArray fmt(16, '\0');
    auto* f = reinterpret_cast<uchar*>(fmt.data());
    qToLittleEndian<quint16>(static_cast<quint16>(format), f);
    qToLittleEndian<quint16>(1, f + 2);
    qToLittleEndian<quint32>(8000, f + 4);
    qToLittleEndian<quint32>(static_cast<quint32>(8000 * bits / 8), f + 8);
    qToLittleEndian<quint16>(static_cast<quint16>(bits / 8), f + 12);
    qToLittleEndian<quint16>(static_cast<quint16>(bits), f + 14);
    auto chunk = [](const char* id, const QByteArray& body) {
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(static_cast<quint32>(body.size()), size.data());
        QByteArray out = QByteArray(id, 4) + size + body;
        if (body.size() % 2) out += '\0';
        return out;
    };
    QByteArray body = QByteArray("WAVE") + chunk("fmt ", fmt) + extraChunk +
                      chunk("data", QByteArray(frames * bits / 8, '\x10'));
    QByteArray size(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(body.size()), size.data());
    return QByteArray("RIFF") + size + body;
}

TEST(Wave, ReadsTheFormatAndTheLengthOfTheSamples) {
    const auto info = ParseWave(MakeWave(4000));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->sampleRate, 8000);
    EXPECT_EQ(info->bitsPerSample, 16);
    EXPECT_EQ(info->dataOffset, 44);
    EXPECT_EQ(info->dataSize, 8000);
    EXPECT_EQ(info->DurationMs(), 500);
}

TEST(Wave, SkipsOtherChunksIncludingOddSizedOnes) {
    // A "LIST" chunk of odd length is followed by a pad byte before the next chunk.
    const QByteArray list = QByteArray("LIST") + QByteArray("\x03\0\0\0", 4) + "abc" + QByteArray(1, '\0');
    const auto info = ParseWave(MakeWave(800, list));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->dataSize, 1600);
    EXPECT_EQ(info->DurationMs(), 100);
}

TEST(Wave, CutsADataChunkThatClaimsMoreThanIsThere) {
    QByteArray wave = MakeWave(1000);
    wave.chop(501); // half a frame too: only whole frames count
    const auto info = ParseWave(wave);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->dataSize, 1498);
}

TEST(Wave, RefusesWhatIsNotAPlayableWave) {
    const QByteArray good = MakeWave(100);
    QByteArray hugeFmt = good;
    hugeFmt[16] = '\xFF'; // the "fmt " chunk claims to run past the end
    hugeFmt[17] = '\xFF';
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", good.left(12)},
        {"not RIFF", QByteArray("RIFX") + good.mid(4)},
        {"not WAVE", good.left(8) + "AVI " + good.mid(12)},
        {"compressed", MakeWave(100, {}, 2)},
        {"24-bit", MakeWave(100, {}, 1, 24)},
        {"no samples", MakeWave(0)},
        {"cut in the format", good.left(30)},
        {"cut before the data", good.left(44)},
        {"format past the end", hugeFmt},
        {"text", QByteArray("RIFF but nothing after it\n")},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseWave(c.bytes)) << c.what;
}

} // namespace
} // namespace tarvo
