#include "DiscCheckCommand.h"

#include "CheckMessages.h"
#include "DiscCheck.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

namespace dv {

namespace {

constexpr const char* kUsage =
    "usage: dvcd-check DISC_FOLDER [--lang en|sv] [--max-page-size BYTES]\n";

} // namespace

int runDiscCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string folder;
    Language language = Language::English;
    DiscCheckOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--lang" && hasValue) {
            const auto chosen = CheckMessages::languageOf(arguments[++i]);
            if (!chosen) {
                err << "dvcd-check: --lang takes en or sv\n" << kUsage;
                return 2;
            }
            language = *chosen;
        } else if (a == "--max-page-size" && hasValue) {
            const std::string& v = arguments[++i];
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), options.maxPageBytes);
            if (ec != std::errc() || end != v.data() + v.size()) {
                err << "dvcd-check: --max-page-size takes a number of bytes\n" << kUsage;
                return 2;
            }
        } else if (a == "-h" || a == "--help") {
            out << kUsage;
            return 0;
        } else if (!a.starts_with("-") && folder.empty()) {
            folder = a;
        } else {
            err << "dvcd-check: unexpected argument " << a << "\n" << kUsage;
            return 2;
        }
    }
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) {
        err << (folder.empty() ? std::string("dvcd-check: no disc folder given\n")
                               : "dvcd-check: " + folder + " is no folder\n")
            << kUsage;
        return 2;
    }

    const std::vector<CheckFinding> findings = DiscCheck(folder, options).run();
    const CheckMessages messages(language);
    for (const CheckFinding& f : findings)
        out << messages.line(f) << "\n";
    const auto errors = static_cast<std::size_t>(std::count_if(
        findings.begin(), findings.end(), [](const CheckFinding& f) { return f.severity == Severity::Error; }));
    out << messages.summary(errors, findings.size() - errors) << "\n";
    return errors > 0 ? 1 : 0;
}

} // namespace dv
