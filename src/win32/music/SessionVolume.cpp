#include "win32/music/SessionVolume.h"

#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>

namespace dv::win32 {

namespace {

// The wave mapper's own answer whether output volume can be set at all.
bool mapperHasVolume() {
    WAVEOUTCAPSW caps{};
    if (waveOutGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return false;
    return (caps.dwSupport & WAVECAPS_VOLUME) != 0;
}

template <typename T> void release(T*& object) {
    if (object)
        object->Release();
    object = nullptr;
}

} // namespace

SessionVolume::SessionVolume() {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started); // RPC_E_CHANGED_MODE: COM runs already, in another model
}

SessionVolume::~SessionVolume() {
    release(volume_);
    if (comStarted_)
        CoUninitialize();
}

ISimpleAudioVolume* SessionVolume::session() {
    if (volume_ || !mapperHasVolume())
        return volume_;
    IMMDeviceEnumerator* devices = nullptr;
    IMMDevice* output = nullptr;
    IAudioSessionManager* sessions = nullptr;
    if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                   __uuidof(IMMDeviceEnumerator),
                                   reinterpret_cast<void**>(&devices))) &&
        SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &output)) &&
        SUCCEEDED(output->Activate(__uuidof(IAudioSessionManager), CLSCTX_INPROC_SERVER, nullptr,
                                   reinterpret_cast<void**>(&sessions)))) {
        // The program's default session, where its streams play unless told
        // otherwise, this process's alone.
        if (FAILED(sessions->GetSimpleAudioVolume(nullptr, FALSE, &volume_)))
            volume_ = nullptr;
    }
    release(sessions);
    release(output);
    release(devices);
    return volume_;
}

int SessionVolume::GetVolume() {
    ISimpleAudioVolume* volume = session();
    float level = 0;
    if (!volume || FAILED(volume->GetMasterVolume(&level)))
        return -1;
    return static_cast<int>(std::lround(std::clamp(level, 0.0f, 1.0f) * 65535.0f));
}

void SessionVolume::SetVolume(int volume) {
    if (ISimpleAudioVolume* control = session())
        control->SetMasterVolume(static_cast<float>(std::clamp(volume, 0, 65535)) / 65535.0f,
                                 nullptr);
}

} // namespace dv::win32
