// Downloads of files from the program's web server: the optional packages today, whatever else
// the server offers tomorrow. A file appears only whole, so a broken download never leaves half a
// package where the loaders would find it.
#pragma once

#include <QString>
#include <QUrl>
#include <array>

namespace tarvo {

// The program's web server, where the optional packages are downloaded from. The one place to
// change it, next to the score server's addresses.
inline constexpr const char* kDefaultProgramWebServer = "http://127.0.0.1:8015";
inline constexpr const char* kPackageDownloadPath = "/downloads/progr/cards/";

// The optional packages a player may download, in the order the options dialog offers them.
const std::array<QString, 9>& OptionalPackages();

// Whether a package is in the program folder, its parent (where downloads land) or the folder the
// game's own packages were installed to.
bool PackagePresent(const QString& fileName, const QString& programFolder, const QString& shippedFolder = {});

struct DownloadLimits {
    int timeoutMs = 30000;
    qint64 maxBytes = 64 * 1024 * 1024; // a larger body is refused, not stored
};

// Fetches `url` into the file `path`. The file is created or replaced only when the whole body
// arrived with status 200 within the limits; otherwise it is left as it was and false comes back.
// Blocks in a local event loop that keeps the windows painting but takes no user input.
bool DownloadFile(const QUrl& url, const QString& path, const DownloadLimits& limits = {});

// Downloads the package `fileName` from `server` + kPackageDownloadPath into `folder`.
bool DownloadPackage(const QString& server, const QString& fileName, const QString& folder,
                     const DownloadLimits& limits = {});

} // namespace tarvo
