// Writes the section list of the section benchmarks to a file, for timing
// the whole program on it: `bench_section_list LIST.csv [SECTIONS [KIND]]`
// (100,000 sections unless told), the CSV in UTF-8 with semicolons and decimal
// commas. KIND "bemessen" adds pipe sizing's columns, "gezaehlt" counts draw-off
// points instead of stating the units.
#include "LargeWorkbooks.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Aufruf: bench_section_list LISTE.csv [TEILSTRECKEN [bemessen|gezaehlt]]\n", stderr);
        return 2;
    }
    try {
        const char* kind = argc > 3 ? argv[3] : "";
        auto* write = std::strcmp(kind, "bemessen") == 0   ? largeWorkbooks::writeSizedSectionsCsv
                      : std::strcmp(kind, "gezaehlt") == 0 ? largeWorkbooks::writeCountedSectionsCsv
                                                           : largeWorkbooks::writeSectionsCsv;
        write(QString::fromLocal8Bit(argv[1]), argc > 2 ? std::atoi(argv[2]) : 100000);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
