#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace dv {

// Fetches a document over HTTP. The answer's text as served, error answers
// included, comes later on the user-interface thread; a request that cannot
// start throws with the reason. An answer longer than maxBytes, or one not
// complete by the client's deadline for the whole request, is a failure:
// reading stops there and the body is empty.
class HttpClient {
public:
    // The whole request's deadline, look-up and connection included.
    static constexpr std::chrono::milliseconds kDeadline{30000};

    virtual ~HttpClient() = default;
    virtual void get(const std::string& url, std::size_t maxBytes,
                     std::function<void(const std::string& body)> done) = 0;
};

} // namespace dv
