#include "core/filesearch/ProgramList.h"

#include "core/app/RegularFile.h"
#include "core/text/AnsiText.h"
#include "core/text/Utf8Path.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

namespace dv {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

bool ProgramList::load(const std::string& path) {
    text_.clear();
    upper_.clear();
    lines_.clear();
    if (!isRegularFile(path))
        return false;
    std::ifstream in(pathFromUtf8(path), std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    try {
        // Read in one piece: a growing buffer would need twice the memory.
        std::string bytes(static_cast<std::size_t>(size), '\0');
        in.seekg(0);
        if (!in.read(bytes.data(), size))
            return false;
        loadBytes(std::move(bytes));
    } catch (const std::bad_alloc&) {
        return false; // larger than this machine can hold: no list
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

std::string ProgramList::decode(std::string bytes) {
    if (std::string_view(bytes).starts_with(kUtf8Bom)) {
        bytes.erase(0, kUtf8Bom.size());
        return bytes;
    }
    return windows1252ToUtf8(bytes);
}

void ProgramList::loadBytes(std::string bytes) {
    // The raw bytes go when decoding is done: lists are large.
    text_ = decode(std::move(bytes));
    lines_.clear();
    // Offsets are 32 bits; a list that large is no program list.
    if (text_.size() >= std::numeric_limits<std::uint32_t>::max())
        text_.clear();
    upper_ = upperAnsi(text_);

    const std::string_view all = text_;
    lines_.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t newline = all.find('\n', start);
        const std::size_t next = newline == std::string_view::npos ? all.size() : newline + 1;
        std::size_t end = newline == std::string_view::npos ? all.size() : newline;
        if (end > start && all[end - 1] == '\r')
            --end;
        const std::string_view text = all.substr(start, end - start);
        // A missing TAB leaves its column empty and the rest to the entry.
        std::size_t program = start;
        if (const std::size_t tab = text.find('\t'); tab != std::string_view::npos)
            program = start + tab + 1;
        std::size_t entry = program;
        if (const std::size_t tab = all.substr(program, end - program).find('\t');
            tab != std::string_view::npos)
            entry = program + tab + 1;
        lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(program),
                          static_cast<std::uint32_t>(entry), static_cast<std::uint32_t>(end)});
        start = next;
    }
}

ProgramList::Line ProgramList::line(std::size_t index) const {
    const Offsets& o = lines_.at(index);
    const std::string_view all = text_;
    // The disc column ends at its TAB; with no TAB there is no disc column.
    const std::size_t discLength = o.program > o.start ? o.program - o.start - 1 : 0;
    const std::size_t programLength = o.entry > o.program ? o.entry - o.program - 1 : 0;
    return {all.substr(o.start, discLength), all.substr(o.program, programLength),
            all.substr(o.entry, o.end - o.entry)};
}

void ProgramList::forEachMatch(std::string_view upperText,
                               const std::function<void(std::size_t)>& matched) const {
    if (upperText.empty()) {
        for (std::size_t i = 0; i < lines_.size(); ++i)
            matched(i);
        return;
    }
    // Scan the whole upper-cased text and map each hit to its line; a hit
    // outside a line's entry moves the scan on.
    const std::boyer_moore_horspool_searcher searcher(upperText.begin(), upperText.end());
    const auto begin = upper_.begin();
    std::size_t pos = 0;
    std::size_t li = 0;
    while (pos < upper_.size() && li < lines_.size()) {
        const auto found =
            std::search(begin + static_cast<std::ptrdiff_t>(pos), upper_.end(), searcher);
        if (found == upper_.end())
            return;
        const std::size_t hit = static_cast<std::size_t>(found - begin);
        while (li < lines_.size() && lines_[li].end <= hit)
            ++li;
        if (li == lines_.size())
            return;
        const Offsets& o = lines_[li];
        if (hit < o.entry) {
            pos = o.entry; // in the disc or program column
        } else if (hit + upperText.size() <= o.end) {
            matched(li);
            ++li;
            pos = li < lines_.size() ? lines_[li].start : upper_.size();
        } else {
            pos = hit + 1; // runs past the end of the line
        }
    }
}

} // namespace dv
