#include "win32/music/MciDevice.h"

#include "win32/support/Utf16.h"

#include <digitalv.h>

#include <array>
#include <stdexcept>

namespace dv::win32 {

namespace {

DWORD_PTR notifyFlag(HWND callback) {
    return callback ? MCI_NOTIFY : 0;
}

DWORD_PTR callbackOf(HWND window) {
    return reinterpret_cast<DWORD_PTR>(window);
}

// Errors with which a device says it does not do a thing at all, rather
// than that it failed at it.
bool unsupported(MCIERROR error) {
    return error == MCIERR_UNSUPPORTED_FUNCTION || error == MCIERR_UNRECOGNIZED_KEYWORD ||
           error == MCIERR_FLAGS_NOT_COMPATIBLE;
}

} // namespace

std::string mciErrorText(MCIERROR error) {
    std::array<wchar_t, 256> text{};
    if (!mciGetErrorStringW(error, text.data(), static_cast<UINT>(text.size())) || text[0] == L'\0')
        return "MCI-fel " + std::to_string(error);
    return narrow(text.data());
}

MciDevice::~MciDevice() {
    if (id_ != 0)
        mciSendCommandW(id_, MCI_CLOSE, MCI_WAIT, 0);
}

void MciDevice::send(UINT command, DWORD_PTR flags, void* parameters) {
    lastError_ = mciSendCommandW(id_, command, flags, reinterpret_cast<DWORD_PTR>(parameters));
    if (lastError_ != 0)
        throw std::runtime_error(mciErrorText(lastError_));
}

void MciDevice::open(const std::wstring& path, HWND callback) {
    close();
    // Without a file some devices open bare; there is nothing to play then.
    if (path.empty()) {
        lastError_ = MCIERR_FILENAME_REQUIRED;
        throw std::runtime_error(mciErrorText(lastError_));
    }
    MCI_OPEN_PARMSW parameters{};
    parameters.dwCallback = callbackOf(callback);
    parameters.lpstrDeviceType = kDirectShow;
    parameters.lpstrElementName = path.c_str();
    const DWORD_PTR flags = MCI_OPEN_ELEMENT | MCI_OPEN_TYPE | MCI_WAIT | notifyFlag(callback);
    // Shareable, so that another program may play the same file; a device
    // that cannot share is opened for us alone rather than not at all.
    lastError_ = mciSendCommandW(0, MCI_OPEN, flags | MCI_OPEN_SHAREABLE,
                                 reinterpret_cast<DWORD_PTR>(&parameters));
    if (unsupported(lastError_))
        lastError_ = mciSendCommandW(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&parameters));
    if (lastError_ != 0)
        throw std::runtime_error(mciErrorText(lastError_));
    id_ = parameters.wDeviceID;
}

void MciDevice::close() {
    if (id_ == 0)
        return;
    const MCIDEVICEID id = id_;
    id_ = 0;
    lastError_ = mciSendCommandW(id, MCI_CLOSE, MCI_WAIT, 0);
}

void MciDevice::setTimeFormatMilliseconds() {
    MCI_SET_PARMS parameters{};
    parameters.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &parameters);
}

void MciDevice::play(HWND callback, std::optional<DWORD> from) {
    MCI_PLAY_PARMS parameters{};
    parameters.dwCallback = callbackOf(callback);
    DWORD_PTR flags = notifyFlag(callback);
    if (from) {
        parameters.dwFrom = *from;
        flags |= MCI_FROM;
    }
    send(MCI_PLAY, flags, &parameters);
}

void MciDevice::stop(HWND callback) {
    MCI_GENERIC_PARMS parameters{};
    parameters.dwCallback = callbackOf(callback);
    send(MCI_STOP, notifyFlag(callback) | (callback ? 0 : MCI_WAIT), &parameters);
}

void MciDevice::seek(DWORD to, HWND callback) {
    MCI_SEEK_PARMS parameters{};
    parameters.dwCallback = callbackOf(callback);
    parameters.dwTo = to;
    send(MCI_SEEK, MCI_TO | notifyFlag(callback) | (callback ? 0 : MCI_WAIT), &parameters);
}

DWORD_PTR MciDevice::status(DWORD item) const {
    MCI_STATUS_PARMS parameters{};
    parameters.dwItem = item;
    const MCIERROR error = mciSendCommandW(id_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                           reinterpret_cast<DWORD_PTR>(&parameters));
    if (error != 0)
        throw std::runtime_error(mciErrorText(error));
    return parameters.dwReturn;
}

void MciDevice::showIn(HWND window) {
    MCI_DGV_WINDOW_PARMSW where{};
    where.hWnd = window;
    send(MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &where);
    MCI_DGV_PUT_PARMS place{};
    GetClientRect(window, &place.rc);
    send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &place);
}

} // namespace dv::win32
