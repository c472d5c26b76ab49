#include "browser/MainBrowser.h"

#include "browser/CommandMessage.h"
#include "browser/MyMessageHandler.h"
#include "browser/TExtraInfoForm.h"
#include "browser/TProgStartingForm.h"
#include "shell/SectionNavigation.h"
#include "support/MessageLoop.h"

namespace dv::win32 {

MainBrowser::MainBrowser(Parts parts)
    : p_(std::move(parts)), indicator_(p_.progress),
      host_({p_.panel, p_.mainWindow, p_.discRoot, p_.status, indicator_}), launcher_(p_.mainWindow),
      actions_(p_.mainWindow), commands_([this](const std::string& command) {
          if (runner_)
              runner_->DoCommand(command);
      }) {}

MainBrowser::~MainBrowser() {
    if (hook_)
        MessageLoop::instance().removeFilter(*hook_);
}

void MainBrowser::attachWindows(TProgStartingForm& progStarting, TExtraInfoForm& extraInfo, HWND fileSearch) {
    actions_.setFileSearchWindow(fileSearch);
    extraInfo.setOwner(p_.mainWindow);
    fileLauncher_ = std::make_unique<FileLauncher>(launcher_, progStarting, p_.boxes);
    extraInfo.setLauncher(fileLauncher_.get());
    runner_ = std::make_unique<CommandRunner>(
        p_.discRoot, CommandRunner::Parts{p_.quarantine, p_.extraInfo, extraInfo, *fileLauncher_, actions_,
                                          p_.status, p_.boxes});
}

void MainBrowser::installMessageHook() {
    if (hook_ || !host_.hasControl())
        return;
    hook_ = std::make_unique<MyMessageHandler>(host_);
    MessageLoop::instance().addFilter(*hook_);
}

LRESULT MainBrowser::IECommand(WPARAM wParam) {
    return receiveCommand(wParam, [this](const std::string& command) { DoCommand(command); });
}

void MainBrowser::DoCommand(const std::string& commandText) {
    // A command that arrives while another one's dialog is up (a script in
    // the page may navigate) runs after it, never inside it.
    commands_.push(commandText);
}

bool MainBrowser::ExecuteFile(std::string_view target) {
    return fileLauncher_ && fileLauncher_->ExecuteFile(target);
}

void MainBrowser::openSection(std::string_view label) { dv::openSection(label, p_.discRoot, host_); }

} // namespace dv::win32
