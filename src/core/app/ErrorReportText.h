#pragma once

namespace dv {

// What the default error report says of a failure that carries no text of
// its own, in both programs.
inline constexpr const char* kUnknownErrorText = "Ett okänt fel inträffade.";

} // namespace dv
