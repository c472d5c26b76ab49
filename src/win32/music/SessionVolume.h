#pragma once

#include "core/music/MediaDevice.h"

#include <windows.h>

#include <audiopolicy.h>

namespace dv::win32 {

// The program's own output volume: the master volume of its audio session
// on the default output, the level the Windows volume mixer shows for the
// program. Since Vista that is what the wave-output volume of the wave
// mapper sets for a program; asking the session directly also reaches the
// sound of the MCI device, which plays in that same session, under Wine as
// well, where the wave-output volume only reaches a stream of its own.
// Without an output that reports a volume control it answers -1 and
// ignores changes.
class SessionVolume : public AudioVolume {
  public:
    SessionVolume();
    SessionVolume(const SessionVolume&) = delete;
    SessionVolume& operator=(const SessionVolume&) = delete;
    ~SessionVolume() override;

    int GetVolume() override;
    void SetVolume(int volume) override;

  private:
    ISimpleAudioVolume* session();

    bool comStarted_ = false;
    ISimpleAudioVolume* volume_ = nullptr;
};

} // namespace dv::win32
