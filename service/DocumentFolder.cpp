#include "DocumentFolder.h"

#include "DocumentAdvice.h"
#include "UpdatePreview.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <ostream>
#include <set>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>

namespace dv {

namespace fs = std::filesystem;

const std::string DocumentFolder::kEmptyDocument = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dvcd/>\n";

namespace {

const std::shared_ptr<const ServedDocument> kEmpty = ServedDocument::make(DocumentFolder::kEmptyDocument, 0);

// Output nobody reads: the check only needs the preview's verdict.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

bool completes(const std::string& bytes) {
    NullBuffer nothing;
    std::ostream out(&nothing);
    return previewUpdateDocument(bytes, out);
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

struct DocumentFolder::FileRead {
    enum class Outcome { Unchanged, Gone, Busy, Failed, Read } outcome = Outcome::Failed;
    std::string fault;
    Version version;
    std::string bytes;
};

DocumentFolder::FileRead DocumentFolder::readFile(const fs::path& path, const Entry* known) {
    FileRead read;
    // Non-blocking, so that a pipe given a document's name cannot stall the scan.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) {
        read.outcome = errno == ENOENT ? FileRead::Outcome::Gone : FileRead::Outcome::Failed;
        read.fault = std::strerror(errno);
        return read;
    }
    struct stat before {};
    if (::fstat(file.fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        read.fault = "not a regular file";
        return read;
    }
    const auto versionOf = [](const struct stat& s) {
        return Version{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
                       static_cast<std::uint64_t>(s.st_size),
                       static_cast<std::uint64_t>(s.st_mtim.tv_sec) * 1'000'000'000ULL +
                           static_cast<std::uint64_t>(s.st_mtim.tv_nsec)};
    };
    read.version = versionOf(before);
    if (known && known->read && known->version == read.version) {
        read.outcome = FileRead::Outcome::Unchanged;
        return read;
    }
    // One byte past the limit is enough to refuse a document as too large.
    char chunk[65536];
    while (read.bytes.size() <= kMaxBytes) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read.fault = std::strerror(errno);
            return read;
        }
        if (got == 0)
            break;
        read.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    struct stat after {};
    if (::fstat(file.fd, &after) != 0 || !(versionOf(after) == read.version)) {
        read.outcome = FileRead::Outcome::Busy; // being written: read it again next time
        return read;
    }
    read.outcome = FileRead::Outcome::Read;
    return read;
}

std::vector<std::string> DocumentFolder::refresh() {
    std::vector<std::string> log;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() >= 4 && name.ends_with(".xml"))
            names.push_back(std::move(name));
    }
    if (ec) {
        // A half-read listing says nothing about the files it did not reach.
        if (folderFault_ != ec.message())
            log.push_back(folder_.string() + ": cannot be read (" + ec.message() + "); " +
                          (read_ ? "the " + std::to_string(goodCount()) + " documents read before are still served"
                                 : std::string("every disc gets an error answer until it can be read")));
        folderFault_ = ec.message();
        return log;
    }
    if (!folderFault_.empty())
        log.push_back(folder_.string() + ": can be read again");
    folderFault_.clear();
    read_ = true;

    std::set<std::string> present;
    for (const std::string& name : names) {
        const auto known = entries_.find(name);
        FileRead read = readFile(folder_ / name, known == entries_.end() ? nullptr : &known->second);
        if (read.outcome == FileRead::Outcome::Gone && known == entries_.end())
            continue; // came and went between two looks: never a document
        present.insert(name);
        take(name, entries_[name], std::move(read), log);
    }
    for (auto& [name, entry] : entries_) {
        if (present.count(name) || entry.removed)
            continue;
        entry.removed = true;
        log.push_back(name + ": removed from the folder; " +
                      (entry.good ? "its last version is still served" : "its discs still get an error answer") +
                      " until the service restarts (an empty document withdraws one)");
    }
    publish();
    return log;
}

void DocumentFolder::take(const std::string& name, Entry& entry, FileRead&& read, std::vector<std::string>& log) {
    if (read.outcome != FileRead::Outcome::Gone)
        entry.removed = false;
    switch (read.outcome) {
    case FileRead::Outcome::Unchanged:
    case FileRead::Outcome::Busy:
        return;
    case FileRead::Outcome::Gone:
    case FileRead::Outcome::Failed:
        if (entry.fault != read.fault)
            log.push_back(name + ": cannot be read (" + read.fault + "); " +
                          (entry.good ? "its last version is still served" : "its discs get an error answer"));
        entry.fault = read.fault;
        return;
    case FileRead::Outcome::Read:
        break;
    }
    if (!entry.fault.empty())
        log.push_back(name + ": can be read again");
    entry.fault.clear();
    entry.read = true;
    entry.version = read.version;
    if (entry.good && entry.good->bytes == read.bytes) {
        if (entry.broken)
            log.push_back(name + ": served again as before");
        entry.broken = false;
        return; // touched, not changed
    }
    if (!completes(read.bytes)) {
        log.push_back(name + ": malformed, not served" + (entry.good ? " (the previous version still is)" : ""));
        entry.broken = true;
        return;
    }
    entry.broken = false;
    // Last-Modified never goes back for a disc, so a restored older file is
    // still news to a cache that asks with If-Modified-Since.
    const std::time_t now = std::time(nullptr);
    std::time_t modified = static_cast<std::time_t>(read.version.modifiedNs / 1'000'000'000ULL);
    if (entry.good)
        modified = std::max(modified, entry.good->modified + 1);
    modified = std::min(modified, now);
    const std::vector<std::string> notes = documentAdvice(read.bytes);
    entry.good = ServedDocument::make(std::move(read.bytes), modified);
    log.push_back(name + ": served, " + entry.good->contentType + ", " + std::to_string(entry.good->bytes.size()) +
                  " bytes");
    for (const std::string& note : notes)
        log.push_back(name + ": note: " + note);
}

void DocumentFolder::publish() {
    auto catalogue = std::make_shared<Catalogue>();
    for (const auto& [name, entry] : entries_)
        catalogue->emplace(name.substr(0, name.size() - 4), entry.good);
    const std::lock_guard lock(mutex_);
    catalogue_ = std::move(catalogue);
}

std::size_t DocumentFolder::goodCount() const {
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const auto& e) { return e.second.good != nullptr; }));
}

DocumentFolder::Lookup DocumentFolder::find(std::string_view discId) const {
    std::shared_ptr<const Catalogue> catalogue;
    {
        const std::lock_guard lock(mutex_);
        catalogue = catalogue_;
    }
    if (!catalogue)
        return {Lookup::Kind::Unavailable, nullptr};
    const auto it = catalogue->find(discId);
    if (it == catalogue->end())
        return {Lookup::Kind::Unknown, kEmpty};
    if (!it->second)
        return {Lookup::Kind::Broken, nullptr};
    return {Lookup::Kind::Found, it->second};
}

} // namespace dv
