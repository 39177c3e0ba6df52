// Recording a game as an animated GIF. The window's thread only takes pictures (ten a second,
// once at the deal and once at the result) and hands them over; a worker thread per recording
// drops the unchanged ones, reduces colours and writes the file, a few pictures behind at most.
// The file is written under a temporary name in its folder and gets its real name, the moment the
// recording ended ("2024.05.01-13.45.10.gif"), only when it is whole.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "table/GifWriter.h"

namespace tarvo {

struct GifRecordingPlan {
    QString folder;     // created when missing
    int delayMs = 1000; // each frame's display time
    int lastDelayMs = 5000;
    int maxFrames = 250; // later changes are dropped: the file ends with the last frame kept
    // Pictures waiting for the worker at most; a capture that finds them all waiting replaces the
    // newest, so a slow disk costs moments of the recording, never memory or the window's time.
    std::size_t queueLimit = 8;
    GifQuality quality;
};

// What became of one recording.
struct GifRecordingOutcome {
    QString path;        // the file written; empty when it failed
    QString error;       // why not
    int pictures = 0;    // captures the worker received
    int frames = 0;      // of them, the frames in the file
    double encodeMs = 0; // the worker's time for them, file writing included
};

class GifRecorder : public QObject {
    Q_OBJECT
  public:
    using Capture = std::function<QImage()>;
    static constexpr int CaptureIntervalMs = 100;

    explicit GifRecorder(Capture capture, QObject* parent = nullptr);
    ~GifRecorder() override; // waits for the files still being written

    // A new recording (one still running is finished first); captures start at once.
    void StartRecording(const GifRecordingPlan& plan);
    // One picture for the recording: nothing when none runs, when it is full or has failed.
    void CaptureFrame();
    // Ends the recording; the rest is written in the background under the name of `at`.
    void FinishRecording(const QDateTime& at = QDateTime::currentDateTime());
    bool Recording() const { return current_ != nullptr; }
    // Blocks until every ended recording is on the disk (and reported), for the program's exit.
    void WaitForFiles();

    // "2024.05.01-13.45.10.gif" for that moment.
    static QString FileName(const QDateTime& at);

  signals:
    // On the window's thread, once per recording.
    void fileFinished(const GifRecordingOutcome& outcome);

  private:
    class Job;
    void Report(Job* job);

    Capture capture_;
    QTimer timer_;
    std::unique_ptr<Job> current_;
    std::vector<std::unique_ptr<Job>> finishing_;
};

} // namespace tarvo
