#pragma once

#include "core/browser/TExtraInfo.h"

#include <string_view>
#include <vector>

namespace dv {

// The notes of the last update document, in the order it gave them.
class TExtraInfoList {
  public:
    void Add(TExtraInfo record) { records_.push_back(std::move(record)); }
    void Clear() { records_.clear(); }
    void assign(std::vector<TExtraInfo> records) { records_ = std::move(records); }
    std::size_t Count() const { return records_.size(); }
    const TExtraInfo& at(std::size_t index) const { return records_.at(index); }

    // The first note whose non-empty FileName occurs in the target, compared
    // byte for byte; nullptr when none does.
    const TExtraInfo* Find(std::string_view target) const;

  private:
    std::vector<TExtraInfo> records_;
};

} // namespace dv
