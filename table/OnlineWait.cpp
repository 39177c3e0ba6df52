#include "table/OnlineWait.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace tarvo {
namespace {

int pauses = 0;

} // namespace

InputPause::InputPause() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) modalBefore_ = QApplication::activeModalWidget();
    QCoreApplication::instance()->installEventFilter(this);
    if (pauses++ == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

InputPause::~InputPause() {
    QCoreApplication::instance()->removeEventFilter(this);
    if (--pauses == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

// Only what comes from the window system: the program's own events go on.
bool InputPause::eventFilter(QObject* watched, QEvent* event) {
    if (!event->spontaneous()) return false;
    if (InNewModal(watched)) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        event->ignore();
        return true;
    default:
        return false;
    }
}

// A window opened modally while the request waits (a message a timer or the game connection
// brought) takes its input: the wait below it can only end once the player has closed it.
bool InputPause::InNewModal(QObject* watched) const {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == modalBefore_) return false;
    if (auto* widget = qobject_cast<QWidget*>(watched)) return widget == modal || modal->isAncestorOf(widget);
    if (auto* window = qobject_cast<QWindow*>(watched)) return window == modal->windowHandle();
    return false;
}

WaitingTransport::WaitingTransport() : curl_(std::make_unique<CurlTransport>()) {
    // The request thread wakes the waiting event loop when a request is over.
    worker_ = std::make_unique<RequestWorker>([this] {
        if (QAbstractEventDispatcher* loop = waiting_.load()) loop->wakeUp();
    });
}

WaitingTransport::~WaitingTransport() {
    worker_.reset(); // the queued requests end first
}

template <class Result, class Job> Result WaitingTransport::Wait(Job job) {
    Result result{};
    waiting_ = QAbstractEventDispatcher::instance();
    std::future<void> done = worker_->Submit([&] { result = job(); });
    InputPause pause;
    QTimer pulse; // should a wake-up be missed, the loop still looks again soon
    pulse.start(50);
    while (done.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    done.get();
    return result;
}

Exchange WaitingTransport::Post(const std::string& url, const std::string& body) {
    return Wait<Exchange>([&] { return curl_->Post(url, body); });
}

void WaitingTransport::SetReadTimeout(int milliseconds) {
    CurlTransport* curl = curl_.get();
    worker_->Submit([curl, milliseconds] { curl->SetReadTimeout(milliseconds); });
}

Exchange WaitingTransport::Get(const std::string& url) {
    return Wait<Exchange>([&] { return curl_->Get(url); });
}

Exchange WaitingTransport::PostParts(const std::string& url, std::span<const UploadPart> parts) {
    return Wait<Exchange>([&] { return curl_->PostParts(url, parts); });
}

bool WaitingTransport::FtpUpload(const std::string& url, const std::string& bytes) {
    return Wait<bool>([&] { return curl_->FtpUpload(url, bytes); });
}

} // namespace tarvo
