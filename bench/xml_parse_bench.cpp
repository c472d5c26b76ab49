// Parse and processing times of the largest update documents the parser
// accepts, each built to hit one costly path. The program parses and reads
// a document (readUpdatePlan) off its user-interface thread, which must take
// well under a second; carrying the plan out runs on that thread and must
// stay within a frame (16 ms), boxes aside (answered at once here).
//
//   build/release/bench/xml_parse_bench [ATTRIBUTES_ON_ONE_ELEMENT]
//
// First the table of hostile shapes (HostileXmlShapes.h) with the worst
// case, which bench/win32/msxml_parse_bench.exe prints for MSXML. The
// optional count (default 150000) builds the one-element document that used
// to take minutes; it is refused now, and its time is printed too.

#include "HostileXmlShapes.h"
#include "core/app/MessageBoxes.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "core/update/UpdateDocument.h"
#include "core/update/XmlPreparse.h"
#include "linux/LibXmlParser.h"

#include <libxml/parser.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kBudget = dv::kMaxXmlDocumentBytes - 64;

// Repeats `unit(i)` inside <dvcd>...</dvcd> while it fits under 1 MiB.
std::string filled(const std::function<std::string(int)>& unit, const std::string& open = "<dvcd>",
                   const std::string& close = "</dvcd>") {
    std::string doc = open;
    for (int i = 0;; ++i) {
        std::string next = unit(i);
        if (doc.size() + next.size() + close.size() > kBudget)
            break;
        doc += next;
    }
    return doc + close;
}

// A distinct short name for each number: a letter, then letters, digits,
// "-", "." and "_".
std::string name(int i) {
    static const std::string first = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static const std::string next = first + "0123456789-._";
    std::string s(1, first[static_cast<std::size_t>(i) % first.size()]);
    for (i /= static_cast<int>(first.size()); i > 0; i /= static_cast<int>(next.size()))
        s += next[static_cast<std::size_t>(i) % next.size()];
    return s;
}

std::string attributes(int count, const std::string& prefix) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += " " + prefix + name(i) + "=\"\"";
    return s;
}

struct Quiet : dv::MessageBoxes,
               dv::ProgramLauncher,
               dv::WaitingWindow,
               dv::ExtraInfoDialog,
               dv::StatusLine,
               dv::ApplicationEnd {
    dv::MessageAnswer show(const dv::MessageBoxRequest&) override { return dv::MessageAnswer::Ok; }
    std::optional<std::string> open(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void showWaiting() override {}
    void hideWaiting() override {}
    bool askToStart(const dv::TExtraInfo&) override { return false; }
    void showNotice(const dv::TExtraInfo&, const std::string&) override {}
    void setStatusText(const std::string& text) override { last = text; }
    void requestTermination() override {}
    std::string last;
};

double bestMs(const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        run();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    dv::bench::printHostileShapes("libxml2", [](const std::string& doc) {
        try {
            dv::LibXmlParser().parse(doc);
            return std::string("accepted");
        } catch (const dv::XmlError& e) {
            return std::string("refused: ") + e.what();
        }
    });
    const int oneElement = argc > 1 ? std::atoi(argv[1]) : 150000;
    const int limit = static_cast<int>(dv::XmlPreparse::kMaxAttributes);
    const std::vector<std::pair<std::string, std::string>> documents = {
        {std::to_string(oneElement) + " attributes on one element",
         "<dvcd" + attributes(oneElement, "") + "/>"},
        {"elements with " + std::to_string(limit) + " attributes each",
         filled([&](int) { return "<e" + attributes(limit, "") + "/>"; })},
        {"elements with " + std::to_string(limit) + " namespaces each",
         filled([&](int) { return "<e" + attributes(limit, "xmlns:") + "/>"; })},
        {"empty elements", filled([](int) { return std::string("<e/>"); })},
        {"62 levels, again and again", filled([](int) {
             std::string open, close;
             for (int i = 0; i < 62; ++i) {
                 open += "<a>";
                 close += "</a>";
             }
             return open + close;
         })},
        {"namespaces declared deep, looked up often", filled([&](int i) {
             if (i < 62)
                 return "<p" + name(i) + ":e xmlns:p" + name(i) + "=\"u\">";
             return std::string("<pa:e pa:a=\"\" pa:b=\"\"/>");
         })},
        {"character references in one text",
         filled([](int) { return std::string("&#229;"); }, "<dvcd><message><text>",
                "</text></message></dvcd>")},
        {"comments between texts", filled([](int) { return std::string("a<!---->"); },
                                          "<dvcd><message><text>", "</text></message></dvcd>")},
        {"quarantine entries",
         filled([](int i) { return "<quarantined>" + name(i) + "</quarantined>"; },
                "<dvcd><quarantine>", "</quarantine></dvcd>")},
        {"notes", filled([](int i) {
             return "<extrainfo><filename>" + name(i) + "</filename></extrainfo>";
         })},
        {"messages without severity", filled([](int) { return std::string("<message/>"); })},
    };
    std::printf("%-44s %8s %9s %15s %13s  %s\n", "document (just under 1 MiB)", "bytes", "parse ms",
                "parse+read ms", "carry out ms", "outcome");
    for (const auto& [what, doc] : documents) {
        dv::LibXmlParser parser;
        std::string outcome;
        const double parse = bestMs([&] {
            try {
                parser.parse(doc);
                outcome = "accepted";
            } catch (const dv::XmlError& e) {
                outcome = std::string("refused: ") + e.what();
            }
        });
        Quiet quiet;
        dv::QuarantineList quarantine;
        dv::TExtraInfoList notes;
        dv::FileLauncher launcher(quiet, quiet, quiet);
        dv::UpdateDocument processing(
            {parser, quarantine, notes, quiet, launcher, quiet, quiet, quiet});
        const double read = bestMs([&] { dv::readUpdatePlan(parser, doc); });
        const dv::UpdatePlan plan = dv::readUpdatePlan(parser, doc);
        const double process = bestMs([&] { processing.AutoUpdatePlanned(plan); });
        std::printf("%-44s %8zu %9.1f %15.1f %13.1f  %s\n", what.c_str(), doc.size(), parse, read,
                    process, outcome.c_str());
    }
    // Why the bound: libxml2 alone, on one element, time growing with the
    // square of the attributes.
    std::printf("\nlibxml2 without the scan, attributes on one element:\n");
    for (const int count : {5000, 10000, 20000}) {
        const std::string doc = "<dvcd" + attributes(count, "") + "/>";
        const double ms = bestMs([&] {
            xmlFreeDoc(xmlReadMemory(doc.data(), static_cast<int>(doc.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        });
        std::printf("%8d attributes %10.1f ms\n", count, ms);
    }
    return 0;
}
