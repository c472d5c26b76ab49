#pragma once

#include <string>
#include <vector>

namespace dv {

// What a disc check can find. Each kind has one text in each language
// (CheckMessages); the arguments fill its blanks in order.
enum class FindingKind {
    SectionPageMissing,            // hot-spot label, page
    PageUnreadable,                // reason
    PageTooLarge,                  // size, bound
    PageLinkMissing,               // link
    PageLinkWrongCase,             // link, name on the disc
    PageLinkOutsideDisc,           // link
    PageWebFrame,                  // the frame's address
    CommandUnknownVerb,            // command text
    CommandWithoutTarget,          // command text
    CommandTargetMissing,          // target
    CommandTargetCutAtBlank,       // target, the file it is cut to
    CommandTargetOffDisc,          // target
    CommandTargetRelative,         // target
    CommandWindowsProgram,         // file
    CommandNotAProgram,            // file
    CommandDocumentWithParameters, // file, parameters
    ProgramListUnreadable,         //
    ProgramListEmpty,              //
    ProgramListLineWithoutColumns, //
    CurrentDiscUnknown,            //
    CurrentDiscNotListed,          // disc name
    NoTrack,                       // folder
    TrackUnreadable,               // reason
    TrackWithoutTag,               //
    SeveralTracks,                 // count, the one played
    HiddenScreenFilmMissing,       //
    DiscLink,                      // where it leads
    FolderUnreadable,              // reason
    FileUnreadable,                // reason
    PageElementCrowded,            // bound of attributes
    FindingsLeftOut,               // count, line of the last one shown
};

enum class Severity { Error, Warning };

// One finding: where (a path relative to the disc root, and a line, 0 when
// the finding is about the whole file) and what.
struct CheckFinding {
    Severity severity = Severity::Error;
    FindingKind kind = FindingKind::PageUnreadable;
    std::string file;
    int line = 0;
    std::vector<std::string> arguments;
};

} // namespace dv
