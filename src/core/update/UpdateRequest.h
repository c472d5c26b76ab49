#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace dv {

class StatusLine;

// What an HTTP request brought: the answer's status code and its body as
// served, or status 0 and no body when no whole answer came.
struct HttpAnswer {
    int status = 0;
    std::string body;

    // Only a success carries the document asked for; any other answer's
    // body (a proxy's or a cloud store's error page) is no document.
    bool succeeded() const { return status >= 200 && status <= 299; }
};

// Fetches a document over HTTP. The answer, error answers included, comes
// later on the user-interface thread; a request that cannot start throws
// with the reason. An answer longer than maxBytes, one cut short, or one
// not complete by the client's deadline for the whole request, is no
// answer: reading stops there.
class HttpClient {
public:
    // The whole request's deadline, look-up and connection included.
    static constexpr std::chrono::milliseconds kDeadline{30000};

    virtual ~HttpClient() = default;
    virtual void get(const std::string& url, std::size_t maxBytes, std::function<void(HttpAnswer)> done) = 0;
};

// The disc's label, "" for none, "ERROR" when it cannot be read.
class VolumeInfo {
public:
    virtual ~VolumeInfo() = default;
    virtual std::string getDiscName() = 0;
};

// The address of the update document for a disc. The id is appended with
// only what would change the address's meaning percent-encoded (see
// encodeQueryValue): a blank goes as %20, so "ABC 2004" asks for
// "ABC%202004", which the service decodes back to "ABC 2004".
std::string updateRequestUrl(const std::string& serviceBase, const std::string& discId);

// Asks the update service about this disc (DoAutoUpdate). Only a success's
// body is handed on as the answer; anything else is handed on as an empty
// text, which is no document: a failed update.
class UpdateRequest {
public:
    UpdateRequest(std::string serviceBase, VolumeInfo& volume, HttpClient& http, StatusLine& status,
                  std::function<void(const std::string&)> answered)
        : base_(std::move(serviceBase)), volume_(volume), http_(http), status_(status),
          answered_(std::move(answered)) {}

    void DoAutoUpdate();

private:
    std::string base_;
    VolumeInfo& volume_;
    HttpClient& http_;
    StatusLine& status_;
    std::function<void(const std::string&)> answered_;
};

} // namespace dv
