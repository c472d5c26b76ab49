#include "core/browser/FileLauncher.h"

#include "core/app/MessageBoxes.h"
#include "core/shell/MainWindowLayout.h"

#include <exception>

namespace dv {

bool FileLauncher::ExecuteFile(std::string_view target) {
    return ExecuteFile(target, splitTarget(target));
}

bool FileLauncher::ExecuteFile(std::string_view target, const SplitTarget& split) {
    if (targets_ && !targets_->mayStart(split.file))
        return refuse(launcher_.missingFileMessage(), target);
    return start(split.file, split.parameters, target);
}

bool FileLauncher::OpenAddress(std::string_view address) {
    return start(std::string(address), {}, address);
}

bool FileLauncher::start(const std::string& file, const std::string& parameters,
                         std::string_view target) {
    waiting_.showWaiting();
    std::optional<std::string> error;
    try {
        error = launcher_.open(file, parameters);
    } catch (const std::exception& e) {
        error = e.what();
    }
    waiting_.hideWaiting();
    if (!error)
        return true;
    return refuse(*error, target);
}

bool FileLauncher::refuse(const std::string& error, std::string_view target) {
    boxes_.show({layout::kApplicationTitle, error + " (" + std::string(target) + ")",
                 MessageIcon::Error, MessageButtons::Ok});
    return false;
}

} // namespace dv
