// The score server's transport as the window uses it: every request runs on the one request
// thread, in order, while the caller waits in a local event loop. The window keeps painting; the
// player's clicks and keys during the wait are dropped, not kept for later, and the window cannot
// be closed under a request.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "online/CurlTransport.h"

class QAbstractEventDispatcher;

namespace tarvo {

class WaitingTransport : public Transport {
  public:
    WaitingTransport();
    ~WaitingTransport() override;

    Exchange Post(const std::string& url, const std::string& body) override;
    void SetReadTimeout(int milliseconds) override;
    Exchange Get(const std::string& url) override;
    Exchange PostParts(const std::string& url, std::span<const UploadPart> parts) override;
    bool FtpUpload(const std::string& url, const std::string& bytes) override;

  private:
    template <class Result, class Job> Result Wait(Job job);

    std::unique_ptr<CurlTransport> curl_;                     // touched only on the request thread
    std::atomic<QAbstractEventDispatcher*> waiting_{nullptr}; // the loop to wake when a request ends
    std::unique_ptr<RequestWorker> worker_;
};

// While one lives, input and close requests to every window are dropped (nests), except to a
// window opened modally after it began.
class InputPause : public QObject {
  public:
    InputPause();
    ~InputPause() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool InNewModal(QObject* watched) const;
    QPointer<QWidget> modalBefore_; // the modal window the wait began under, if any
};

} // namespace tarvo
