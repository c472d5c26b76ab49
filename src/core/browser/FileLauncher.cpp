#include "browser/FileLauncher.h"

#include "app/MessageBoxes.h"
#include "browser/TargetSplitter.h"
#include "shell/MainWindowLayout.h"

#include <exception>

namespace dv {

bool FileLauncher::ExecuteFile(std::string_view target) {
    const SplitTarget split = splitTarget(target);
    waiting_.showWaiting();
    std::optional<std::string> error;
    try {
        error = launcher_.open(split.file, split.parameters);
    } catch (const std::exception& e) {
        error = e.what();
    }
    waiting_.hideWaiting();
    if (!error)
        return true;
    boxes_.show({layout::kApplicationTitle, *error + " (" + std::string(target) + ")",
                 MessageIcon::Error, MessageButtons::Ok});
    return false;
}

} // namespace dv
