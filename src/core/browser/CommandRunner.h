#pragma once

#include <string>
#include <string_view>

namespace dv {

class FileLauncher;
class MessageBoxes;
class QuarantineList;
class StatusLine;
class TExtraInfoList;
struct Command;
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

// What the command verbs do to the main window.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;
    virtual void closeMainWindow() = 0;
    virtual void minimiseApplication() = 0;
    // Opens the desktop's network or proxy settings; false when no program
    // for them is installed.
    virtual bool openInternetSettings() = 0;
};

// Runs one command of a command link: a target to start (refused when
// quarantined, shown with its note first when it has one), quit, minimise,
// or the Internet settings (the status line says when there is nothing to
// open them with). Unknown verbs do nothing.
class CommandRunner {
public:
    struct Parts {
        const QuarantineList& quarantine;
        const TExtraInfoList& extraInfo;
        ExtraInfoDialog& extraInfoDialog;
        FileLauncher& launcher;
        MainWindowActions& window;
        StatusLine& status;
        MessageBoxes& boxes;
    };

    CommandRunner(std::string discRoot, Parts parts) : discRoot_(std::move(discRoot)), p_(parts) {}

    void DoCommand(std::string_view commandText);

private:
    void execute(const Command& command);

    std::string discRoot_;
    Parts p_;
};

} // namespace dv
