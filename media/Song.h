// The menu song: the program's MIDI resource "MidiSong", copied to the temporary folder and
// played through a song player while the title screen or the main menu is up.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace tarvo {

// "temp" + game number 15 + "_25.mid".
inline const QString SongFileName = QStringLiteral("temp15_25.mid");

// The media player of the song.
class SongPlayer {
  public:
    virtual ~SongPlayer() = default;
    // Loads a MIDI file; false (and HasError) when it cannot be read or there is nothing to
    // play it on.
    virtual bool Open(const QString& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool HasError() const = 0;
    virtual void Play() = 0; // from the beginning, once through
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// What the song has to tell the player; the caller shows the text from the language tables.
class SongMessages {
  public:
    virtual ~SongMessages() = default;
    virtual void CantCreateMusicFile() = 0; // "Can`t create music file!"
};

// Where the song file goes in `folder`; an empty folder is the system's temporary folder.
QString SongFilePath(const QString& folder = {});

// The song as built into the program.
QByteArray SongResource();

// Writes the song file `path` unless it is already there, then opens it in the player. When the
// file cannot be written the player is told of the failure, is left without a file, and false
// returns.
bool PrepareSong(SongPlayer& player, SongMessages& messages, const QString& path);
// Starts (`on`) or stops the song, if its file `path` exists and the player reports no error.
void PlaySong(SongPlayer& player, bool on, const QString& path);
// Removes the song file; the settings' save at exit calls this.
void DeleteSongFile(const QString& path);

// When the song is heard: it starts on the title screen and at every return to the main menu when
// music is on, and stops when a game is dealt. It plays once through and is not repeated.
class MenuSong {
  public:
    // `path` is the song file, written by PrepareSong.
    MenuSong(SongPlayer& player, QString path) : player_(player), path_(std::move(path)) {}
    const QString& Path() const { return path_; }

    void ShowMenu(bool musicOn); // start-up and every return to the menu
    void DealGame();
    void SwitchMusic(bool on); // the options or the menu switched music
    bool MenuUp() const { return menuUp_; }

  private:
    SongPlayer& player_;
    QString path_;
    bool menuUp_ = true; // the title screen counts as the menu
};

struct FluidRig;

// FluidSynth with a General MIDI sound font, played on the default audio output. Without an
// output (a machine with no sound) Open fails and the song stays silent.
class FluidSongPlayer final : public SongPlayer {
  public:
    // With `renderTo` the song goes into that wave file instead of the speakers, in real time:
    // the player can then be checked on a machine without sound.
    explicit FluidSongPlayer(QString soundFont = DefaultSoundFont(), QString renderTo = {});
    ~FluidSongPlayer() override;

    bool Open(const QString& path) override;
    void Close() override;
    bool IsOpen() const override;
    bool HasError() const override { return error_; }
    void Play() override;
    void Stop() override;
    bool IsPlaying() const override;

    // The General MIDI font Debian installs; empty when there is none.
    static QString DefaultSoundFont();

  private:
    QString soundFont_;
    QString renderTo_;
    QByteArray midi_;
    std::unique_ptr<FluidRig> synth_;
    bool error_ = false;
};

// Renders the first `seconds` of a MIDI file to a 44100 Hz 16-bit stereo RIFF WAVE image at the
// loudness the player uses, without an audio device. Empty when the file or font cannot be loaded.
QByteArray RenderSong(const QByteArray& midi, const QString& soundFont, double seconds);

} // namespace tarvo
