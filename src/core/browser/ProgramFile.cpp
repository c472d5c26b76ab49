#include "core/browser/ProgramFile.h"

namespace dv {

bool startsAsProgram(std::string_view firstBytes) {
    return firstBytes.starts_with("\x7F"
                                  "ELF") ||
           firstBytes.starts_with("#!");
}

} // namespace dv
