#include "DocumentFolder.h"

#include "DocumentAdvice.h"
#include "UpdatePreview.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <set>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dv {

namespace fs = std::filesystem;

const std::string DocumentFolder::kEmptyDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dvcd/>\n";

namespace {

const std::shared_ptr<const ServedDocument> kEmpty =
    ServedDocument::make(DocumentFolder::kEmptyDocument, 0);

struct Descriptor {
    int fd;
    explicit Descriptor(int d) : fd(d) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

bool isDocumentName(std::string_view name) {
    return name.size() >= 4 && name.ends_with(".xml");
}

// Opens a name of the folder only where it lies in the folder once every
// link on the way is followed: openat2's RESOLVE_BENEATH, or on an older
// kernel the real path compared with the folder's.
int openInside(int folder, const fs::path& folderPath, const std::string& name) {
    open_how how{};
    how.flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, folder, name.c_str(), &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS)
        return static_cast<int>(fd);
    std::error_code ec;
    const fs::path real = fs::canonical(folderPath / name, ec);
    const fs::path within = fs::canonical(folderPath, ec);
    if (ec) {
        errno = ENOENT;
        return -1;
    }
    const std::string inside = within.string() + "/";
    if (!real.string().starts_with(inside)) {
        errno = EXDEV;
        return -1;
    }
    return ::open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
}

} // namespace

struct DocumentFolder::FileRead {
    // Gone: no such name; Vanished: a link whose file is not there (or one
    // removed between two looks).
    enum class Outcome { Unchanged, Gone, Vanished, Busy, Failed, Read } outcome = Outcome::Failed;
    std::string fault;
    Version version;
    std::string bytes;
};

namespace {

DocumentFolder::Version versionOf(const struct stat& s) {
    return {static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
            static_cast<std::uint64_t>(s.st_size),
            static_cast<std::uint64_t>(s.st_mtim.tv_sec) * 1'000'000'000ULL +
                static_cast<std::uint64_t>(s.st_mtim.tv_nsec)};
}

} // namespace

