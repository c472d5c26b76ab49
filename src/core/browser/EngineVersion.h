#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

// The oldest browser engine the disc pages are made for.
inline constexpr double kMinimumEngineVersion = 5.0;

// Reads a number the way the user's locale writes it: optional blanks, an
// optional sign, digits with at most one decimal separator, an optional
// exponent. Anything else fails.
std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator);

// The installed engine's version from its version text ("6.0000"), or -1 when
// the text is missing or unreadable. The text is tried with its points read as
// the locale's separator first and then unchanged, so it reads the same under
// a comma locale and a point locale.
double engineVersionFromText(const std::optional<std::string>& text, char decimalSeparator);

// A dotted engine version such as "108.0.5359.220" cut to its major and minor
// part ("108.0"), the form the version rule reads.
std::string majorMinorOf(std::string_view dottedVersion);

} // namespace dv
