#include "media/HttpFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace tarvo {

void FetchBytes(QNetworkAccessManager& network, const QUrl& url, qint64 maxBytes, int timeoutMs,
                QObject* context, std::function<void(std::optional<QByteArray>)> done) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network.get(request);
    auto body = std::make_shared<QByteArray>();
    auto tooLong = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, tooLong, maxBytes] {
        if (*tooLong) return;
        body->append(reply->readAll());
        if (body->size() > maxBytes) {
            *tooLong = true;
            reply->abort();
        }
    });
    // The transfer time-out counts silence only; a slow trickle is cut at the whole limit too.
    QTimer::singleShot(timeoutMs, reply, [reply] { reply->abort(); });
    QPointer<QObject> alive(context);
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, body, tooLong, maxBytes, alive, done = std::move(done)] {
                         reply->deleteLater();
                         if (!alive) return;
                         if (!*tooLong) body->append(reply->readAll());
                         const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                         if (*tooLong || body->size() > maxBytes || reply->error() != QNetworkReply::NoError ||
                             status != 200) {
                             done(std::nullopt);
                             return;
                         }
                         done(*body);
                     });
}

} // namespace tarvo
