#pragma once

#include "core/update/HttpClient.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <memory>

namespace dv::win32 {

class MessageWindow;

// HTTP GET through WinINet, which follows the reader's own Internet
// settings (proxy and all). Each request reads on a thread of its own; the
// answer comes back on the user-interface thread through a message window.
// The answer is the status and the body as served, error answers included,
// never from or into the cache. The whole request has a deadline, not each
// read: when it passes, no answer is given at once and the request's handles
// are closed, away from this thread, which ends whatever the reader waits
// for. So is an answer longer than the size limit (reading stops as soon as
// that is known) or a connection that fails. Destroying the client abandons
// what is under way unanswered.
class WinInetHttpClient : public HttpClient {
  public:
    WinInetHttpClient();
    ~WinInetHttpClient() override;
    WinInetHttpClient(const WinInetHttpClient&) = delete;
    WinInetHttpClient& operator=(const WinInetHttpClient&) = delete;

    void get(const std::string& url, std::size_t maxBytes,
             std::function<void(HttpAnswer)> done) override;

    // Shorter deadlines for tests.
    void setDeadline(std::chrono::milliseconds deadline) { deadline_ = deadline; }

    // The address as it goes on the wire: bytes an address may not hold
    // (blank, controls, beyond ASCII, " < > \ ^ ` { | }) percent-encoded,
    // everything else, escapes included, as it is.
    static std::string wireAddress(const std::string& url);

  private:
    struct Transfer;

    void finished(unsigned id);
    void deadlinePassed(unsigned id);

    // Receives the readers' word that they are done, and the deadlines.
    std::unique_ptr<MessageWindow> window_;
    std::map<unsigned, std::shared_ptr<Transfer>> transfers_;
    unsigned nextId_ = 1;
    std::chrono::milliseconds deadline_ = kDeadline;
};

} // namespace dv::win32
