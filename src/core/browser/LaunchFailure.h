#pragma once

#include <string>

namespace dv {

// Why the desktop did not start or open a target, as a launcher on Linux
// can tell it. Windows says its own reason, in the reader's language.
enum class LaunchFailure {
    FileNotFound, // nothing at the path
    AccessDenied, // there, but the reader may not read or run it
    NotAFile,     // a device, pipe or socket
    ProgramNotStarted,
    NoApplication, // no program on the desktop opens it
    NotOpened,     // the desktop's opener tried and failed
};

// The reason in the box that reports a refused launch, in Swedish like
// every other text of the program.
std::string launchFailureText(LaunchFailure failure);

} // namespace dv
