#include "AccessLog.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace dv {

namespace {

constexpr std::size_t kBacklog = 4 * 1024 * 1024;
constexpr std::size_t kLongestTarget = 300;

// Control characters as \xHH, and in a quoted part the quote and the
// backslash too, so no text from outside can forge or break a log line.
void appendPrintable(std::string& out, std::string_view text, bool quoted, std::size_t longest) {
    const std::size_t shown = std::min(text.size(), longest);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F || (quoted && (c == '"' || c == '\\'))) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (shown < text.size())
        out += "...";
}

} // namespace

void AccessLog::stamp() {
    const std::time_t now = std::time(nullptr);
    if (now != second_) {
        std::tm t{};
        gmtime_r(&now, &t);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &t);
        second_ = now;
        secondText_ = text;
    }
    pending_ += secondText_;
}

void AccessLog::request(std::string_view client, std::string_view method, std::string_view target, unsigned status,
                        std::size_t bytes) {
    std::unique_lock lock(mutex_);
    stamp();
    pending_ += ' ';
    pending_ += client;
    pending_ += " \"";
    appendPrintable(pending_, method, true, kLongestTarget);
    if (!target.empty()) {
        pending_ += ' ';
        appendPrintable(pending_, target, true, kLongestTarget);
    }
    pending_ += "\" ";
    pending_ += std::to_string(status);
    pending_ += ' ';
    pending_ += std::to_string(bytes);
    pending_ += '\n';
    if (pending_.size() >= kBacklog) {
        lock.unlock();
        flush();
    }
}

void AccessLog::event(std::string_view text) {
    {
        const std::lock_guard lock(mutex_);
        stamp();
        pending_ += ' ';
        appendPrintable(pending_, text, false, std::string_view::npos);
        pending_ += '\n';
    }
    flush();
}

// Lines leave in the order they came: whoever writes takes everything
// gathered so far, and writers take turns.
void AccessLog::flush() {
    const std::lock_guard turn(writing_);
    std::string text;
    {
        const std::lock_guard lock(mutex_);
        text.swap(pending_);
    }
    write(text);
}

void AccessLog::write(const std::string& text) {
    if (text.empty())
        return;
    out_ << text;
    out_.flush();
}

} // namespace dv
