#pragma once

// The XmlParser the program uses on this platform, for the tests that run
// on both: MSXML on Windows, libxml2 elsewhere.

#ifdef _WIN32
#include "update/MsXmlParser.h"
namespace dv::test {
using PlatformXmlParser = win32::MsXmlParser;
}
#else
#include "LibXmlParser.h"
namespace dv::test {
using PlatformXmlParser = LibXmlParser;
}
#endif
