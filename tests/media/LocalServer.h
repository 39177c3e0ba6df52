// A small HTTP server on a free loopback port, for the streaming tests: the files of a folder, an
// endless live stream that sends in real time, one that falls silent after its first bytes, and
// whatever routes a test adds. It stops, with every open stream, when it goes out of scope.
#pragma once

#include <httplib.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace tarvo::testing {

class LocalServer {
  public:
    explicit LocalServer(const std::string& folder) {
        server_.set_mount_point("/", folder);
        live_ = Load(folder + "/live.mp3");
        liveOgg_ = Load(folder + "/live.ogg");
        // Radio stations: the same bytes over and over, a little faster than they play.
        Live("/live.mp3", live_, "audio/mpeg");
        Live("/live.ogg", liveOgg_, "application/ogg");
        // A station that sends its first bytes and then nothing, holding the connection open.
        server_.Get("/stall.mp3", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("audio/mpeg", [this](size_t offset, httplib::DataSink& sink) {
                if (stopping_) return false;
                if (offset < live_.size()) {
                    sink.write(live_.data() + offset, std::min<size_t>(4096, live_.size() - offset));
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return true;
            });
        });
        // The player may hold a few connections open per track: enough threads, short keep-alive.
        server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
        server_.set_keep_alive_timeout(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0) throw std::runtime_error("no free loopback port");
        // The listener closes its socket at the first accept that fails (a player that hangs up
        // before it is taken): it binds again, as the score server does.
        thread_ = std::thread([this] {
            while (!stopping_ && !server_.listen_after_bind())
                while (!stopping_ && !server_.bind_to_port("127.0.0.1", port_))
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
            listening_ = false;
        });
    }
    ~LocalServer() {
        stopping_ = true;
        while (listening_) {
            if (server_.is_running()) {
                server_.stop();
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (thread_.joinable()) thread_.join();
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    QString Url() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    httplib::Server& Http() { return server_; }

    static std::string Load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

  private:
    void Live(const char* path, const std::string& bytes, const char* type) {
        server_.Get(path, [this, &bytes, type](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider(type, [this, &bytes](size_t offset, httplib::DataSink& sink) {
                if (stopping_ || bytes.empty()) return false;
                const size_t chunk = 4096, at = offset % bytes.size();
                sink.write(bytes.data() + at, std::min(chunk, bytes.size() - at));
                std::this_thread::sleep_for(std::chrono::milliseconds(offset < 64 * 1024 ? 5 : 100));
                return true;
            });
        });
    }

    httplib::Server server_;
    std::thread thread_;
    std::string live_, liveOgg_;
    std::atomic<bool> stopping_{false}, listening_{true};
    int port_ = 0;
};

} // namespace tarvo::testing
