#pragma once

#include <map>
#include <string>

namespace dv {

using Environment = std::map<std::string, std::string>;

// The start program of a mastered disc sets variables for the runtime it
// brings (media plugins, fonts) and lists their names in
// DATAVIND_RUNTIME_VARIABLES; a value the reader had set before is kept in
// DATAVIND_SAVED_<name>. Programs and documents the reader starts from the
// disc get the reader's own environment back: the listed variables as they
// were, and none of the bookkeeping.
Environment readerEnvironment(const Environment& current);

} // namespace dv
