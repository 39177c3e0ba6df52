#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <memory>

#ifdef TARVO_POSTGRES
#include "../support/PostgresCluster.h"
#endif

namespace tarvo::test {

#ifdef TARVO_POSTGRES
namespace {

std::unique_ptr<PostgresCluster> cluster;

// One cluster for the whole program, stopped and removed at its end whatever the cases did.
class ClusterEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { cluster = std::make_unique<PostgresCluster>(); }
    void TearDown() override { cluster.reset(); }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);

} // namespace

std::vector<std::string> WithTestDatabase(std::vector<std::string> arguments) {
    arguments.push_back("--database");
    arguments.push_back(cluster->NewDatabase());
    return arguments;
}

const char* TestStorageName() {
    return "postgresql";
}
#else
std::vector<std::string> WithTestDatabase(std::vector<std::string> arguments) {
    return arguments;
}

const char* TestStorageName() {
    return "sqlite";
}
#endif

} // namespace tarvo::test
