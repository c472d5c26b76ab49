#pragma once

#include "core/update/HttpClient.h"

#include <QObject>

#include <chrono>

class QNetworkAccessManager;

namespace dv::qt {

// HTTP GET with QNetworkAccessManager, created on first use and kept. The
// body comes back as served, error pages included, with the status code. The whole request has a
// deadline (30 s), not each read, so a server that sends a byte now and then
// cannot keep it open; an answer past the size limit is cut off as soon as
// it is known to be too long and never held in memory. Both are failures: an
// status 0 and no body; so is an answer that breaks off or will not unpack.
class QtHttpClient : public QObject, public HttpClient {
    Q_OBJECT
  public:
    void get(const std::string& url, std::size_t maxBytes,
             std::function<void(HttpAnswer)> done) override;

    // Shorter deadlines for tests.
    void setDeadline(std::chrono::milliseconds deadline) { deadline_ = deadline; }

  private:
    QNetworkAccessManager* manager_ = nullptr;
    std::chrono::milliseconds deadline_ = kDeadline;
};

} // namespace dv::qt
