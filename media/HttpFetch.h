// A bounded GET that never holds up the window: the answer arrives in a callback.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace tarvo {

// Gets `url`; `done` receives the body of a 200 answer, or nullopt when the server cannot be
// reached, answers otherwise, sends more than `maxBytes` or takes longer than `timeoutMs`.
// `done` is not called once `context` is gone.
void FetchBytes(QNetworkAccessManager& network, const QUrl& url, qint64 maxBytes, int timeoutMs,
                QObject* context, std::function<void(std::optional<QByteArray>)> done);

} // namespace tarvo
