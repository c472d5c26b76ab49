#pragma once

#include "core/update/Settings.h"

#include <QString>

namespace dv::qt {

// The settings as an INI file under the user's configuration folder
// (XDG_CONFIG_HOME), organisation "Velmora Media", application
// "Datavinds cd".
class QtSettingsStore : public SettingsStore {
  public:
    std::optional<Settings> read() override;
    void write(const Settings& settings) override;

    static QString fileName();
};

} // namespace dv::qt
