#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace dv {

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
    virtual void get(const std::string& url, std::size_t maxBytes,
                     std::function<void(HttpAnswer)> done) = 0;
};

} // namespace dv
