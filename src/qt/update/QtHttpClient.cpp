#include "qt/update/QtHttpClient.h"

#include "qt/app/QtText.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace dv::qt {

namespace {

// What Qt may hold between two reads of ours.
constexpr qint64 kReadBuffer = 64 * 1024;

// An error page is an answer as served, whatever the engine says of it; any
// other answer that ends in an error (the connection lost mid-body, a
// compressed body that would not unpack) is no answer, whatever part of it
// came.
// Qt does not always say so when the connection is lost mid-body: now and
// then it ends such a reply as done. A body shorter than its announced
// length is cut, whatever Qt says (a compressed body's length is that of
// the compressed bytes, so those are left to the decompressor's error).
bool brokeOff(const QNetworkReply& reply, const QByteArray& body) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.error() != QNetworkReply::NoError && status < 400)
        return true;
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    return length.isValid() && !reply.hasRawHeader("Content-Encoding") &&
           body.size() != length.toLongLong();
}

} // namespace

void QtHttpClient::get(const std::string& url, std::size_t maxBytes,
                       std::function<void(HttpAnswer)> done) {
    // Text beyond ASCII in the id is sent as UTF-8 %hh; the rest of the
    // address comes already encoded.
    const QUrl address(toQString(url), QUrl::TolerantMode);
    if (!address.isValid() || address.scheme().isEmpty())
        throw std::runtime_error("Ogiltig adress: " + url);
    if (!manager_)
        manager_ = new QNetworkAccessManager(this);
    QNetworkRequest request(address);
    QNetworkReply* reply = manager_->get(request);
    reply->setReadBufferSize(kReadBuffer);

    struct Transfer {
        QByteArray body;
        bool failed = false;
    };
    auto transfer = std::make_shared<Transfer>();
    const auto limit = static_cast<qint64>(maxBytes);
    const auto fail = [reply, transfer] {
        transfer->failed = true;
        transfer->body.clear();
        reply->abort(); // finishes the reply at once
    };

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, fail);
    deadline->start(deadline_);

    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, fail] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limit)
            fail();
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, limit, fail] {
        if (transfer->failed)
            return;
        transfer->body += reply->read(limit + 1 - transfer->body.size());
        if (transfer->body.size() > limit)
            fail();
    });
    connect(reply, &QNetworkReply::finished, this,
            [reply, transfer, deadline, limit, done = std::move(done)] {
                deadline->stop();
                reply->deleteLater();
                if (!transfer->failed) {
                    transfer->body += reply->read(limit + 1 - transfer->body.size());
                    if (transfer->body.size() > limit || brokeOff(*reply, transfer->body))
                        transfer->failed = true;
                }
                if (transfer->failed) {
                    done({});
                    return;
                }
                done({reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                      transfer->body.toStdString()});
            });
}

} // namespace dv::qt
