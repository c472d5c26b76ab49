#include "PageCheck.h"

#include "DiscFileKind.h"
#include "core/app/DiscPath.h"
#include "core/app/UrlHost.h"
#include "core/browser/CommandLinkFilter.h"
#include "core/browser/CommandText.h"
#include "core/browser/DiscPageCheck.h"
#include "core/browser/TargetSplitter.h"
#include "core/text/AnsiText.h"

#include <libxml/uri.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace dv {

namespace {

namespace fs = std::filesystem;

// A link's path as the browser reads it: %hh undone.
std::string unescapeUri(const std::string& text) {
    char* raw = xmlURIUnescapeString(text.c_str(), static_cast<int>(text.size()), nullptr);
    if (!raw)
        return text;
    std::string out(raw);
    xmlFree(raw);
    return out;
}

bool isAbsolutePath(std::string_view path) {
    return path.starts_with('/') || path.starts_with('\\') || (path.size() >= 2 && path[1] == ':');
}

std::string normal(const fs::path& path) {
    return path.lexically_normal().string();
}

// True when the target up to a later blank, or the whole of it, names a file.
bool holdsAFileAfterABlank(const std::string& target) {
    std::error_code ec;
    for (std::size_t blank = target.find(' '); blank != std::string::npos;) {
        blank = target.find(' ', blank + 1);
        const std::string candidate = resolveDiscPath(target.substr(0, blank));
        if (fs::is_regular_file(candidate, ec))
            return true;
    }
    return false;
}

} // namespace

// A page with a hundred thousand bad links says so twenty times and counts
// the rest, so the report stays readable and small.
void PageCheck::add(Severity severity, FindingKind kind, int line,
                    std::vector<std::string> arguments) {
    Kept& kept = kept_[kind];
    if (kept.shown >= kMaxPerKind) {
        ++kept.leftOut;
        return;
    }
    ++kept.shown;
    kept.lastLine = line;
    kept.severity = severity;
    findings_.push_back({severity, kind, page_, line, std::move(arguments)});
}

std::string PageCheck::relative(const std::string& path) const {
    return path.starts_with(root_) ? path.substr(root_.size()) : path;
}

void PageCheck::check(const std::string& pagePath) {
    page_ = relative(pagePath);
    kept_.clear();
    readLinks(pagePath);
    for (const auto& [kind, kept] : kept_)
        if (kept.leftOut > 0)
            findings_.push_back({kept.severity,
                                 FindingKind::FindingsLeftOut,
                                 page_,
                                 kept.lastLine,
                                 {std::to_string(kept.leftOut), std::to_string(kept.lastLine)}});
}

void PageCheck::readLinks(const std::string& pagePath) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(pagePath, ec);
    if (ec) {
        add(Severity::Error, FindingKind::PageUnreadable, 0, {ec.message()});
        return;
    }
    // Over the bound it is not read at all: its time and memory would grow
    // with it, and it must be made smaller anyway.
    if (size > maxPageBytes_) {
        add(Severity::Error, FindingKind::PageTooLarge, 0,
            {std::to_string(size), std::to_string(maxPageBytes_)});
        return;
    }
    std::ifstream in(pagePath, std::ios::binary);
    std::string html(static_cast<std::size_t>(size), '\0');
    in.read(html.data(), static_cast<std::streamsize>(size));
    html.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    if (in.bad()) {
        add(Severity::Error, FindingKind::PageUnreadable, 0, {"read error"});
        return;
    }
    std::vector<int> crowded;
    const std::vector<PageLink> links = PageLinks::read(html, &crowded);
    for (const int line : crowded)
        add(Severity::Warning, FindingKind::PageElementCrowded, line,
            {std::to_string(PageLinks::kMaxAttributes)});
    const std::string pageFolder = fs::path(pagePath).parent_path().string();
    const std::optional<std::string> folder = baseFolder(links, pageFolder);
    for (const PageLink& link : links) {
        if (commandLink(link))
            continue;
        if (webFrame(link))
            add(Severity::Warning, FindingKind::PageWebFrame, link.line, {link.value});
        if (link.element == "base")
            pageLink(link, pageFolder); // the base itself is written from the page
        else if (folder)
            pageLink(link, *folder);
        else if (hasUrlScheme(link.value))
            pageLink(link,
                     {}); // relative links lead to the web: only the page's own files are looked at
    }
}

// The folder relative links start from: the page's own, or the first
// <base href> as the browser takes it; none when that is a web address.
std::optional<std::string> PageCheck::baseFolder(const std::vector<PageLink>& links,
                                                 const std::string& pageFolder) {
    const auto base = std::find_if(links.begin(), links.end(), [](const PageLink& link) {
        return link.element == "base" && link.attribute == "href";
    });
    if (base == links.end())
        return pageFolder;
    std::string value = base->value;
    value.erase(0, value.find_first_not_of(" \t\r\n"));
    value.erase(value.find_last_not_of(" \t\r\n") + 1);
    if (value.empty())
        return pageFolder;
    if (hasUrlScheme(value))
        return std::nullopt;
    std::string path = unescapeUri(value.substr(0, value.find_first_of("?#")));
    std::replace(path.begin(), path.end(), '\\', '/');
    const fs::path written = path.starts_with('/') ? fs::path(path) : fs::path(pageFolder) / path;
    // "dir/" names the folder itself; "dir/page.htm" the folder it lies in.
    return normal(path.ends_with('/') ? written : written.parent_path());
}

