#pragma once

#include <optional>
#include <string>

namespace dv {

// The embedded browser of the main window. It creates the control on request
// and navigates it; it never decides whether the control may be used.
class BrowserHost {
  public:
    virtual ~BrowserHost() = default;

    // Creates and wires the control into its panel; false when it cannot.
    virtual bool createControl() = 0;
    virtual void destroyControl() = 0;
    virtual bool hasControl() const = 0;

    // The installed engine's version text, empty when it cannot be read.
    virtual std::optional<std::string> engineVersionText() const = 0;
    // The decimal separator of the user's locale.
    virtual char decimalSeparator() const = 0;

    // Navigates to a web address or an absolute file path.
    virtual void navigate(const std::string& address) = 0;
};

// Creates the main browser and keeps it only when its engine is new enough.
// Any failure leaves no control behind and gives false; the caller reports it.
bool createIE(BrowserHost& host);

} // namespace dv
