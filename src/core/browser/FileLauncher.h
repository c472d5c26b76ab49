#pragma once

#include "core/browser/DiscTargets.h"
#include "core/browser/LaunchFailure.h"
#include "core/browser/TargetSplitter.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

class MessageBoxes;

// Opens a file, document or web address the way the desktop would.
class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // Returns once the request was accepted or refused; on refusal, the
    // reason in Swedish: the system's own message where it speaks the
    // reader's language (Windows), launchFailureText otherwise.
    virtual std::optional<std::string> open(const std::string& file,
                                            const std::string& parameters) = 0;
    // The message for a file that is not there: Swedish like every other,
    // or the system's own where it speaks the reader's language (Windows).
    virtual std::string missingFileMessage() const {
        return launchFailureText(LaunchFailure::FileNotFound);
    }
};

// The small window that says something is being started.
class WaitingWindow {
  public:
    virtual ~WaitingWindow() = default;
    virtual void showWaiting() = 0;
    virtual void hideWaiting() = 0;
};

// Starts a target with the waiting window up, and reports a refusal in an
// error box that names the whole target. The box opens only after the
// waiting window is gone. Given the disc's targets, a file that really lies
// outside the disc is refused as a file that is not there.
class FileLauncher {
  public:
    FileLauncher(ProgramLauncher& launcher, WaitingWindow& waiting, MessageBoxes& boxes,
                 std::unique_ptr<const DiscTargets> targets = nullptr)
        : launcher_(launcher), waiting_(waiting), boxes_(boxes), targets_(std::move(targets)) {}

    // True when the target was started.
    bool ExecuteFile(std::string_view target);
    // Starts a target already split into file and parameters; the box, if
    // any, names the whole target.
    bool ExecuteFile(std::string_view target, const SplitTarget& split);
    // Opens a web address as it stands, never split at a blank or an
    // apostrophe; the same window and box as ExecuteFile.
    bool OpenAddress(std::string_view address);

  private:
    bool start(const std::string& file, const std::string& parameters, std::string_view target);
    bool refuse(const std::string& error, std::string_view target);

    ProgramLauncher& launcher_;
    WaitingWindow& waiting_;
    MessageBoxes& boxes_;
    std::unique_ptr<const DiscTargets> targets_;
};

} // namespace dv
