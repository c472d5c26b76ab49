#pragma once

#include "ServedDocument.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// The update documents of a folder, one a disc: "<disc id>.xml". A request's
// id is only ever looked up among the names found in the folder, so no id
// can name a file outside it; and only regular files that lie in the folder
// by their real path are read: a link that leads out of it, or to a device
// or a pipe, is skipped and logged. Each version of a document is checked
// when it is read; one the program would refuse is logged with the reason
// and its last good version (if any) is served instead.
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
    // called from two threads at once; find() may run meanwhile. A file whose
    // size, time and inode are as before is not opened again.
    std::vector<std::string> refresh();
    // The same for the named files only ("<disc id>.xml"), as a change
    // notification names them; the rest of the folder stays as it was read.
    std::vector<std::string> refresh(const std::set<std::string>& names);
    bool everRead() const { return read_; }
    std::size_t documentCount() const { return goodCount(); }

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

    // A file's identity and state: unchanged, it is not read again.
    struct Version {
        std::uint64_t device = 0, inode = 0, size = 0, modifiedNs = 0;
        bool operator==(const Version&) const = default;
    };

    // Largest document read; the program refuses larger ones.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

  private:
    // A disc's place in the catalogue: a new version is put here, so a
    // change costs nothing however many documents there are; only a new
    // name makes a new catalogue.
    struct Slot {
        std::atomic<std::shared_ptr<const ServedDocument>> good;
    };
    struct Entry {
        bool read = false; // some version was read, good or not
        Version version;   // the version last read
        std::shared_ptr<const ServedDocument> good;
        std::shared_ptr<Slot> slot = std::make_shared<Slot>(); // where find() sees good
        bool broken = false;                                   // the version last read is malformed
        std::string fault;                                     // the read fault last reported
        bool removed = false;
    };
    struct FileRead;
    FileRead readFile(int folder, const std::string& name, const Entry* known) const;
    int openFolder(std::vector<std::string>& log);
    void look(int folder, const std::string& name, std::vector<std::string>& log);
    void removed(const std::string& name, Entry& entry, std::vector<std::string>& log);
    void take(const std::string& name, Entry& entry, FileRead&& read,
              std::vector<std::string>& log);
    void publish();
    std::size_t goodCount() const;

    using Catalogue = std::map<std::string, std::shared_ptr<const Slot>, std::less<>>;

    std::filesystem::path folder_;
    std::map<std::string, Entry> entries_; // the refreshing thread's own
    std::string folderFault_;              // the folder fault last reported
    bool read_ = false;                    // the folder has been listed once
    bool namesChanged_ = true;             // since the catalogue was made
    mutable std::mutex mutex_;
    std::shared_ptr<const Catalogue> catalogue_; // null until the folder has been read
};

} // namespace dv
