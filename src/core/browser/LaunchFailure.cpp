#include "core/browser/LaunchFailure.h"

namespace dv {

std::string launchFailureText(LaunchFailure failure) {
    switch (failure) {
    case LaunchFailure::FileNotFound:
        return "Det går inte att hitta filen.";
    case LaunchFailure::AccessDenied:
        return "Åtkomst nekad.";
    case LaunchFailure::NotAFile:
        return "Det här är varken ett program, ett dokument eller en mapp.";
    case LaunchFailure::ProgramNotStarted:
        return "Det gick inte att starta programmet.";
    case LaunchFailure::NoApplication:
        return "Det finns inget program som kan öppna filen eller adressen.";
    case LaunchFailure::NotOpened:
        return "Det gick inte att öppna filen eller adressen.";
    }
    return "Det gick inte att starta programmet.";
}

} // namespace dv
