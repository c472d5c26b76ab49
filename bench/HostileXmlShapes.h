#pragma once

// Documents just under the 1 MiB cap, each built to hit one costly path of
// an XML parser or of the pre-parse step before it: unterminated markup,
// many attributes, deep nesting, long names, many entities. Shared by the
// libxml2 and the MSXML benchmarks, so both read the same table.

#include "core/update/XmlDocument.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace dv::bench {

inline constexpr std::size_t kBudget = kMaxXmlDocumentBytes - 64;

// `unit` repeated after `head` while it fits, then `tail`.
inline std::string repeated(const std::string& head, const std::string& unit,
                            const std::string& tail = "") {
    std::string doc = head;
    while (doc.size() + unit.size() + tail.size() <= kBudget)
        doc += unit;
    return doc + tail;
}

inline std::string numbered(const std::string& head, const std::function<std::string(int)>& unit,
                            const std::string& tail) {
    std::string doc = head;
    for (int i = 0;; ++i) {
        const std::string next = unit(i);
        if (doc.size() + next.size() + tail.size() > kBudget)
            break;
        doc += next;
    }
    return doc + tail;
}

inline std::string levels(int count) {
    std::string open, close;
    for (int i = 0; i < count; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return open + close;
}

inline std::vector<std::pair<std::string, std::string>> hostileXmlShapes() {
    return {
        {"unterminated comments", repeated("", "<!--")},
        {"unterminated comments in an element", repeated("<d>", "<!--")},
        {"unterminated CDATA sections", repeated("<d>", "<![CDATA[")},
        {"unterminated processing instructions", repeated("<d>", "<?")},
        {"unterminated start tags", repeated("<d>", "<a ")},
        {"an unterminated attribute value", repeated("<d a='", "x")},
        {"closed comments", repeated("<d>", "<!---->", "</d>")},
        {"attributes on one element",
         numbered(
             "<d", [](int i) { return " a" + std::to_string(i) + "=''"; }, "/>")},
        {"bare attribute names", repeated("<d", " a")},
        {"namespaces on one element",
         numbered(
             "<d", [](int i) { return " xmlns:p" + std::to_string(i) + "='u'"; }, "/>")},
        {"64 attributes on every element", numbered(
                                               "<d>",
                                               [](int) {
                                                   std::string e = "<e";
                                                   for (int i = 0; i < 64; ++i)
                                                       e += " a" + std::to_string(i) + "=''";
                                                   return e + "/>";
                                               },
                                               "</d>")},
        {"deep nesting", repeated("", "<a>")},
        {"64 levels again and again", repeated("<d>", levels(63), "</d>")},
        {"a long element name", repeated("<", "n", "/>")},
        {"a long attribute name", repeated("<d ", "n", "=''/>")},
        {"a long end tag name", repeated("<d></", "n", ">")},
        {"character references", repeated("<d>", "&#229;", "</d>")},
        {"predefined entities", repeated("<d>", "&amp;&lt;&gt;", "</d>")},
        {"undeclared entities", repeated("<d>", "&e;", "</d>")},
        {"a long entity name", repeated("<d>&", "e", ";</d>")},
        {"empty elements", repeated("<d>", "<e/>", "</d>")},
        {"a long text", repeated("<d>", "x", "</d>")},
    };
}

// Times `parse` on every shape (best of three) and prints each and the worst.
inline void printHostileShapes(const char* parserName,
                               const std::function<std::string(const std::string&)>& parse) {
    using Clock = std::chrono::steady_clock;
    std::printf("%s, hostile shapes just under 1 MiB:\n", parserName);
    std::printf("%-40s %8s %9s  %s\n", "shape", "bytes", "ms", "outcome");
    double worst = 0;
    std::string worstShape;
    for (const auto& [shape, doc] : hostileXmlShapes()) {
        double best = 1e30;
        std::string outcome;
        for (int i = 0; i < 3; ++i) {
            const auto start = Clock::now();
            outcome = parse(doc);
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            best = ms < best ? ms : best;
        }
        if (outcome.size() > 70)
            outcome = outcome.substr(0, 67) + "...";
        std::printf("%-40s %8zu %9.1f  %s\n", shape.c_str(), doc.size(), best, outcome.c_str());
        if (best > worst) {
            worst = best;
            worstShape = shape;
        }
    }
    std::printf("worst case: %.1f ms (%s)\n\n", worst, worstShape.c_str());
}

} // namespace dv::bench