DocumentFolder::FileRead DocumentFolder::readFile(int folder, const std::string& name,
                                                  const Entry* known) const {
    FileRead read;
    const auto failed = [&](FileRead::Outcome outcome, std::string fault) {
        read.outcome = outcome;
        read.fault = std::move(fault);
        return std::move(read);
    };
    struct stat entry {};
    if (::fstatat(folder, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
        return failed(errno == ENOENT ? FileRead::Outcome::Gone : FileRead::Outcome::Failed,
                      std::strerror(errno));
    const bool link = S_ISLNK(entry.st_mode);
    if (!link && !S_ISREG(entry.st_mode))
        return failed(FileRead::Outcome::Failed, "not a regular file");
    // The common case, a file as it was: not even opened.
    if (!link && known && known->read && known->version == versionOf(entry)) {
        read.outcome = FileRead::Outcome::Unchanged;
        return read;
    }
    // Non-blocking, so that a pipe given a document's name cannot stall the scan.
    const Descriptor file(openInside(folder, folder_, name));
    if (file.fd < 0) {
        if (errno == EXDEV) {
            std::error_code ec;
            return failed(FileRead::Outcome::Failed,
                          "a link that leads out of the folder (to " +
                              fs::read_symlink(folder_ / name, ec).string() +
                              "); only files in the folder are served");
        }
        return failed(errno == ENOENT ? FileRead::Outcome::Vanished : FileRead::Outcome::Failed,
                      std::strerror(errno));
    }
    struct stat before {};
    if (::fstat(file.fd, &before) != 0 || !S_ISREG(before.st_mode))
        return failed(FileRead::Outcome::Failed,
                      link ? "a link to something that is not a regular file"
                           : "not a regular file");
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
        if (got < 0)
            return failed(FileRead::Outcome::Failed, std::strerror(errno));
        if (got == 0)
            break;
        read.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    struct stat after {};
    if (::fstat(file.fd, &after) != 0 || !(versionOf(after) == read.version)) {
        read.outcome = FileRead::Outcome::Busy; // being written: read again on its next change
        return read;
    }
    read.outcome = FileRead::Outcome::Read;
    return read;
}

// The folder, or -1 with the fault logged once.
int DocumentFolder::openFolder(std::vector<std::string>& log) {
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        return fd;
    const std::string fault = std::strerror(errno);
    // A half-read listing says nothing about the files it did not reach.
    if (folderFault_ != fault)
        log.push_back(
            folder_.string() + ": cannot be read (" + fault + "); " +
            (read_
                 ? "the " + std::to_string(goodCount()) + " documents read before are still served"
                 : std::string("every disc gets an error answer until it can be read")));
    folderFault_ = fault;
    return -1;
}

std::vector<std::string> DocumentFolder::refresh() {
    std::vector<std::string> log;
    const Descriptor folder(openFolder(log));
    if (folder.fd < 0)
        return log;
    std::vector<std::string> names;
    DIR* listing = ::fdopendir(::dup(folder.fd));
    if (!listing) {
        const Descriptor failed(openFolder(log)); // reports it
        return log;
    }
    errno = 0;
    while (const dirent* e = ::readdir(listing)) {
        if (isDocumentName(e->d_name))
            names.emplace_back(e->d_name);
        errno = 0;
    }
    const int listed = errno;
    ::closedir(listing);
    if (listed != 0) {
        const std::string fault = std::strerror(listed);
        if (folderFault_ != fault)
            log.push_back(folder_.string() + ": cannot be read (" + fault + ")");
        folderFault_ = fault;
        return log;
    }
    if (!folderFault_.empty())
        log.push_back(folder_.string() + ": can be read again");
    folderFault_.clear();
    read_ = true;

    const std::set<std::string> present(names.begin(), names.end());
    for (const std::string& name : names)
        look(folder.fd, name, log);
    for (auto& [name, entry] : entries_)
        if (!present.count(name))
            removed(name, entry, log);
    publish();
    return log;
}

std::vector<std::string> DocumentFolder::refresh(const std::set<std::string>& names) {
    if (!read_)
        return refresh();
    std::vector<std::string> log;
    const Descriptor folder(openFolder(log));
    if (folder.fd < 0)
        return log;
    for (const std::string& name : names)
        if (isDocumentName(name))
            look(folder.fd, name, log);
    publish();
    return log;
}

void DocumentFolder::look(int folder, const std::string& name, std::vector<std::string>& log) {
    const auto known = entries_.find(name);
    FileRead read = readFile(folder, name, known == entries_.end() ? nullptr : &known->second);
    if (read.outcome == FileRead::Outcome::Gone) {
        if (known != entries_.end())
            removed(name, known->second, log);
        return;
    }
    if (read.outcome == FileRead::Outcome::Vanished && known == entries_.end())
        return; // came and went between two looks: never a document
    const auto [entry, added] = entries_.try_emplace(name);
    namesChanged_ = namesChanged_ || added;
    take(name, entry->second, std::move(read), log);
}

void DocumentFolder::removed(const std::string& name, Entry& entry, std::vector<std::string>& log) {
    if (entry.removed)
        return;
    entry.removed = true;
    log.push_back(
        name + ": removed from the folder; " +
        (entry.good ? "its last version is still served" : "its discs still get an error answer") +
        " until the service restarts (an empty document withdraws one)");
}

void DocumentFolder::take(const std::string& name, Entry& entry, FileRead&& read,
                          std::vector<std::string>& log) {
    entry.removed = false;
    switch (read.outcome) {
    case FileRead::Outcome::Unchanged:
    case FileRead::Outcome::Busy:
        return;
    case FileRead::Outcome::Gone:
    case FileRead::Outcome::Vanished:
    case FileRead::Outcome::Failed:
        if (entry.fault != read.fault)
            log.push_back(name + ": cannot be read (" + read.fault + "); " +
                          (entry.good ? "its last version is still served"
                                      : "its discs get an error answer"));
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
    if (const auto refusal = updateRefusal(read.bytes)) {
        log.push_back(
            name + ": not served: " + *refusal +
            (entry.good ? "; its previous version still is" : "; its discs get an error answer"));
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
    entry.slot->good.store(entry.good);
    log.push_back(name + ": served, " + entry.good->contentType + ", " +
                  std::to_string(entry.good->bytes.size()) + " bytes");
    for (const std::string& note : notes)
        log.push_back(name + ": note: " + note);
}

void DocumentFolder::publish() {
    if (!namesChanged_)
        return;
    auto catalogue = std::make_shared<Catalogue>();
    for (const auto& [name, entry] : entries_)
        catalogue->emplace(name.substr(0, name.size() - 4), entry.slot);
    namesChanged_ = false;
    const std::lock_guard lock(mutex_);
    catalogue_ = std::move(catalogue);
}

std::size_t DocumentFolder::goodCount() const {
    return static_cast<std::size_t>(std::count_if(
        entries_.begin(), entries_.end(), [](const auto& e) { return e.second.good != nullptr; }));
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
    std::shared_ptr<const ServedDocument> good = it->second->good.load();
    if (!good)
        return {Lookup::Kind::Broken, nullptr};
    return {Lookup::Kind::Found, std::move(good)};
}

} // namespace dv
