#pragma once

#include "core/browser/TExtraInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace dv {

class XmlParser;
enum class MessageIcon;

// What an update document asks for, read from its text with no side effect,
// so that it can be read away from the user-interface thread: parsing and
// reading a large document takes longer than a frame, carrying the plan out
// (UpdateDocument) does not.
struct UpdatePlan {
    // The part in which reading failed; what it holds is what came before.
    enum class Part { None, Parse, Quarantine, Popups, Notes, Messages };

    struct Message {
        enum class Shows { Box, Notice, Nothing } shows = Shows::Nothing; // Notice: EXTRAINFO
        MessageIcon icon{};                                               // of a box
        std::string caption; // the whole caption, title included
        std::string text;    // "#13" already a carriage return
        std::string url;     // EXTRAINFO only
        bool stop = false;   // cancontinue "0"
    };

    std::vector<std::string> quarantine;
    std::vector<std::string> popups; // web pages only, each after its notice
    std::vector<TExtraInfo> notes;
    std::vector<Message> messages; // those that show something or stop
    Part failedIn = Part::None;
    std::string failure; // why, as the parser or the reading said it, for the editors' tools
};

// Parses and reads a document. Safe on any thread, with a parser of its own.
UpdatePlan readUpdatePlan(XmlParser& parser, std::string_view text);

} // namespace dv
