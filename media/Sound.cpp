#include "media/Sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QMediaDevices>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <memory>
#include <thread>

namespace tarvo {

struct QtWaveOutput::Impl {
    QByteArray pcm;
    std::unique_ptr<QBuffer> buffer;
    std::unique_ptr<QAudioSink> sink;
};

QtWaveOutput::QtWaveOutput() : impl_(std::make_unique<Impl>()) {}

QtWaveOutput::~QtWaveOutput() {
    Stop();
}

void QtWaveOutput::Start(const QByteArray& wave, const WaveInfo& info) {
    Stop();
    // Qt Multimedia needs the application object; a tool or a test without one stays silent.
    if (!QCoreApplication::instance()) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        ReportNoSoundDevice();
        return;
    }
    QAudioFormat format;
    format.setSampleRate(info.sampleRate);
    format.setChannelCount(info.channels);
    format.setSampleFormat(info.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return;
    impl_->pcm = wave.mid(info.dataOffset, info.dataSize);
    impl_->buffer = std::make_unique<QBuffer>(&impl_->pcm);
    impl_->buffer->open(QIODevice::ReadOnly);
    impl_->sink = std::make_unique<QAudioSink>(device, format);
    impl_->sink->start(impl_->buffer.get());
}

void QtWaveOutput::Stop() {
    if (impl_->sink) impl_->sink->stop();
    impl_->sink.reset();
    impl_->buffer.reset();
    impl_->pcm.clear();
}

void ReportNoSoundDevice() {
    // The terminal is the process's own, so one line for the whole process, whichever player
    // found out first.
    static std::once_flag told;
    std::call_once(told, [] { std::fprintf(stderr, "No sound device: the game plays without sound.\n"); });
}

SoundPlayer::SoundPlayer() : speakers_(std::make_unique<QtWaveOutput>()), output_(speakers_.get()) {}

SoundPlayer::SoundPlayer(WaveOutput& output) : output_(&output) {}

SoundPlayer::~SoundPlayer() {
    output_->Stop();
}

void SoundPlayer::SetOutput(WaveOutput* output) {
    output_->Stop();
    if (!output && !speakers_) speakers_ = std::make_unique<QtWaveOutput>();
    output_ = output ? output : speakers_.get();
}

void WaitWithoutInput(int ms) {
    if (ms <= 0) return;
    if (!QCoreApplication::instance()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool SoundPlayer::PlayWave(const QByteArray& wave, bool wait) {
    const auto info = ParseWave(wave);
    if (!info) return false;
    output_->Start(wave, *info);
    if (wait) WaitWithoutInput(info->DurationMs());
    return true;
}

std::optional<QByteArray> ResourceWave(std::string_view name) {
    // Read once: the effects are small and some play every second of a timed move.
    static QHash<QString, QByteArray> cache;
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    if (key.isEmpty()) return std::nullopt;
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    QFile file(QStringLiteral(":/WAVE/") + key);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return *cache.insert(key, file.readAll());
}

bool SoundPlayer::PlayResource(std::string_view name, bool wait, bool enabled) {
    if (!enabled) return false;
    const auto wave = ResourceWave(name);
    return wave && PlayWave(*wave, wait);
}

bool EffectWaits(std::string_view name) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    return key == QLatin1String("WHODSDO") || key == QLatin1String("WHODBER") ||
           key == QLatin1String("WHODOTB") || key == QLatin1String("WDING_1") ||
           key == QLatin1String("WKOLONO");
}

} // namespace tarvo
