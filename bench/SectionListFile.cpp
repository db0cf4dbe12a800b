// Writes the section list of the section benchmarks to a file, for timing
// the whole program on it: `bench_section_list LIST.csv [SECTIONS]` (100,000
// sections unless told), the CSV in UTF-8 with semicolons and decimal commas.
#include "LargeWorkbooks.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Aufruf: bench_section_list LISTE.csv [TEILSTRECKEN]\n", stderr);
        return 2;
    }
    try {
        largeWorkbooks::writeSectionsCsv(QString::fromLocal8Bit(argv[1]), argc > 2 ? std::atoi(argv[2]) : 100000);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
