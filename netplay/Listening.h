// A listening socket whose accept fails for more than a passing reason (the process out of file
// handles for a moment, a connection torn down before it was taken, a broken socket) stops
// taking connections for good: the players' games would wait at a table that never answers.
#pragma once

class QTcpServer;

namespace tarvo {

// Watches `server`: after such a failure it listens again on the same address and port a second
// later, and every second after that until it can; each failure is one line on standard error,
// starting with `program`.
void KeepListening(QTcpServer& server, const char* program);

} // namespace tarvo
