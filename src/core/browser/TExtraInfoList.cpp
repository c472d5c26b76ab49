#include "core/browser/TExtraInfoList.h"

namespace dv {

const TExtraInfo* TExtraInfoList::Find(std::string_view target) const {
    for (const TExtraInfo& r : records_)
        if (!r.FileName.empty() && target.find(r.FileName) != std::string_view::npos)
            return &r;
    return nullptr;
}

} // namespace dv
