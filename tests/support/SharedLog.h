#pragma once

// A log that a service writes from its threads while a test reads it.

#include "WaitUntil.h"

#include <chrono>
#include <mutex>
#include <streambuf>
#include <string>

namespace dv::test {

// A log that may be read while other threads write it.
class SharedLog : public std::streambuf {
  public:
    std::string text() const {
        const std::lock_guard lock(mutex_);
        return text_;
    }
    // Waits until the log holds the text; false when it does not in time.
    bool waitFor(const std::string& wanted, std::chrono::milliseconds wait) const {
        return waitUntil([&] { return text().find(wanted) != std::string::npos; }, wait);
    }
    // How many times the text stands in the log so far.
    int count(const std::string& wanted) const {
        const std::string all = text();
        int n = 0;
        for (std::size_t at = all.find(wanted); at != std::string::npos;
             at = all.find(wanted, at + wanted.size()))
            ++n;
        return n;
    }

  protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) {
            const std::lock_guard lock(mutex_);
            text_ += static_cast<char>(c);
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::lock_guard lock(mutex_);
        text_.append(s, static_cast<std::size_t>(n));
        return n;
    }

  private:
    mutable std::mutex mutex_;
    std::string text_;
};

} // namespace dv::test
