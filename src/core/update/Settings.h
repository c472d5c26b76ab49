#pragma once

#include <optional>

namespace dv {

// What the program keeps between runs: the reader's answer to the question
// whether the disc may look for updates when it starts.
struct Settings {
    std::optional<bool> checkAtStart; // empty: not answered
    bool dontRemind = false;          // never ask again
    friend bool operator==(const Settings&, const Settings&) = default;
};

// The per-user settings store. Reading never creates it; writing does.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Empty when there is no store yet.
    virtual std::optional<Settings> read() = 0;
    virtual void write(const Settings& settings) = 0;
};

} // namespace dv
