#pragma once

// One table of update documents and what the program decides about each,
// run through every XmlParser of the program: the same document must give
// the same decisions on Linux (libxml2) and on Windows (MSXML).

#include "RecordingPorts.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/update/QuarantineList.h"
#include "core/update/UpdateDocument.h"
#include "core/update/XmlDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace dv::test {

// Every decision of one run, one line each, in the order they were taken;
// then the lists and the status line as the run left them.
class DecisionRecorder : public MessageBoxes,
                         public ProgramLauncher,
                         public WaitingWindow,
                         public ExtraInfoDialog,
                         public StatusLine,
                         public ApplicationEnd {
  public:
    std::string lines;
    std::string status;

    MessageAnswer show(const MessageBoxRequest& r) override {
        const char* icons[] = {"none", "information", "warning", "error"};
        lines += "box " + std::string(icons[static_cast<int>(r.icon)]) + " " + visible(r.caption) +
                 " | " + visible(r.text) + "\n";
        return MessageAnswer::Ok;
    }
    std::optional<std::string> open(const std::string& file,
                                    const std::string& parameters) override {
        lines += "open " + visible(file) + " | " + visible(parameters) + "\n";
        return std::nullopt;
    }
    void showWaiting() override {}
    void hideWaiting() override {}
    bool askToStart(const TExtraInfo&) override { return false; }
    void showNotice(const TExtraInfo& note, const std::string& caption) override {
        lines += "notice " + visible(caption) + " | " + visible(note.Information) + " | " +
                 visible(note.Url) + "\n";
    }
    void setStatusText(const std::string& text) override { status = text; }
    void requestTermination() override { lines += "end\n"; }

    // Control characters as \r, \n, \t or \xHH, so that a difference shows.
    static std::string visible(std::string_view text) {
        std::string out;
        for (const char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '\r')
                out += "\\r";
            else if (c == '\n')
                out += "\\n";
            else if (c == '\t')
                out += "\\t";
            else if (u < 0x20 || u == 0x7F) {
                const char hex[] = "0123456789ABCDEF";
                out += "\\x";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else
                out += c;
        }
        return out;
    }
};

// What the processing decides about a document, starting from lists that
// hold one entry each from an earlier document.
inline std::string decisionsFor(XmlParser& parser, std::string_view document) {
    DecisionRecorder recorder;
    QuarantineList quarantine;
    quarantine.append("earlier.exe");
    TExtraInfoList notes;
    notes.Add({"earlier.exe", "earlier note", "", true});
    FileLauncher launcher(recorder, recorder, recorder);
    UpdateDocument processor(
        {parser, quarantine, notes, recorder, launcher, recorder, recorder, recorder});
    processor.AutoUpdateComplete(document);

    std::string out = recorder.lines;
    for (std::size_t i = 0; i < quarantine.count(); ++i)
        out += "quarantined " + DecisionRecorder::visible(quarantine.entry(i)) + "\n";
    for (std::size_t i = 0; i < notes.Count(); ++i) {
        const TExtraInfo& n = notes.at(i);
        out += "note " + DecisionRecorder::visible(n.FileName) + " | " +
               DecisionRecorder::visible(n.Information) + " | " + DecisionRecorder::visible(n.Url) +
               (n.CanRun ? " | may run" : " | may not run") + "\n";
    }
    out += "status " + recorder.status + "\n";
    return out;
}

struct UpdateDocumentCase {
    const char* name;
    std::string document;
    std::string decisions;
    // MSXML refuses the document, as libxml2 does here; Wine's imitation of
    // MSXML takes it, so under Wine the case cannot be checked.
    bool wineTakesIt = false;
};

namespace table {

inline const std::string kFailed = "quarantined earlier.exe\nnote earlier.exe | earlier note |  | "
                                   "may run\nstatus Automatisk uppdatering misslyckades!\n";
inline const std::string kDone = "status Automatisk uppdatering klar...\n";

// The worked example of the update document: every group once, in order.
inline constexpr const char* kWorkedExample = R"(<?xml version="1.0" encoding="UTF-8"?>
<dvcd>
  <quarantine>
    <quarantined>prog\virus.exe</quarantined>
    <quarantined>badlink.htm</quarantined>
  </quarantine>
  <popup><url>http://www.datavind.example/viktigt.htm</url></popup>
  <extrainfo>
    <filename>spel\setup.exe</filename>
    <information>Spelet kräver ett 3D-kort.</information>
    <url>http://www.datavind.example/spel.htm</url>
    <canrun>1</canrun>
  </extrainfo>
  <message>
    <caption>Viktigt</caption>
    <text>En rad#13en andra rad</text>
    <severity>warning</severity>
    <cancontinue>1</cancontinue>
  </message>
</dvcd>)";

