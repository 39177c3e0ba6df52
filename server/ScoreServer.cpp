#include "server/ScoreServer.h"

#include <httplib.h>

#include <QDateTime>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "server/Passwords.h"
#include "server/Service.h"

namespace tarvo::server {
namespace {

thread_local std::string refusalReason;

bool FromThisMachine(const std::string& address) {
    return address == "127.0.0.1" || address == "::1" || address == "::ffff:127.0.0.1";
}

// A host name as a Host header may carry it: letters, digits, ".", "-", ":" and IPv6 brackets.
bool PlainHost(const std::string& host) {
    if (host.empty() || host.size() > 255) return false;
    for (char c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view(".-:[]").find(c) == std::string_view::npos)
            return false;
    return true;
}

} // namespace

void Answer(httplib::Response& response, std::string body) {
    response.status = 200;
    response.set_content(std::move(body), "text/plain; charset=windows-1251");
}

void Refuse(httplib::Response& response, int status, std::string reason) {
    response.status = status;
    response.set_content("no\n", "text/plain");
    refusalReason = std::move(reason);
}

void LogRefusal(ServerContext& c, const httplib::Request& req, int status, const std::string& reason) {
    ++c.refused;
    const std::string when = QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
    std::fprintf(stderr, "%s refused %s %s %s %d: %s\n", when.c_str(), c.Client(req).c_str(),
                 req.method.c_str(), req.path.substr(0, 100).c_str(), status, reason.c_str());
}

std::string ServerContext::Origin(const httplib::Request& request) const {
    std::string scheme = "http";
    std::string host = request.get_header_value("Host");
    if (FromThisMachine(request.remote_addr)) {
        if (request.get_header_value("X-Forwarded-Proto") == "https") scheme = "https";
        if (std::string forwarded = request.get_header_value("X-Forwarded-Host"); PlainHost(forwarded))
            host = forwarded;
    }
    if (!PlainHost(host)) host = "127.0.0.1:" + std::to_string(port);
    return scheme + "://" + host;
}

std::string ServerContext::Client(const httplib::Request& request) const {
    if (FromThisMachine(request.remote_addr)) {
        std::string forwarded = request.get_header_value("X-Forwarded-For");
        forwarded = forwarded.substr(0, forwarded.find(','));
        if (!forwarded.empty() && forwarded.size() < 64 && PlainHost(forwarded)) return forwarded;
    }
    return request.remote_addr;
}

// A listener that failed ends its own queue of connections, waiting for every one of them, kept
// alive or not, before the port can listen again. The connections' threads therefore belong to
// the server, and each listen gets a queue that only hands its connections to them.
class ConnectionThreads final : public httplib::TaskQueue {
  public:
    explicit ConnectionThreads(httplib::ThreadPool& threads) : threads_(threads) {}
    void enqueue(std::function<void()> work) override { threads_.enqueue(std::move(work)); }
    void shutdown() override {}

