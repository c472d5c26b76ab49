#include "win32/update/WinInetHttpClient.h"

#include "core/shell/MainWindowLayout.h"
#include "win32/support/MessageWindow.h"
#include "win32/support/Utf16.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace dv::win32 {

namespace {

constexpr UINT kFinished = WM_APP + 1;
constexpr DWORD kReadChunk = 64 * 1024;

// Never from the cache and never into it: the service's word of today.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;

bool webAddress(const std::string& url) {
    const auto starts = [&](std::string_view scheme) {
        if (url.size() < scheme.size())
            return false;
        for (std::size_t i = 0; i < scheme.size(); ++i)
            if ((url[i] | 0x20) != scheme[i] && url[i] != scheme[i])
                return false;
        return true;
    };
    return starts("http://") || starts("https://");
}

// The length the server announces; 0 when it announces none.
unsigned long long announcedLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return 0;
    unsigned long long length = 0;
    for (const wchar_t* c = text; *c >= L'0' && *c <= L'9'; ++c)
        length = std::min(length * 10 + static_cast<unsigned>(*c - L'0'), 1ULL << 62);
    return length;
}

} // namespace

struct WinInetHttpClient::Transfer {
    std::wstring url;
    std::size_t maxBytes = 0;
    DWORD waitLimit = 0; // milliseconds
    std::function<void(HttpAnswer)> done;
    bool answered = false; // user-interface thread only

    // Written by the reader, read once it has finished (after join).
    std::string body;
    int status = 0;
    bool failed = false;

    std::thread reader;

    // Closing the session closes the request under it, which ends a wait
    // for a connection or for data at once.
    void cancel() {
        const std::lock_guard guard(lock_);
        cancelled_ = true;
        if (session_) {
            InternetCloseHandle(session_);
            session_ = nullptr;
        }
    }

    void setSession(HINTERNET session) { session_ = session; }

    // On the reader's thread.
    void read(HWND window, unsigned id) {
        HINTERNET session = nullptr;
        {
            const std::lock_guard guard(lock_);
            session = cancelled_ ? nullptr : session_;
        }
        HINTERNET connection = nullptr;
        HINTERNET request = session ? open(session, connection) : nullptr;
        failed = !request || !HttpSendRequestW(request, nullptr, 0, nullptr, 0) ||
                 !readStatus(request) || !readAnnounced(request);
        {
            const std::lock_guard guard(lock_);
            // A cancelled session took its handles with it.
            if (!cancelled_) {
                if (request)
                    InternetCloseHandle(request);
                if (connection)
                    InternetCloseHandle(connection);
            }
        }
        PostMessageW(window, kFinished, id, 0);
    }

  private:
    // The request, not yet sent, with no wait of its own longer than the
    // deadline: where closing the handles does not end a wait at once, the
    // wait still ends in time.
    HINTERNET open(HINTERNET session, HINTERNET& connection) {
        URL_COMPONENTSW parts{};
        parts.dwStructSize = sizeof parts;
        wchar_t host[256] = {};
        std::vector<wchar_t> path(url.size() + 1);
        std::vector<wchar_t> extra(url.size() + 1);
        parts.lpszHostName = host;
        parts.dwHostNameLength = 256;
        parts.lpszUrlPath = path.data();
        parts.dwUrlPathLength = static_cast<DWORD>(path.size());
        parts.lpszExtraInfo = extra.data();
        parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
        if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts))
            return nullptr;
        connection = InternetConnectW(session, host, parts.nPort, nullptr, nullptr,
                                      INTERNET_SERVICE_HTTP, 0, 0);
        if (!connection)
            return nullptr;
        const std::wstring target = std::wstring(path.data()) + extra.data();
        const DWORD secure =
            parts.nScheme == INTERNET_SCHEME_HTTPS ? DWORD{INTERNET_FLAG_SECURE} : 0;
        const wchar_t* accept[] = {L"*/*", nullptr};
        HINTERNET request =
            HttpOpenRequestW(connection, L"GET", target.empty() ? L"/" : target.c_str(), nullptr,
                             nullptr, accept, kRequestFlags | secure, 0);
        if (request) {
            for (const DWORD option :
                 {DWORD{INTERNET_OPTION_CONNECT_TIMEOUT}, DWORD{INTERNET_OPTION_SEND_TIMEOUT},
                  DWORD{INTERNET_OPTION_RECEIVE_TIMEOUT}})
                InternetSetOptionW(request, option, &waitLimit, sizeof waitLimit);
        }
        return request;
    }

    bool cancelled() {
        const std::lock_guard guard(lock_);
        return cancelled_;
    }

    bool readStatus(HINTERNET request) {
        DWORD code = 0;
        DWORD size = sizeof code;
        if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size,
                            nullptr))
            return false;
        status = static_cast<int>(code);
        return code >= 100 && code <= 999;
    }

    // The whole body, as long as the server said it would be: a connection
    // that closes early ends the reading as quietly as the body's end does,
    // and the part that came is no document.
    bool readAnnounced(HINTERNET request) {
        const unsigned long long announced = announcedLength(request);
        return announced <= maxBytes && readBody(request) &&
               (announced == 0 || body.size() == announced);
    }

    // Reads what has come, a piece at a time, so that the deadline is
    // looked at between pieces however slowly they come.
    bool readBody(HINTERNET request) {
        std::vector<char> buffer(kReadChunk);
        for (;;) {
            if (cancelled())
                return false;
            DWORD available = 0;
            if (!InternetQueryDataAvailable(request, &available, 0, 0))
                return false;
            if (available == 0)
                return true;
            DWORD got = 0;
            if (!InternetReadFile(request, buffer.data(), std::min(available, kReadChunk), &got))
                return false;
            if (got == 0)
                return true;
            // Never more than one byte past the limit is kept.
            body.append(buffer.data(), std::min<std::size_t>(got, maxBytes + 1 - body.size()));
            if (body.size() > maxBytes)
                return false;
        }
    }

    std::mutex lock_;
    HINTERNET session_ = nullptr;
    bool cancelled_ = false;
};

