#pragma once

#include <optional>
#include <string>

namespace dv {

class MessageBoxes;
class StatusLine;

// The save-file dialog for the track.
class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The chosen path, or nothing when cancelled. The dialog itself asks
    // before a file is replaced.
    virtual std::optional<std::string> askSaveFileName(const std::string& proposedName) = 0;
};

// Copies a file over a target without ever leaving a half-written target:
// the copy goes to a new file beside the target and replaces it only when
// complete. A target that is a symbolic link is written through: the file
// the link ends at is replaced and the link stays. A replaced file keeps its
// permissions. Failing to open the source (or a source that is no regular
// file) or to create the copy throws; a failure while writing gives the
// system's reason, with the target as it was and no copy left behind.
std::optional<std::string> copyReplacing(const std::string& source, const std::string& target);

// Saves the month's track where the reader chooses.
class TrackSaver {
  public:
    TrackSaver(SaveDialog& dialog, MessageBoxes& boxes, StatusLine& status)
        : dialog_(dialog), boxes_(boxes), status_(status) {}

    void lbSaveMP3Click(const std::string& trackPath);

  private:
    SaveDialog& dialog_;
    MessageBoxes& boxes_;
    StatusLine& status_;
};

} // namespace dv
