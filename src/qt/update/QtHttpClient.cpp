#include "update/QtHttpClient.h"

#include "app/QtText.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <stdexcept>

namespace dv::qt {

void QtHttpClient::get(const std::string& url, std::function<void(const std::string& body)> done) {
    // The id goes as it is; a blank is encoded on the wire.
    const QUrl address(toQString(url), QUrl::TolerantMode);
    if (!address.isValid() || address.scheme().isEmpty())
        throw std::runtime_error("Ogiltig adress: " + url);
    if (!manager_)
        manager_ = new QNetworkAccessManager(this);
    QNetworkRequest request(address);
    request.setTransferTimeout(kTimeoutMs);
    QNetworkReply* reply = manager_->get(request);
    connect(reply, &QNetworkReply::finished, this, [reply, done = std::move(done)] {
        reply->deleteLater();
        done(reply->readAll().toStdString());
    });
}

} // namespace dv::qt
