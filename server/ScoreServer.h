// tarvo3-server: the score server of the game over HTTP, with its storage.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "server/Storage.h"
#include "server/TournamentOptions.h"

namespace tarvo::server {

inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
inline constexpr int kDefaultPort = 8015;

struct ServerOptions {
    std::filesystem::path dataDir;
    std::string listen = "0.0.0.0";
    int port = kDefaultPort;                 // 0: any free port
    std::optional<DatabaseOptions> database; // nothing: SQLite in the data folder
    std::vector<std::filesystem::path> packageFolders;
    int writeIntervalMs = 1000;
    int newsNumber = 0;
    TournamentOptions tournament;
};

class ScoreServer {
  public:
    explicit ScoreServer(ServerOptions options);
    ~ScoreServer();

    // Opens the storage, starts the services and binds the port; false with a reason.
    bool Start(QString* error);
    int Port() const;
    QString Storage() const;
    // Serves until Stop() is called from another thread.
    void Run();
    void Stop();

  private:
    struct Parts;
    ServerOptions options_;
    std::unique_ptr<Parts> parts_;
};

} // namespace tarvo::server
