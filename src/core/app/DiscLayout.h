#pragma once

#include <string_view>

namespace dv::disc {

// Where the program finds its files, relative to the disc root, written the
// disc's way (backslashes; names are matched without regard to case).
inline constexpr std::string_view kMusicFolder = "musik";
inline constexpr std::string_view kProgramList = "filsok\\proglist.txt";
inline constexpr std::string_view kCurrentDiscFile = "filsok\\aktuellt.txt";
// The film of the hidden screen; the media framework recognises its format
// by its content, whatever the name says.
inline constexpr std::string_view kHiddenScreenFilm = "Webblasare\\ie6sv\\ROMCONF.CAB";

} // namespace dv::disc
