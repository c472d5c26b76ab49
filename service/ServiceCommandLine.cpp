#include "ServiceCommandLine.h"

#include <charconv>
#include <optional>

namespace dv {

const char* const ServiceCommandLine::kUsage =
    "usage: dvcd-update-service [OPTIONS] FOLDER [PORT] [ADDRESS]\n"
    "Serves FOLDER/<disc id>.xml on ADDRESS:PORT (default 127.0.0.1:8080; port 0: any free one).\n"
    "  --cache-seconds=N     how long caches may keep a document (default 300)\n"
    "  --max-connections=N   connections held at once (default 4096)\n"
    "  --header-timeout=S    seconds for a request's whole header (default 10)\n"
    "  --idle-timeout=S      seconds a kept-alive connection may wait (default 15)\n"
    "  --threads=N           threads serving connections (default: one a processor)\n";

namespace {

std::optional<long long> number(const std::string& text, long long lowest, long long highest) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

ServiceCommandLine ServiceCommandLine::parse(const std::vector<std::string>& arguments) {
    ServiceCommandLine line;
    std::vector<std::string> positional;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            line.help = true;
            return line;
        }
        if (!argument.starts_with("--")) {
            positional.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::string value =
            equals == std::string::npos ? std::string() : argument.substr(equals + 1);
        const auto set = [&](long long lowest, long long highest) {
            const auto n = number(value, lowest, highest);
            if (!n)
                line.error = name + " wants a whole number from " + std::to_string(lowest) +
                             " to " + std::to_string(highest);
            return n.value_or(0);
        };
        if (name == "--cache-seconds")
            line.settings.cacheLifetime = std::chrono::seconds(set(0, 31'536'000));
        else if (name == "--max-connections")
            line.settings.maxConnections = static_cast<std::size_t>(set(1, 1'000'000));
        else if (name == "--header-timeout")
            line.settings.headerTimeout = std::chrono::seconds(set(1, 3600));
        else if (name == "--idle-timeout")
            line.settings.idleTimeout = std::chrono::seconds(set(1, 3600));
        else if (name == "--threads")
            line.settings.threads = static_cast<unsigned>(set(1, 256));
        else
            line.error = "unknown option " + name;
        if (!line.error.empty())
            return line;
    }
    if (positional.empty() || positional.size() > 3) {
        line.error = "wants a folder, and at most a port and an address after it";
        return line;
    }
    line.folder = positional[0];
    if (positional.size() >= 2) {
        const auto port = number(positional[1], 0, 65535);
        if (!port) {
            line.error = "the port must be a number from 0 to 65535";
            return line;
        }
        line.port = static_cast<int>(*port);
    }
    if (positional.size() == 3)
        line.address = positional[2];
    return line;
}

} // namespace dv
