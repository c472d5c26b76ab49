#include "win32/update/Win32VolumeInfo.h"

#include "core/update/VolumeRoot.h"
#include "win32/support/Utf16.h"

#include <windows.h>

namespace dv::win32 {

namespace {

// No "insert a disc" box for as long as it lives; the mode before is put
// back on every path.
class CriticalErrorsFail {
  public:
    CriticalErrorsFail() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    CriticalErrorsFail(const CriticalErrorsFail&) = delete;
    CriticalErrorsFail& operator=(const CriticalErrorsFail&) = delete;
    ~CriticalErrorsFail() { SetErrorMode(previous_); }

  private:
    UINT previous_;
};

} // namespace

std::string Win32VolumeInfo::labelOf(const std::string& root) {
    if (root.empty())
        return "ERROR";
    const CriticalErrorsFail quiet;
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(widen(root).c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0))
        return "ERROR";
    return narrow(name);
}

std::string Win32VolumeInfo::getDiscName() {
    return labelOf(windowsVolumeRoot(discRoot_));
}

} // namespace dv::win32