inline std::string quarantineBox() {
    return "box information Datavinds cd - Karantän | Denna skiva innehåller en eller flera filer "
           "eller länkar som "
           "satts i karantän efter att skivan trycktes!\\r\\rAnledningen till karantänen är att "
           "problem upptäckts "
           "när skivan redan distribuerats. Du kan utan problem\\rfortsätta använda skivan, "
           "eftersom de filer som "
           "är satta i karantän inte kommer att kunna startas.\n";
}

// A document that quarantines exactly the given entry.
inline std::string quarantining(const std::string& entry) {
    return quarantineBox() + "quarantined " + entry + "\n" + kDone;
}

// The text as UTF-16 with its byte-order mark; the text is ASCII except for
// the Swedish letters, given as UTF-8.
inline std::string utf16(std::string_view utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned code = static_cast<unsigned char>(utf8[i]);
        if (code == 0xC3 && i + 1 < utf8.size())
            code = 0xC0 | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        const char high = static_cast<char>(code >> 8);
        const char low = static_cast<char>(code & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

// An element with that many attributes, each declaring a namespace when
// the name starts with xmlns.
inline std::string attributes(int count, const std::string& name = "a") {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += " " + name + std::to_string(i) + "='" + std::to_string(i) + "'";
    return out;
}

inline std::string nested(int levels) {
    std::string open;
    std::string close;
    for (int i = 1; i < levels; ++i) {
        open += "<n>";
        close = "</n>" + close;
    }
    return "<d><quarantine><quarantined>deep.exe</quarantined></quarantine>" + open + close +
           "</d>";
}

// A document of exactly `size` bytes, padded with a comment.
inline std::string ofSize(std::size_t size) {
    const std::string head = "<d><quarantine><quarantined>big.exe</quarantined></quarantine><!--";
    const std::string tail = "--></d>";
    return head + std::string(size - head.size() - tail.size(), 'x') + tail;
}

} // namespace table

inline std::vector<UpdateDocumentCase> updateDocumentCases() {
    using namespace table;
    const std::string q = "<d><quarantine><quarantined>";
    const std::string qEnd = "</quarantined></quarantine></d>";
    return {
        {"worked example", kWorkedExample,
         quarantineBox() +
             "box information Datavinds cd | Den automatiska uppdateringen kommer nu att starta "
             "ett "
             "webbläsarfönster,\\reftersom Datavinds redaktion har något viktigt att berätta om "
             "denna skiva.\n"
             "open http://www.datavind.example/viktigt.htm | \n"
             "box warning Datavinds cd - Viktigt | En rad\\ren andra rad\n"
             "quarantined prog\\virus.exe\nquarantined badlink.htm\n"
             "note spel\\setup.exe | Spelet kräver ett 3D-kort. | "
             "http://www.datavind.example/spel.htm | may run\n"
             "note  |  |  | may not run\n" +
             kDone},
        {"messages of every kind",
         "<d><message><caption>A</caption><text>a#13#13b</text><severity>Information</severity></"
         "message>"
         "<message><caption>B</caption><text>b</text><severity>EXTRAINFO</severity><url>http://"
         "x.example/</url>"
         "</message><message><severity> ERROR</severity><text>inget</text></message>"
         "<message><caption>C</caption><text>c</text><severity>error</severity></message></d>",
         "box information Datavinds cd - A | a\\r\\rb\nnotice Datavinds cd - B | b | "
         "http://x.example/\n"
         "box error Datavinds cd - C | c\n" +
             kDone},
        {"no declaration: UTF-8", q + "snöboll.exe" + qEnd, quarantining("snöboll.exe")},
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>" + q + "snöboll.exe" + qEnd,
         quarantining("snöboll.exe")},
        {"ISO-8859-1 declared",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + q +
             "sn\xF6"
             "boll.exe" +
             qEnd,
         quarantining("snöboll.exe")},
        {"windows-1252 declared",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + q +
             "\x80 sn\xF6"
             "boll \x9A.exe" +
             qEnd,
         quarantining("€ snöboll š.exe")},
        {"UTF-16 little-endian",
         utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + q + "snöboll.exe" + qEnd, false),
         quarantining("snöboll.exe")},
        {"UTF-16 big-endian without declaration", utf16(q + "snöboll.exe" + qEnd, true),
         quarantining("snöboll.exe")},
        {"CDATA value", q + "<![CDATA[a<b>&c]]>" + qEnd, quarantining("a<b>&c")},
        {"references", q + "R&amp;D &#229;&#xE4; &lt;&gt;&quot;&apos; &#x1F3B5;" + qEnd,
         quarantining("R&D åä <>\"' \xF0\x9F\x8E\xB5")},
        {"blanks kept inside values, dropped between elements",
         "<d>\n <quarantine>\n  <quarantined>  a b  </quarantined>\n\t<quarantined> "
         "</quarantined>\n </quarantine>\n</d>",
         quarantineBox() + "quarantined   a b  \nquarantined  \n" + kDone},
        {"line ends inside values", q + "a\r\nb\rc&#13;d" + qEnd, quarantining("a\\nb\\nc\\rd")},
        {"comments, instructions and text in a group are read as entries",
         "<d><quarantine><!--before--><quarantined>a</quarantined><!--b--><?pi "
         "c?>tail<x>e</x></quarantine></d>",
         quarantineBox() +
             "quarantined a\nquarantined b\nquarantined c\nquarantined tail\nquarantined e\n" +
             kDone},
        {"a comment inside a value stops the processing there",
         "<d><quarantine><quarantined>a</quarantined><quarantined>b<!--x-->c</quarantined></"
         "quarantine></d>",
         "quarantined a\nnote earlier.exe | earlier note |  | may run\nstatus Automatisk "
         "uppdatering misslyckades!\n"},
        {"an element inside a value stops the processing there", q + "<b>x</b>" + qEnd,
         "note earlier.exe | earlier note |  | may run\nstatus Automatisk uppdatering "
         "misslyckades!\n"},
        {"attributes are not read",
         "<d a='1'><quarantine b=\"2\"><quarantined c='3'>a.exe</quarantined></quarantine></d>",
         quarantining("a.exe")},
        {"names match by their local name",
         "<u:d "
         "xmlns:u='urn:x'><u:quarantine><u:quarantined>a.exe</u:quarantined></u:quarantine></u:d>",
         quarantining("a.exe")},
        {"a default namespace changes nothing",
         "<d xmlns='urn:x'><quarantine><quarantined>a.exe</quarantined></quarantine></d>",
         quarantining("a.exe")},
        {"names are matched with case",
         "<d><Quarantine><quarantined>a.exe</quarantined></Quarantine></d>", kDone},
        {"an undeclared prefix",
         "<d><u:quarantine><quarantined>a.exe</quarantined></u:quarantine></d>", kFailed, true},
        {"an undeclared prefix of an attribute",
         "<d u:a='1'><quarantine><quarantined>a.exe</quarantined></quarantine></d>", kFailed, true},
        {"a document type",
         "<!DOCTYPE d><d><quarantine><quarantined>a.exe</quarantined></quarantine></d>", kFailed},
        {"an internal entity", "<!DOCTYPE d [<!ENTITY e \"virus.exe\">]>" + q + "&e;" + qEnd,
         kFailed},
        {"an external document type",
         "<!DOCTYPE d SYSTEM \"http://127.0.0.1:9/dtd\">" + q + "a.exe" + qEnd, kFailed},
        {"an undefined entity", q + "&e;" + qEnd, kFailed},
        {"an HTML error page",
         "<html><body><h1>404 Not Found</h1><p>Sidan finns inte<br></p></body></html>", kFailed},
        {"an empty answer", "", kFailed},
        {"plain text", "Service Unavailable", kFailed},
        {"two root elements", "<d/><d/>", kFailed},
        {"text after the root", "<d/>x", kFailed},
        {"a NUL byte", std::string("<d>a\0b</d>", 10), kFailed},
        {"an invalid character reference", q + "&#0;" + qEnd, kFailed},
        {"a surrogate character reference", q + "&#xD800;" + qEnd, kFailed},
        {"an encoding not taken", "<?xml version=\"1.0\" encoding=\"KOI8-R\"?>" + q + "a" + qEnd,
         kFailed},
        {"Latin-1 bytes without a declaration",
         q +
             "sn\xF6"
             "boll.exe" +
             qEnd,
         kFailed},
        {"bytes that are not the declared UTF-8",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + q + "\xF6" + qEnd, kFailed},
        {"a mark and a declaration that disagree",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + q +
             "sn\xC3\xB6"
             "boll.exe" +
             qEnd,
         kFailed},
        {"8-bit text declared as UTF-16",
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + q + "a" + qEnd, kFailed},
        {"high bytes declared as US-ASCII",
         "<?xml version=\"1.0\" encoding=\"US-ASCII\"?>" + q + "\xF6" + qEnd, kFailed},
        {"a byte Windows-1252 leaves undefined",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + q + "\x81" + qEnd, kFailed},
        {"64 attributes on an element",
         "<d" + attributes(64) +
             "><quarantine><quarantined>a.exe</quarantined>"
             "</quarantine></d>",
         quarantining("a.exe")},
        {"65 attributes on an element",
         "<d><quarantine><quarantined" + attributes(65) +
             ">a.exe</quarantined>"
             "</quarantine></d>",
         kFailed},
        {"65 namespace declarations",
         "<d" + attributes(40, "xmlns:p") + "><quarantine" + attributes(25, "xmlns:q") +
             "><quarantined>a.exe</quarantined></quarantine></d>",
         kFailed},
        {"64 levels", nested(64), quarantining("deep.exe")},
        {"65 levels", nested(65), kFailed},
        {"exactly 1 MiB", ofSize(1024 * 1024), quarantining("big.exe")},
        {"one byte more than 1 MiB", ofSize(1024 * 1024 + 1), kFailed},
    };
}

} // namespace dv::test
