// What a service of the score server is: its tables (a schema that grows by versions) and its
// endpoints. Each service lives in a file of its own and is listed once in Services.cpp.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "server/Storage.h"
#include "server/TournamentOptions.h"

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace tarvo::server {

class Passwords;
class SessionCookies;

struct ServerContext {
    ServerContext(httplib::Server& h, Storage& s, Passwords& p) : http(h), storage(s), passwords(p) {}
    httplib::Server& http;
    Storage& storage;
    Passwords& passwords;
    SessionCookies* cookies = nullptr; // set by the account service when it starts
    std::filesystem::path dataDir;
    std::vector<std::filesystem::path> packageFolders;
    int port = 0;
    int writeIntervalMs = 1000; // the least time between two top ten writes from one address
    int newsNumber = 0;         // the news page's number without a "news.txt"
    TournamentOptions tournament;
    std::chrono::steady_clock::time_point started;
    std::atomic<long long> requests{0}, refused{0};

    // The address of this server as the client reached it ("http://club.example.org:8015"): the
    // request's Host, behind a proxy on this machine the forwarded host and scheme.
    std::string Origin(const httplib::Request& request) const;
    // The client's address (behind a proxy on this machine, the forwarded one).
    std::string Client(const httplib::Request& request) const;
};

// A reply the client reads as success or as data: 200, text in Windows-1251.
void Answer(httplib::Response& response, std::string body);
// Sends a file in pieces with its length, so that a client may ask for a part of it; false when
// it is no readable file.
bool SendFile(const std::filesystem::path& file, const char* type, httplib::Response& response);
// A refusal: `status`, "no", and the reason for the server's log line.
void Refuse(httplib::Response& response, int status, std::string reason);
// The server's one line for a refused request, on standard error.
void LogRefusal(ServerContext& context, const httplib::Request& request, int status,
                const std::string& reason);

class Service {
  public:
    virtual ~Service() = default;
    // The service's tables; no steps for a service without any.
    virtual Schema Tables() const { return {}; }
    // After the storage is ready: false with a reason stops the server.
    virtual bool Start(ServerContext&, std::string*) { return true; }
    virtual void Register(ServerContext& context) = 0;
};

// Every service of the server, in the order they register.
std::vector<std::unique_ptr<Service>> MakeServices();

} // namespace tarvo::server
