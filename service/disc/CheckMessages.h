#pragma once

#include "CheckFinding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

enum class Language { English, Swedish };

// The words of a disc check's report, in English or Swedish.
class CheckMessages {
  public:
    explicit CheckMessages(Language language) : language_(language) {}

    // "en" or "sv"; empty for any other code.
    static std::optional<Language> languageOf(std::string_view code);

    // "docs/noje/index.htm:12: error: ..." (no line number for a whole file).
    std::string line(const CheckFinding& finding) const;
    std::string text(const CheckFinding& finding) const;
    std::string summary(std::size_t errors, std::size_t warnings) const;

  private:
    Language language_;
};

} // namespace dv
