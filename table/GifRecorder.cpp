#include "GifRecorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tarvo {

// One recording's worker: a bounded queue of pictures in, one file out.
class GifRecorder::Job {
  public:
    explicit Job(GifRecordingPlan plan) : plan_(std::move(plan)) {}

    // The owner outlives the worker (it joins it), and learns of the end on its own thread.
    void Start(GifRecorder* owner) {
        thread_ = std::thread([this, owner] {
#ifdef __linux__
            // The window's thread comes first: a card flight must not wait for the encoder.
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
#endif
            Run();
            QMetaObject::invokeMethod(
                owner, [owner, job = this] { owner->Report(job); }, Qt::QueuedConnection);
        });
    }

    // Whether another picture could still become a frame.
    bool Open() const { return !failed_ && frames_ < plan_.maxFrames; }

    void Push(QImage picture) {
        {
            std::lock_guard lock(mutex_);
            if (queue_.size() >= std::max<std::size_t>(plan_.queueLimit, 1))
                queue_.back() = std::move(picture);
            else
                queue_.push_back(std::move(picture));
        }
        wake_.notify_one();
    }

    void Finish(const QString& name) {
        {
            std::lock_guard lock(mutex_);
            finalName_ = name;
            finishing_ = true;
        }
        wake_.notify_one();
    }

    void Join() {
        if (thread_.joinable()) thread_.join();
    }

    GifRecordingOutcome outcome; // read after Join

  private:
    void Run() {
        GifWriter writer(plan_.quality);
        QString temporary;
        if (!QDir().mkpath(plan_.folder)) {
            Failed(QStringLiteral("cannot create the folder"));
        } else {
            // A unique name in the folder itself, so that the final rename never crosses disks.
            QTemporaryFile reserve(plan_.folder + QStringLiteral("/recording-XXXXXX.gif.part"));
            reserve.setAutoRemove(false);
            if (!reserve.open()) {
                Failed(reserve.errorString());
            } else {
                temporary = reserve.fileName();
                reserve.close();
                if (!writer.Open(temporary)) Failed(writer.Error());
            }
        }
        QString name;
        for (;;) {
            QImage picture;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return finishing_ || !queue_.empty(); });
                if (queue_.empty()) {
                    name = finalName_;
                    break;
                }
                picture = std::move(queue_.front());
                queue_.pop_front();
            }
            ++outcome.pictures;
            if (!Open()) continue;
            QElapsedTimer clock;
            clock.start();
            const GifWriter::Added added = writer.Add(picture, plan_.delayMs);
            outcome.encodeMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
            switch (added) {
            case GifWriter::Added::Frame:
                ++frames_;
                break;
            case GifWriter::Added::Unchanged:
                break;
            case GifWriter::Added::Failed:
                Failed(writer.Error());
                break;
            }
        }
        QElapsedTimer clock;
        clock.start();
        if (!failed_ && writer.Frames() > 0 && !writer.Close(plan_.lastDelayMs)) Failed(writer.Error());
        outcome.encodeMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        outcome.frames = writer.Frames();
        if (!failed_ && writer.Frames() > 0) Rename(temporary, name);
        if (!temporary.isEmpty() && outcome.path.isEmpty()) QFile::remove(temporary);
    }

    // The moment's name, or with "-2", "-3", ... when a recording of the same second is there.
    void Rename(const QString& temporary, const QString& name) {
        const QString base = plan_.folder + '/' + name.chopped(4);
        for (int n = 1; n < 100; ++n) {
            const QString candidate = n == 1 ? base + ".gif" : base + '-' + QString::number(n) + ".gif";
            if (QFile::exists(candidate)) continue;
            QFile file(temporary);
            if (file.rename(candidate)) {
                // Readable by the player's other programs, as any picture he saves.
                file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
                outcome.path = candidate;
                return;
            }
            if (!QFile::exists(candidate)) {
                Failed(file.errorString());
                return;
            }
        }
        Failed(QStringLiteral("too many recordings of the same second"));
    }

    void Failed(const QString& why) {
        if (!failed_) outcome.error = why.isEmpty() ? QStringLiteral("unknown error") : why;
        failed_ = true;
    }

    const GifRecordingPlan plan_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<QImage> queue_;
    bool finishing_ = false;
    QString finalName_;
    std::atomic<int> frames_{0};
    std::atomic<bool> failed_{false};
};

GifRecorder::GifRecorder(Capture capture, QObject* parent) : QObject(parent), capture_(std::move(capture)) {
    timer_.setInterval(CaptureIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &GifRecorder::CaptureFrame);
}

GifRecorder::~GifRecorder() {
    WaitForFiles();
}

QString GifRecorder::FileName(const QDateTime& at) {
    return at.toString(QStringLiteral("yyyy.MM.dd-hh.mm.ss")) + QStringLiteral(".gif");
}

void GifRecorder::StartRecording(const GifRecordingPlan& plan) {
    FinishRecording();
    current_ = std::make_unique<Job>(plan);
    current_->Start(this);
    timer_.start();
}

void GifRecorder::CaptureFrame() {
    if (!current_ || !current_->Open()) return;
    QImage picture = capture_();
    if (!picture.isNull()) current_->Push(std::move(picture));
}

void GifRecorder::FinishRecording(const QDateTime& at) {
    timer_.stop();
    if (!current_) return;
    current_->Finish(FileName(at));
    finishing_.push_back(std::move(current_));
}

void GifRecorder::WaitForFiles() {
    FinishRecording();
    while (!finishing_.empty()) Report(finishing_.front().get());
}

// A job is reported once: by its worker's message or by WaitForFiles, whichever comes first.
void GifRecorder::Report(Job* job) {
    auto at =
        std::find_if(finishing_.begin(), finishing_.end(), [job](const auto& j) { return j.get() == job; });
    if (at == finishing_.end()) return;
    std::unique_ptr<Job> done = std::move(*at);
    finishing_.erase(at);
    done->Join();
    emit fileFinished(done->outcome);
}

} // namespace tarvo
