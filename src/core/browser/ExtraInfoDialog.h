#pragma once

#include <string>

namespace dv {

struct TExtraInfo;

// The "more information" dialog: shows a note and says whether the reader
// chose to start the item.
class ExtraInfoDialog {
  public:
    virtual ~ExtraInfoDialog() = default;
    virtual bool askToStart(const TExtraInfo& note) = 0;
    // The note alone with a "Stäng" button, under its own caption.
    virtual void showNotice(const TExtraInfo& note, const std::string& caption) = 0;
};

} // namespace dv
