// One stream from the network, played through Qt Multimedia on the default output. Connecting,
// buffering and decoding run in the multimedia back end's own threads: no call here waits for the
// network. A stream that cannot be opened, breaks off or stops moving is reported as failed.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace tarvo {

class AudioStream : public QObject {
    Q_OBJECT
  public:
    enum class State {
        Stopped,    // nothing asked for, paused, stopped or played to its end
        Connecting, // asked to play, no sound has come yet
        Playing,    // the position moves
        Failed,     // could not be opened, broke off or stalled
    };

    explicit AudioStream(QObject* parent = nullptr);
    ~AudioStream() override;

    // The address the next Play opens; what plays now stops.
    void Open(const QString& address);
    QString Address() const { return address_; }
    // Starts the stream, or goes on from where Pause left it.
    void Play();
    // Holds the position (a track goes on from there).
    void Pause();
    // Stops and lets go of the connection.
    void Stop();

    void SetVolume(int percent); // 0..100
    int Volume() const { return volume_; }
    State CurrentState() const { return state_; }
    bool Sounding() const { return state_ == State::Connecting || state_ == State::Playing; }
    qint64 Position() const; // milliseconds into the stream

    // How long a stream may take to bring its first sound, and how long a playing stream may stand
    // still, before it counts as failed. The defaults suit the Internet; tests shorten them.
    void SetPatience(int connectMs, int stallMs);

  signals:
    void stateChanged(State state);
    void ended();  // a track played to its end
    void failed(); // State::Failed was reached

  private:
    QMediaPlayer& Player();
    // Runs `work` once control is back in the event loop, unless the stream changed meanwhile.
    void Later(std::function<void()> work);
    void SetState(State state);
    void Fail();
    void Watch();

    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QAudioOutput> output_;
    QString address_;
    bool sourceSet_ = false;
    State state_ = State::Stopped;
    int volume_ = 100;
    int connectMs_ = 20000;
    int stallMs_ = 15000;
    QTimer watch_;
    QElapsedTimer sinceMove_; // since the position last moved, or since Play
    bool reopened_ = false;   // this Play has opened its stream a second time
    qint64 lastPosition_ = -1;
    int generation_ = 0; // counts the changes of what the player is asked to do
};

} // namespace tarvo
