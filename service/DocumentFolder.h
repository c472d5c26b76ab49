#pragma once

#include "ServedDocument.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// The update documents of a folder, one a disc: "<disc id>.xml". A request's
// id is only ever looked up among the names found in the folder, so no id
// can name a file outside it. Each version of a document is checked when it
// is read; a malformed one is reported and its last good version (if any)
// is served instead.
//
// Once a disc has a document it never gets the empty one again while the
// service runs: a folder that cannot be read, a file that cannot be read or
// vanishes, and a file that is removed all leave the last good version
// served (or, with none, an error answer that leaves the readers' lists as
// they are). Until the folder has been read once, every disc gets that error
// answer: a service started on a folder not yet mounted knows nothing, so it
// tells no disc that it has no document. Editors withdraw a document by
// serving an empty one.
class DocumentFolder {
public:
    explicit DocumentFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Reads what changed since the last call; returns one line per event
    // worth a log line (faults, new versions, notes on them). Not to be
    // called from two threads at once; find() may run meanwhile.
    std::vector<std::string> refresh();

    struct Lookup {
        enum class Kind { Unknown, Broken, Unavailable, Found } kind = Kind::Unknown;
        std::shared_ptr<const ServedDocument> document; // the empty one for Unknown
    };
    // The document for a disc id. Broken: the disc has a document but no
    // good version of it has been read; nothing can be served for it.
    // Unavailable: the folder has never been read.
    Lookup find(std::string_view discId) const;

    // What a disc the service does not know gets.
    static const std::string kEmptyDocument;

    // Largest document read; the program refuses larger ones.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

private:
    struct Version {
        std::uint64_t device = 0, inode = 0, size = 0, modifiedNs = 0;
        bool operator==(const Version&) const = default;
    };
    struct Entry {
        bool read = false; // some version was read, good or not
        Version version;   // the version last read
        std::shared_ptr<const ServedDocument> good;
        bool broken = false; // the version last read is malformed
        std::string fault; // the read fault last reported
        bool removed = false;
    };
    struct FileRead;
    static FileRead readFile(const std::filesystem::path& path, const Entry* known);
    void take(const std::string& name, Entry& entry, FileRead&& read, std::vector<std::string>& log);
    void publish();
    std::size_t goodCount() const;

    using Catalogue = std::map<std::string, std::shared_ptr<const ServedDocument>, std::less<>>;

    std::filesystem::path folder_;
    std::map<std::string, Entry> entries_; // the refreshing thread's own
    std::string folderFault_;              // the folder fault last reported
    bool read_ = false;                    // the folder has been listed once
    mutable std::mutex mutex_;
    std::shared_ptr<const Catalogue> catalogue_; // null until the folder has been read
};

} // namespace dv
