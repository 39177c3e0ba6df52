// The song player on FluidSynth.
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "media/Song.h"
#include "media/Sound.h"

namespace tarvo {

namespace {
// FluidSynth renders quietly at its default gain of 0.2; this brings the song to about the level
// of the sound effects.
constexpr double SongGain = 1.0;
constexpr int SampleRate = 44100;

// Looking for an output on a machine without sound makes FluidSynth and ALSA complain on the
// terminal at every start; a missing output is reported once, in our own words, instead.
void AlsaQuiet(const char*, int, const char*, int, const char*, ...) {}

void QuietLogs() {
    static const bool done = [] {
        for (int level : {FLUID_DBG, FLUID_INFO, FLUID_WARN, FLUID_ERR})
            fluid_set_log_function(level, nullptr, nullptr);
        snd_lib_error_set_handler(AlsaQuiet);
        return true;
    }();
    (void)done;
}

// The outputs this FluidSynth was built with, in the order we try them: the sound servers first,
// then ALSA when the machine has a sound card at all. JACK is never tried: it may start a server
// of its own and keep us waiting.
std::vector<std::string> OutputDrivers(fluid_settings_t* settings) {
    std::vector<std::string> built;
    fluid_settings_foreach_option(settings, "audio.driver", &built, [](void* data, const char*, const char* option) {
        static_cast<std::vector<std::string>*>(data)->emplace_back(option);
    });
    int card = -1;
    const bool alsaCard = snd_card_next(&card) == 0 && card >= 0;
    std::vector<std::string> drivers;
    for (const char* d : {"pipewire", "pulseaudio", "alsa"})
        if (std::find(built.begin(), built.end(), d) != built.end() && (std::string(d) != "alsa" || alsaCard))
            drivers.emplace_back(d);
    return drivers;
}

fluid_settings_t* NewSettings() {
    QuietLogs();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.gain", SongGain);
    fluid_settings_setnum(settings, "synth.sample-rate", SampleRate);
    // The player follows the rendered samples, so a render without a device keeps time too.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    return settings;
}

bool LooksLikeMidi(const QByteArray& bytes) {
    return bytes.size() > 22 && bytes.startsWith("MThd");
}
} // namespace

// Settings, synthesiser, output and player, released in the order FluidSynth needs.
// The output renders on a thread of its own that also drives the player, so a player is made or
// dropped only while no output runs: the output stops first and starts again after.
struct FluidRig {
    ~FluidRig();
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    fluid_player_t* player = nullptr;

    bool StartOutput() {
        if (!driver) driver = new_fluid_audio_driver(settings, synth);
        return driver != nullptr;
    }
    void StopOutput() {
        if (driver) delete_fluid_audio_driver(driver);
        driver = nullptr;
    }
    void DropPlayer() {
        if (!player) return;
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
    }
};

FluidRig::~FluidRig() {
    StopOutput();
    DropPlayer();
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
}

QString FluidSongPlayer::DefaultSoundFont() {
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (QFileInfo(QString::fromLatin1(path)).isFile()) return QString::fromLatin1(path);
    return {};
}

FluidSongPlayer::FluidSongPlayer(QString soundFont, QString renderTo)
    : soundFont_(std::move(soundFont)), renderTo_(std::move(renderTo)) {}

FluidSongPlayer::~FluidSongPlayer() = default;

bool FluidSongPlayer::Open(const QString& path) {
    Close();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) midi_ = file.readAll();
    auto synth = std::make_unique<FluidRig>();
    synth->settings = NewSettings();
    synth->synth = new_fluid_synth(synth->settings);
    error_ = !LooksLikeMidi(midi_) || soundFont_.isEmpty() || !synth->synth ||
             fluid_synth_sfload(synth->synth, QFile::encodeName(soundFont_).constData(), 1) == FLUID_FAILED;
    if (!error_) {
        std::vector<std::string> drivers;
        if (!renderTo_.isEmpty()) {
            fluid_settings_setstr(synth->settings, "audio.file.name",
                                  QFile::encodeName(renderTo_).constData());
            fluid_settings_setstr(synth->settings, "audio.file.type", "wav");
            drivers.emplace_back("file");
        } else {
            drivers = OutputDrivers(synth->settings);
        }
        for (const std::string& d : drivers) {
            if (fluid_settings_setstr(synth->settings, "audio.driver", d.c_str()) != FLUID_OK) continue;
            if (synth->StartOutput()) break; // the chosen driver stays in the settings
        }
        error_ = !synth->driver;
        if (error_ && renderTo_.isEmpty()) ReportNoSoundDevice();
    }
    if (error_) return false;
    synth_ = std::move(synth);
    return true;
}

void FluidSongPlayer::Close() {
    synth_.reset();
    midi_.clear();
    error_ = false;
}

bool FluidSongPlayer::IsOpen() const {
    return synth_ != nullptr;
}

void FluidSongPlayer::Play() {
    if (!synth_) return;
    // A fresh player each time: a finished FluidSynth player does not start over.
    synth_->StopOutput();
    synth_->DropPlayer();
    fluid_synth_system_reset(synth_->synth);
    synth_->player = new_fluid_player(synth_->synth);
    if (!synth_->player ||
        fluid_player_add_mem(synth_->player, midi_.constData(), static_cast<size_t>(midi_.size())) !=
            FLUID_OK ||
        fluid_player_play(synth_->player) != FLUID_OK)
        synth_->DropPlayer();
    synth_->StartOutput();
}

void FluidSongPlayer::Stop() {
    if (!synth_) return;
    synth_->StopOutput();
    synth_->DropPlayer();
    fluid_synth_all_sounds_off(synth_->synth, -1); // the next start begins in silence
}

bool FluidSongPlayer::IsPlaying() const {
    return synth_ && synth_->player && fluid_player_get_status(synth_->player) == FLUID_PLAYER_PLAYING;
}

QByteArray RenderSong(const QByteArray& midi, const QString& soundFont, double seconds) {
    if (!LooksLikeMidi(midi) || seconds <= 0) return {};
    FluidRig s;
    s.settings = NewSettings();
    s.synth = new_fluid_synth(s.settings);
    if (!s.synth || fluid_synth_sfload(s.synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return {};
    s.player = new_fluid_player(s.synth);
    if (!s.player ||
        fluid_player_add_mem(s.player, midi.constData(), static_cast<size_t>(midi.size())) != FLUID_OK ||
        fluid_player_play(s.player) != FLUID_OK)
        return {};
    const int frames = static_cast<int>(seconds * SampleRate);
    QByteArray wave(44 + qsizetype(frames) * 4, '\0');
    auto* pcm = reinterpret_cast<qint16*>(wave.data() + 44);
    for (int done = 0; done < frames;) {
        const int block = std::min(1024, frames - done);
        fluid_synth_write_s16(s.synth, block, pcm + qsizetype(done) * 2, 0, 2, pcm + qsizetype(done) * 2, 1,
                              2);
        done += block;
    }
    auto* h = reinterpret_cast<uchar*>(wave.data());
    const quint32 dataBytes = static_cast<quint32>(frames) * 4;
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + dataBytes, h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(2, h + 22);
    qToLittleEndian<quint32>(SampleRate, h + 24);
    qToLittleEndian<quint32>(SampleRate * 4, h + 28);
    qToLittleEndian<quint16>(4, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(dataBytes, h + 40);
    return wave;
}

} // namespace tarvo