bool PageCheck::webFrame(const PageLink& link) {
    if ((link.element != "frame" && link.element != "iframe") || link.attribute != "src")
        return false;
    std::string value = link.value;
    value.erase(0, value.find_first_not_of(" \t\r\n"));
    const std::string scheme = lowerAscii(value.substr(0, value.find(':')));
    return value.find(':') != std::string::npos && (scheme == "http" || scheme == "https");
}

bool PageCheck::commandLink(const PageLink& link) {
    // The program's own path from a clicked link to a command: the address
    // as written, decoded, then the prefix; every page of the disc may run
    // commands.
    const NavigationDecision decision = beforeNavigate(writtenLinkAddress(link.value), true);
    if (!decision.command)
        return false;
    const Command command = parseCommand(*decision.command, root_);
    switch (command.verb) {
    case CommandVerb::Unknown:
        add(Severity::Error, FindingKind::CommandUnknownVerb, link.line, {*decision.command});
        break;
    case CommandVerb::Execute:
        executeTarget(*decision.command, command, link.line);
        break;
    case CommandVerb::Quit:
    case CommandVerb::Minimize:
    case CommandVerb::ShowInetSettings:
        break;
    }
    return true;
}

void PageCheck::executeTarget(const std::string& written, const Command& command, int line) {
    // Cut as the program cuts it: before the disc's root goes in.
    const std::string& target = command.target;
    const SplitTarget& split = command.launch;
    const std::string shown =
        written.substr(std::min<std::size_t>(written.size(), 8)); // after "EXECUTE="
    if (split.file.find_first_not_of(" \t") == std::string::npos) {
        add(Severity::Error, FindingKind::CommandWithoutTarget, line, {written});
        return;
    }
    if (hasUrlScheme(split.file))
        return; // a web address or mail link: the desktop opens it

    std::string path = split.file;
    const std::string rootLessSeparator = root_.substr(0, root_.size() - 1);
    if (!path.starts_with(rootLessSeparator)) {
        if (isAbsolutePath(path)) {
            add(Severity::Error, FindingKind::CommandTargetOffDisc, line, {shown});
            return;
        }
        add(Severity::Warning, FindingKind::CommandTargetRelative, line, {shown});
        path = root_ + path;
    }
    const std::string found = normal(resolveDiscPath(path));
    if (!liesInside(found, root_, PathCase::Sensitive)) {
        add(Severity::Error, FindingKind::CommandTargetOffDisc, line, {shown});
        return;
    }
    std::error_code ec;
    if (!fs::exists(found, ec)) {
        // A path with a blank and no apostrophes is cut where the editor
        // least expects it: when the file is there with what follows a
        // blank, say so, with the file the program would start.
        if (!split.parameters.empty() && target.find('\'') == std::string::npos &&
            holdsAFileAfterABlank((path == split.file ? std::string() : root_) + target))
            add(Severity::Error, FindingKind::CommandTargetCutAtBlank, line,
                {shown, splitTarget(shown).file});
        else
            add(Severity::Error, FindingKind::CommandTargetMissing, line, {shown});
        return;
    }
    switch (discFileKindOf(found)) {
    case DiscFileKind::WindowsProgram:
        add(Severity::Warning, FindingKind::CommandWindowsProgram, line, {relative(found)});
        break;
    case DiscFileKind::NamedProgram:
        add(Severity::Error, FindingKind::CommandNotAProgram, line, {relative(found)});
        break;
    case DiscFileKind::Document:
        if (!split.parameters.empty())
            add(Severity::Warning, FindingKind::CommandDocumentWithParameters, line,
                {relative(found), split.parameters});
        break;
    case DiscFileKind::LinuxProgram:
    case DiscFileKind::Folder:
        break;
    }
}

void PageCheck::pageLink(const PageLink& link, const std::string& pageFolder) {
    std::string value = link.value;
    value.erase(0, value.find_first_not_of(" \t\r\n"));
    value.erase(value.find_last_not_of(" \t\r\n") + 1);
    if (value.empty() || value.starts_with('#'))
        return;
    const bool fileScheme = lowerAscii(value.substr(0, 5)) == "file:";
    if (hasUrlScheme(value) && !fileScheme)
        return; // the web, mail, scripts: not files of the disc
    std::string path = value.substr(0, value.find_first_of("?#"));
    path = unescapeUri(path);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (fileScheme) {
        path.erase(0, 5);
        if (path.starts_with("//"))
            path.erase(0, path.find('/', 2) == std::string::npos ? path.size() : path.find('/', 2));
    }
    if (path.empty())
        return;
    const std::string target =
        path.starts_with('/') ? normal(path) : normal(fs::path(pageFolder) / path);
    if (!liesInside(target, root_, PathCase::Sensitive)) {
        add(Severity::Error, FindingKind::PageLinkOutsideDisc, link.line, {value});
        return;
    }
    std::error_code ec;
    if (fs::exists(target, ec))
        return;
    const std::string found = resolveDiscPath(target);
    if (found != target && fs::exists(found, ec))
        add(Severity::Error, FindingKind::PageLinkWrongCase, link.line, {value, relative(found)});
    else
        add(Severity::Error, FindingKind::PageLinkMissing, link.line, {value});
}

} // namespace dv