WinInetHttpClient::WinInetHttpClient()
    : window_(std::make_unique<MessageWindow>([this](UINT message, WPARAM wParam, LPARAM) {
          if (message == kFinished)
              finished(static_cast<unsigned>(wParam));
          else if (message == WM_TIMER)
              deadlinePassed(static_cast<unsigned>(wParam));
          else
              return false;
          return true;
      })) {}

WinInetHttpClient::~WinInetHttpClient() {
    // Whatever is under way ends unanswered; its reader finishes on its own.
    for (auto& [id, transfer] : transfers_) {
        KillTimer(window_->hwnd(), id);
        transfer->cancel();
        transfer->reader.detach();
    }
}

std::string WinInetHttpClient::wireAddress(const std::string& url) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : url) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F ||
            std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

void WinInetHttpClient::get(const std::string& url, std::size_t maxBytes,
                            std::function<void(HttpAnswer)> done) {
    if (!webAddress(url))
        throw std::runtime_error("Ogiltig adress: " + url);
    auto transfer = std::make_shared<Transfer>();
    transfer->url = widen(wireAddress(url));
    transfer->maxBytes = maxBytes;
    transfer->waitLimit = static_cast<DWORD>(deadline_.count());
    transfer->done = std::move(done);
    // The reader's own Internet settings: proxy, automatic configuration.
    HINTERNET session = InternetOpenW(widen(layout::kApplicationTitle).c_str(),
                                      INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        throw std::runtime_error("Internet kan inte nås (fel " + std::to_string(GetLastError()) +
                                 ")");
    transfer->setSession(session);
    const unsigned id = nextId_++;
    const HWND window = window_->hwnd();
    try {
        transfer->reader = std::thread([transfer, window, id] { transfer->read(window, id); });
    } catch (...) {
        transfer->cancel(); // no thread: the session would be left open
        throw;
    }
    // Its end is told through this thread's loop, so nothing can come
    // before the timer and the table have it.
    SetTimer(window, id, static_cast<UINT>(deadline_.count()), nullptr);
    transfers_.emplace(id, std::move(transfer));
}

void WinInetHttpClient::finished(unsigned id) {
    const auto found = transfers_.find(id);
    if (found == transfers_.end())
        return;
    const std::shared_ptr<Transfer> transfer = found->second;
    transfers_.erase(found);
    KillTimer(window_->hwnd(), id);
    transfer->reader.join();
    transfer->cancel();
    if (transfer->answered)
        return; // the deadline has answered already
    transfer->answered = true;
    if (transfer->failed)
        transfer->done({});
    else
        transfer->done({transfer->status, std::move(transfer->body)});
}

void WinInetHttpClient::deadlinePassed(unsigned id) {
    KillTimer(window_->hwnd(), id);
    const auto found = transfers_.find(id);
    if (found == transfers_.end() || found->second->answered)
        return;
    const std::shared_ptr<Transfer> transfer = found->second;
    transfer->cancel();
    transfer->answered = true;
    // Kept until its reader has finished; the answer is due now.
    transfer->done({});
}

} // namespace dv::win32
