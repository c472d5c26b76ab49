// filesearch_bench generate FILE     writes a program list of 1,000,000 lines
// filesearch_bench run ROOT TEXT...  loads ROOT/filsok/proglist.txt and searches
//                                    each text in all discs, tree included
//
// Prints the load time, each search's time and hit count, and the peak
// resident memory, for bench/filesearch_bench.sh to set beside grep.

#include "core/app/Hourglass.h"
#include "core/app/MessageBoxes.h"
#include "core/filesearch/FileSearch.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Realistic names: Swedish words, folders and file names, written in Windows-1252.
int generate(const char* path) {
    const char* words[] = {"Sn\xf6"
                           "boll",
                           "Tomte",
                           "Schack",
                           "Rymd",
                           "Kassa",
                           "Lapp",
                           "Foto",
                           "Webb",
                           "Brev",
                           "Diskrens",
                           "Backup",
                           "Virus",
                           "Skriv",
                           "Pixel",
                           "\xc4"
                           "lgjakt",
                           "Ordfrossa",
                           "Ljud",
                           "Kalender",
                           "Adress",
                           "Golf",
                           "Manager",
                           "Skola",
                           "R\xe4"
                           "kna",
                           "Sl\xe4"
                           "kt",
                           "Recept",
                           "Radio",
                           "Chatt",
                           "Brandv\xe4"
                           "gg",
                           "Typsnitt",
                           "Ikon",
                           "Karta",
                           "V\xe4"
                           "der"};
    const char* sections[] = {"NOJE", "NYTTA", "INTERNET", "VERKTYG", "SKARPA", "TILLAGG"};
    const char* files[] = {"SETUP.EXE",
                           "L\xc4"
                           "SMIG.TXT",
                           "HJ\xc4"
                           "LP.HLP",
                           "DATA.CAB",
                           "MANUAL.PDF",
                           "EXEMPEL.ZIP",
                           "UPPDATERING.EXE",
                           "IKONER.DLL"};
    std::mt19937 random(2004);
    auto pick = [&](auto& array) { return array[random() % std::size(array)]; };
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    for (int disc = 1; disc <= 200 && written < 1000000; ++disc) {
        const std::string discName =
            "Datavind " + std::to_string(disc % 12 + 1) + "/" + std::to_string(1990 + disc / 12);
        for (int program = 0; program < 500 && written < 1000000; ++program) {
            const std::string name =
                std::string(pick(words)) + " " + std::to_string(program % 9 + 1);
            const std::string folder = std::string(pick(sections)) + "\\" + pick(words);
            for (int file = 0; file < 10 && written < 1000000; ++file, ++written)
                out << discName << '\t' << name << '\t' << folder << "\\" << file << "_"
                    << pick(files) << "\r\n";
        }
    }
    // A rare entry, so that a rare search finds something.
    out << "Datavind 12/2004\tKalkylen\tNYTTA\\KALKYLEN\\KALKYL.EXE\r\n";
    return out ? 0 : 1;
}

// Failures go to standard error; a benchmark has nobody to answer boxes.
class StderrBoxes : public dv::MessageBoxes {
  public:
    dv::MessageAnswer show(const dv::MessageBoxRequest& request) override {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return dv::MessageAnswer::Ok;
    }
};

std::size_t entriesOf(const dv::SearchTree& tree) {
    std::size_t n = 0;
    for (const auto& disc : tree.discs)
        for (const auto& program : disc.programs)
            n += program.entries.size();
    return n;
}

int run(int argc, char** argv) {
    StderrBoxes boxes;
    dv::NoHourglass hourglass;
    dv::FileSearch search(std::string(argv[2]) + "/", boxes, hourglass);
    // The first search loads the list: time it with an empty result.
    const auto start = Clock::now();
    if (search.DoSearch("\x01", true) != dv::FileSearch::Outcome::Searched)
        return 1;
    std::printf("load %.1f ms, %zu lines\n", msSince(start), search.programList().size());
    for (int i = 3; i < argc; ++i) {
        // The best of five, as the script does for grep.
        double best = 1e9;
        for (int round = 0; round < 5; ++round) {
            const auto t = Clock::now();
            search.DoSearch(argv[i], true);
            best = std::min(best, msSince(t));
        }
        std::printf("search %s %.1f ms, %zu hits\n", argv[i], best, entriesOf(search.tree()));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak %ld KiB\n", usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "generate")
        return generate(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "run")
        return run(argc, argv);
    std::fprintf(stderr, "usage: filesearch_bench generate FILE | run FILE TEXT...\n");
    return 2;
}
