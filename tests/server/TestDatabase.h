// The storage a run of the server suite uses: SQLite in the server's data folder for server_tests,
// and one throwaway PostgreSQL cluster (a fresh database for each server) for
// server_postgres_tests, which runs the same cases.
#pragma once

#include <string>
#include <vector>

namespace tarvo::test {

// The server's arguments with those that choose the suite's storage.
std::vector<std::string> WithTestDatabase(std::vector<std::string> arguments = {});
// "sqlite" or "postgresql", as the server's status page names its storage.
const char* TestStorageName();

} // namespace tarvo::test
