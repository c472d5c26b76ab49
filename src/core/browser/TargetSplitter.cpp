#include "core/browser/TargetSplitter.h"

namespace dv {

namespace {

// The apostrophe form: file, one blank, parameters, closing apostrophe. Both
// the separating blank and the closing character are cut off unseen.
SplitTarget splitAtApostrophe(std::string_view target, std::size_t q) {
    SplitTarget s;
    s.file = std::string(target.substr(0, q - 1));
    const std::string_view after = target.substr(q + 1);
    s.parameters = std::string(after.substr(0, after.empty() ? 0 : after.size() - 1));
    return s;
}

SplitTarget splitQuotedFile(std::string_view target) {
    const std::size_t close = target.find('\'', 1);
    if (close == std::string_view::npos)
        return {std::string(target.substr(1)), {}};
    SplitTarget s;
    s.file = std::string(target.substr(1, close - 1));
    std::string_view rest = target.substr(close + 1);
    if (rest.starts_with(' '))
        rest.remove_prefix(1);
    if (rest.size() >= 2 && rest.front() == '\'' && rest.back() == '\'')
        rest = rest.substr(1, rest.size() - 2);
    s.parameters = std::string(rest);
    return s;
}

} // namespace

SplitTarget splitTarget(std::string_view target) {
    const std::size_t q = target.find('\'');
    if (q == 0)
        return splitQuotedFile(target);
    if (q != std::string_view::npos)
        return splitAtApostrophe(target, q);
    const std::size_t blank = target.find(' ');
    if (blank == std::string_view::npos)
        return {std::string(target), {}};
    return {std::string(target.substr(0, blank)), std::string(target.substr(blank + 1))};
}

} // namespace dv
