// The table of hostile XML shapes (bench/HostileXmlShapes.h) through the
// MSXML adapter, as the Windows program reads an update document. Run it
// under Wine (bench/xml_parse_bench.sh) or on Windows:
//
//   msxml_parse_bench.exe

#include "HostileXmlShapes.h"
#include "win32/update/MsXmlParser.h"

#include <objbase.h>

int main() {
    // As the update's reading thread does.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    dv::bench::printHostileShapes("MSXML", [](const std::string& doc) {
        try {
            dv::win32::MsXmlParser().parse(doc);
            return std::string("accepted");
        } catch (const dv::XmlError& e) {
            return std::string("refused: ") + e.what();
        }
    });
    CoUninitialize();
    return 0;
}
