#pragma once

#include "core/app/MessageBoxes.h"

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// Pieces of targets that must no longer be started, from the last update
// document. Empty until a document has been processed.
class QuarantineList {
  public:
    void clear() { entries_.clear(); }
    void append(std::string entry) { entries_.push_back(std::move(entry)); }
    void assign(std::vector<std::string> entries) { entries_ = std::move(entries); }
    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::string& entry(std::size_t index) const { return entries_.at(index); }

    // True when any non-empty entry occurs in the target, byte for byte.
    bool Quarantined(std::string_view target) const;

  private:
    std::vector<std::string> entries_;
};

// The box that refuses a quarantined target.
MessageBoxRequest QuarantineWarning(std::string_view target);

} // namespace dv
