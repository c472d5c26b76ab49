#pragma once

#include "core/music/TrackSaver.h"

class QWidget;

namespace dv::qt {

// The desktop's save-file dialog for the track: MP3 files or all files, the
// suffix .MP3 when none is typed, a question before a file is replaced.
class QtSaveDialog : public SaveDialog {
  public:
    explicit QtSaveDialog(QWidget* owner) : owner_(owner) {}
    std::optional<std::string> askSaveFileName(const std::string& proposedName) override;

  private:
    QWidget* owner_;
};

} // namespace dv::qt
