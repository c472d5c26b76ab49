#include "core/shell/SectionNavigation.h"

#include "core/app/PublisherAddresses.h"
#include "core/browser/BrowserHost.h"

#include <array>
#include <utility>

namespace dv {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kDiscPages{{
    {"lbNoje", "docs/noje/index.htm"},
    {"lbNytta", "docs/nytta/index.htm"},
    {"lbInternet", "docs/internet/index.htm"},
    {"lbVerktyg", "docs/verktyg/index.htm"},
    {"lbTillagg", "docs/tillagg/index.htm"},
    {"lbFullVer", "docs/skarpa/index.htm"},
    {"lbTMclipart", "docs/clipart/index.htm"},
    {"lbTMallaprog", "docs/allaprog/index.htm"},
    {"lbTMom", "docs/omdv/index.htm"},
    {"lbTMhjalp", "docs/hjalp/index.htm"},
    {"lbEttan", "docs/ettan/index.htm"},
}};

} // namespace

std::optional<std::string> sectionAddress(std::string_view label, std::string_view discRoot) {
    for (const auto& [name, page] : kDiscPages)
        if (name == label)
            return std::string(discRoot) + std::string(page);
    if (label == "lbTMdatavind")
        return std::string(publisher::kMagazineHomePage);
    if (label == "lbVelmora")
        return std::string(publisher::kMakerHomePage);
    return std::nullopt;
}

bool openSection(std::string_view label, std::string_view discRoot, BrowserHost& browser) {
    const std::optional<std::string> address = sectionAddress(label, discRoot);
    if (!address || !browser.hasControl())
        return false;
    browser.navigate(*address);
    return true;
}

} // namespace dv
