#pragma once

#include "update/UpdateRequest.h"

#include <QObject>

class QNetworkAccessManager;

namespace dv::qt {

// HTTP GET with QNetworkAccessManager, created on first use and kept. The
// body comes back as served, error pages included; no answer in 30 s counts
// as a failed request (an empty body).
class QtHttpClient : public QObject, public HttpClient {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 30000;

    void get(const std::string& url, std::function<void(const std::string& body)> done) override;

private:
    QNetworkAccessManager* manager_ = nullptr;
};

} // namespace dv::qt
