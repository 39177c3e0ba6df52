// The services of tarvo3-server. A new service is a file of its own with a Make function, listed
// here once.
#include "server/Service.h"

namespace tarvo::server {

std::unique_ptr<Service> MakeAccountService();
std::unique_ptr<Service> MakePhotoService();
std::unique_ptr<Service> MakeSiteService();
std::unique_ptr<Service> MakeTopTenService();
std::unique_ptr<Service> MakeStatisticsService();
std::unique_ptr<Service> MakeNewsService();
std::unique_ptr<Service> MakeMediaService();
std::unique_ptr<Service> MakeTournamentService();

std::vector<std::unique_ptr<Service>> MakeServices() {
    std::vector<std::unique_ptr<Service>> services;
    services.push_back(MakeAccountService()); // first: the others check passwords through it
    services.push_back(MakePhotoService());
    services.push_back(MakeSiteService());
    services.push_back(MakeTopTenService());
    services.push_back(MakeStatisticsService());
    services.push_back(MakeNewsService());
    services.push_back(MakeMediaService());
    services.push_back(MakeTournamentService());
    return services;
}

} // namespace tarvo::server
