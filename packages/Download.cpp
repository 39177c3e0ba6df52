#include "packages/Download.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

#include "packages/Package.h"

namespace tarvo {

const std::array<QString, 9>& OptionalPackages() {
    static const std::array<QString, 9> packages = {
        CardsPackageA,
        CardsPackageB,
        BackgroundPackage,
        QStringLiteral("QobCalendar01.dll"),
        QStringLiteral("QobRadio.rad"),
        QStringLiteral("QobRadio02.dll"),
        QStringLiteral("QobCVoice3.dll"),
        CardsPackageC,
        GraphicsPackage,
    };
    return packages;
}

bool PackagePresent(const QString& fileName, const QString& programFolder, const QString& shippedFolder) {
    const QDir folder(programFolder);
    return QFileInfo::exists(folder.filePath(fileName)) ||
           QFileInfo::exists(folder.filePath(QStringLiteral("../") + fileName)) ||
           (!shippedFolder.isEmpty() && QFileInfo::exists(QDir(shippedFolder).filePath(fileName)));
}

bool DownloadFile(const QUrl& url, const QString& path, const DownloadLimits& limits) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // The body goes to a temporary file that replaces the target only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QNetworkReply* reply = manager.get(request);
    qint64 received = 0;
    bool refused = false;
    auto take = [&] {
        const QByteArray bytes = reply->readAll();
        received += bytes.size();
        if (received > limits.maxBytes) {
            refused = true;
            reply->abort();
        } else if (file.write(bytes) < 0) {
            refused = true;
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, take);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limits.timeoutMs, &loop, [reply] { reply->abort(); });
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!refused) take();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status == 200 && !refused;
    reply->deleteLater();
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool DownloadPackage(const QString& server, const QString& fileName, const QString& folder,
                     const DownloadLimits& limits) {
    return DownloadFile(QUrl(server + QLatin1String(kPackageDownloadPath) + fileName),
                        QDir(folder).filePath(fileName), limits);
}

} // namespace tarvo
