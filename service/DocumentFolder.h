#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dv {

// The update documents of a folder, one a disc: "<disc id>.xml". A request's
// id is only ever looked up among the names found in the folder, so no id
// can name a file outside it. Documents are checked when read; a malformed
// one is reported and its last good version (if any) is served instead.
class DocumentFolder {
public:
    explicit DocumentFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Reads what changed since the last call; returns one line per problem.
    std::vector<std::string> refresh();

    struct Lookup {
        enum class Kind { Unknown, Broken, Found } kind = Kind::Unknown;
        std::string document;
    };
    // The document for a disc id. Broken: it exists but has never been
    // well-formed; nothing can be served for it.
    Lookup find(const std::string& discId) const;

    // What a disc the service does not know gets.
    static const std::string kEmptyDocument;

private:
    struct Entry {
        std::filesystem::file_time_type modified;
        std::optional<std::string> good; // the last version that was well-formed
        bool reported = false;           // this version is broken and was reported
    };

    std::filesystem::path folder_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> documents_;
};

// The charset a document declares, for its content type; UTF-8 by default.
std::string declaredCharset(const std::string& document);

} // namespace dv