  private:
    httplib::ThreadPool& threads_;
};

struct ScoreServer::Parts {
    httplib::Server http;
    std::unique_ptr<httplib::ThreadPool> threads; // while Run serves
    std::unique_ptr<class Storage> storage;
    Passwords passwords;
    std::unique_ptr<ServerContext> context;
    std::vector<std::unique_ptr<Service>> services;
    int port = 0;
    std::atomic<bool> running = false, stopping = false;
};

ScoreServer::ScoreServer(ServerOptions options)
    : options_(std::move(options)), parts_(std::make_unique<Parts>()) {}

ScoreServer::~ScoreServer() = default;

bool ScoreServer::Start(QString* error) {
    std::error_code ec;
    std::filesystem::create_directories(options_.dataDir, ec);
    if (!std::filesystem::is_directory(options_.dataDir)) {
        *error = "cannot make the data folder " + QString::fromStdString(options_.dataDir.string());
        return false;
    }
    DatabaseOptions database;
    if (options_.database) {
        database = *options_.database;
    } else {
        database.file = QString::fromStdString((options_.dataDir / "tarvo3-server.db").string());
    }
    Parts& p = *parts_;
    p.storage = std::make_unique<class Storage>(database);
    p.services = MakeServices();
    std::vector<Schema> schemas;
    for (const auto& s : p.services)
        if (!s->Tables().steps.empty()) schemas.push_back(s->Tables());
    if (!p.storage->Open(schemas, error)) {
        *error = "cannot use the database (" + p.storage->Describe() + "): " + *error;
        return false;
    }
    p.context = std::make_unique<ServerContext>(p.http, *p.storage, p.passwords);
    ServerContext& c = *p.context;
    c.dataDir = options_.dataDir;
    c.packageFolders = options_.packageFolders;
    c.writeIntervalMs = options_.writeIntervalMs;
    c.newsNumber = options_.newsNumber;
    c.tournament = options_.tournament;
    c.tournament.listen = options_.listen;
    c.started = std::chrono::steady_clock::now();
    for (const auto& s : p.services) {
        std::string why;
        if (!s->Start(c, &why)) {
            *error = QString::fromStdString(why);
            return false;
        }
        s->Register(c);
    }

    // Every connection keeps a thread while it is open, so the pool is larger than the number
    // of players that talk to the server at once; each thread keeps one database connection.
    p.http.new_task_queue = [&p] { return new ConnectionThreads(*p.threads); };
    p.http.set_payload_max_length(kMaxBodyBytes);
    p.http.set_read_timeout(5);
    p.http.set_write_timeout(5);
    p.http.set_keep_alive_timeout(5);
    p.http.set_keep_alive_max_count(1000);
    // A reply goes out in more than one write: without this the last one waits for the client's
    // delayed acknowledgement, some 40 ms per request on a kept-alive connection.
    p.http.set_tcp_nodelay(true);
    p.http.set_pre_routing_handler([&c](const httplib::Request&, httplib::Response&) {
        ++c.requests;
        return httplib::Server::HandlerResponse::Unhandled;
    });
    p.http.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        Refuse(res, 500, "internal error");
    });
    p.http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) res.set_content("no\n", "text/plain");
    });
    p.http.set_logger([&c](const httplib::Request& req, const httplib::Response& res) {
        if (res.status < 400) return;
        std::string reason = std::exchange(refusalReason, std::string());
        if (reason.empty())
            reason = res.status == 413   ? "body too large"
                     : res.status == 404 ? "no such page"
                                         : "bad request";
        LogRefusal(c, req, res.status, reason);
    });

    if (options_.port == 0) {
        p.port = p.http.bind_to_any_port(options_.listen);
    } else {
        p.port = p.http.bind_to_port(options_.listen, options_.port) ? options_.port : -1;
    }
    if (p.port <= 0) {
        *error = QStringLiteral("cannot listen on %1 port %2")
                     .arg(QString::fromStdString(options_.listen))
                     .arg(options_.port);
        return false;
    }
    c.port = p.port;
    return true;
}

int ScoreServer::Port() const {
    return parts_->port;
}

QString ScoreServer::Storage() const {
    return parts_->storage ? parts_->storage->Describe() : QString();
}

void ScoreServer::Run() {
    Parts& p = *parts_;
    p.threads = std::make_unique<httplib::ThreadPool>(64);
    p.running = true;
    // The listener gives up at the first accept that fails (a connection torn down before it was
    // taken, the process out of file handles for a moment) and closes its socket. Unless the
    // server is being stopped it binds its port again and goes on serving.
    while (!p.stopping) {
        if (p.http.listen_after_bind() || p.stopping) break;
        std::fprintf(stderr, "tarvo3-server: port %d could not take a connection; it listens again\n", p.port);
        while (!p.stopping && !p.http.bind_to_port(options_.listen, p.port))
            std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    p.threads->shutdown(); // the open connections finish
    p.running = false;
}

void ScoreServer::Stop() {
    Parts& p = *parts_;
    p.stopping = true;
    // Between two listens there is no socket to close: wait until Run listens again, or sees the
    // flag and returns. The listener is stopped once only.
    while (p.running) {
        if (p.http.is_running()) {
            p.http.stop();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace tarvo::server
