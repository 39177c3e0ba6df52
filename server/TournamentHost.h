// The tournament game server: one TCP port per table this process plays (port base + table),
// on a thread of its own with its own event loop. A player who took a seat over HTTP connects
// and sends "connect" + his seat; once the three seats of a table are connected the server deals,
// referees every step (TableReferee) and passes it on, runs each seat's move clock, and at the end
// stores the game and frees the table. A seat whose connection stays away longer than the grace
// period is freed.
#pragma once

#include <memory>
#include <string>

#include "server/Storage.h"
#include "server/TournamentOptions.h"

class QThread;

namespace tarvo::server {

class TournamentHost {
  public:
    TournamentHost(Storage& storage, TournamentOptions options);
    ~TournamentHost(); // the tables are closed and marked as played by nobody

    // Listens on every table's port and tells the database; false with a reason.
    bool Start(std::string* why);

  private:
    class Tables;
    Storage& storage_;
    TournamentOptions options_;
    std::unique_ptr<QThread> thread_;
    Tables* tables_ = nullptr; // lives on thread_
};

} // namespace tarvo::server
