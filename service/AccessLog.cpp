#include "AccessLog.h"

#include <algorithm>
#include <cstdio>

namespace dv {

namespace {

constexpr std::size_t kLongestTarget = 300;
// Request lines gathered past this are written by the thread that adds one.
constexpr std::size_t kGathered = 64 * 1024;

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

void AccessLog::stamp(std::string& line) {
    const std::time_t now = std::time(nullptr);
    if (now != second_) {
        std::tm t{};
        gmtime_r(&now, &t);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &t);
        second_ = now;
        secondText_ = text;
    }
    line += secondText_;
}

void AccessLog::request(std::string_view client, std::string_view method, std::string_view target,
                        unsigned status, std::size_t bytes) {
    std::string line;
    line.reserve(64 + std::min(target.size(), kLongestTarget));
    line += ' ';
    line += client;
    line += " \"";
    appendPrintable(line, method, true, kLongestTarget);
    if (!target.empty()) {
        line += ' ';
        appendPrintable(line, target, true, kLongestTarget);
    }
    line += "\" ";
    line += std::to_string(status);
    line += ' ';
    line += std::to_string(bytes);
    line += '\n';
    const std::lock_guard lock(mutex_);
    add(line);
    if (pending_.size() >= kGathered)
        write();
}

void AccessLog::event(std::string_view text) {
    std::string line(" ");
    appendPrintable(line, text, false, std::string_view::npos);
    line += '\n';
    const std::lock_guard lock(mutex_);
    add(line);
    write();
}

void AccessLog::flush() {
    const std::lock_guard lock(mutex_);
    write();
}

// A line is the time and the text given; the time is taken here, under the
// lock, so lines stay in the order of their times.
void AccessLog::add(const std::string& text) {
    std::string line;
    stamp(line);
    if (dropped_ > 0) {
        std::string notice;
        stamp(notice);
        // Appended piece by piece: GCC 12 at -O3 warns wrongly about
        // " " + std::string (a false -Wrestrict).
        notice += ' ';
        notice += std::to_string(dropped_);
        notice += " log lines dropped here: the output did not take them in time\n";
        if (pending_.size() + notice.size() + line.size() + text.size() > kBacklog) {
            ++dropped_;
            return;
        }
        pending_ += notice;
        dropped_ = 0;
    }
    if (pending_.size() + line.size() + text.size() > kBacklog) {
        ++dropped_;
        return;
    }
    pending_ += line;
    pending_ += text;
}

void AccessLog::write() {
    if (!pending_.empty())
        pending_.erase(0, out_.tryWrite(pending_));
    if (dropped_ > 0 && pending_.empty()) {
        std::string notice;
        stamp(notice);
        pending_ = notice + " " + std::to_string(dropped_) +
                   " log lines dropped here: the output did not take them in time\n";
        dropped_ = 0;
        pending_.erase(0, out_.tryWrite(pending_));
    }
}

} // namespace dv
