#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <optional>
#include <string>

namespace dv::win32 {

// One device of the multimedia control interface (MCI) with one file, as a
// thin class over mciSendCommand. Every failure throws std::runtime_error
// with the device's own text (mciGetErrorString). A command sent while no
// file is open goes to the device anyway, so that the reader gets the
// system's own explanation. Closes its file when destroyed.
class MciDevice {
  public:
    // The DirectShow device. The file's extension would pick the device
    // otherwise: MP3 goes there on every Windows since XP, but AVI would go
    // to the Video for Windows device, which has no Motion-JPEG decoder.
    static constexpr const wchar_t* kDirectShow = L"MPEGVideo";

    MciDevice() = default;
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;
    ~MciDevice();

    // Opens the file, shareable, waiting until it is open. With a callback
    // window, that window is told (MM_MCINOTIFY) once the open is complete.
    void open(const std::wstring& path, HWND callback = nullptr);
    void close();
    bool isOpen() const { return id_ != 0; }

    void setTimeFormatMilliseconds();
    // Plays from the current place, or from a given one; with a callback
    // window it is told when playing ends, is stopped or is superseded.
    void play(HWND callback, std::optional<DWORD> from = std::nullopt);
    void stop(HWND callback);
    void seek(DWORD to, HWND callback);
    DWORD_PTR status(DWORD item) const;

    // Shows the film inside a window of ours, filling its client area.
    void showIn(HWND window);

    // The code of the last refused command; 0 after a success.
    MCIERROR lastError() const { return lastError_; }

  private:
    void send(UINT command, DWORD_PTR flags, void* parameters);

    MCIDEVICEID id_ = 0;
    MCIERROR lastError_ = 0;
};

// The device's own explanation of an MCI error code.
std::string mciErrorText(MCIERROR error);

} // namespace dv::win32
