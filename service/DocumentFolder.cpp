#include "DocumentFolder.h"

#include "UpdatePreview.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace dv {

namespace fs = std::filesystem;

const std::string DocumentFolder::kEmptyDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dvcd/>\n";

std::vector<std::string> DocumentFolder::refresh() {
    std::vector<std::string> problems;
    std::map<std::string, Entry> next;
    {
        const std::lock_guard lock(mutex_);
        next = documents_;
    }
    std::map<std::string, bool> seen;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file() || it->path().extension() != ".xml")
            continue;
        const std::string id = it->path().stem().string();
        seen[id] = true;
        const auto modified = it->last_write_time(ec);
        auto& entry = next[id];
        // Checked once a version: a broken one is reported once, not every pass.
        if (entry.modified == modified && (entry.good || entry.reported))
            continue;
        entry.reported = false;
        entry.modified = modified;
        std::ifstream in(it->path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ostringstream ignored;
        if (previewUpdateDocument(text, ignored))
            entry.good = text;
        else {
            entry.reported = true;
            problems.push_back(it->path().filename().string() +
                               ": malformed, not served" +
                               (entry.good ? " (the previous version still is)" : ""));
        }
    }
    for (auto it = next.begin(); it != next.end();)
        it = seen.count(it->first) ? std::next(it) : next.erase(it);
    const std::lock_guard lock(mutex_);
    documents_ = std::move(next);
    return problems;
}

DocumentFolder::Lookup DocumentFolder::find(const std::string& discId) const {
    const std::lock_guard lock(mutex_);
    const auto it = documents_.find(discId);
    if (it == documents_.end())
        return {Lookup::Kind::Unknown, kEmptyDocument};
    if (!it->second.good)
        return {Lookup::Kind::Broken, {}};
    return {Lookup::Kind::Found, *it->second.good};
}

std::string declaredCharset(const std::string& document) {
    static const std::regex declaration(R"(^(\xEF\xBB\xBF)?<\?xml[^>]*encoding=["']([A-Za-z0-9._-]+)["'])");
    std::smatch m;
    if (std::regex_search(document, m, declaration))
        return m[2].str();
    return "UTF-8";
}

} // namespace dv
