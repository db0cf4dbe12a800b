// Writes the section list of the section benchmarks to a file, for timing
// the whole program on it: `bench_section_list LIST.csv [SECTIONS [KIND]]`
// (100,000 sections unless told), the CSV in UTF-8 with semicolons and decimal
// commas. KIND "bemessen" adds pipe sizing's columns, "gezaehlt" counts draw-off
// points instead of stating the units; "kette" and "straenge" write a sized
// network (a chain, 100 risers), "kette-ohne" and "straenge-ohne" the same
// rows without the column "Zuleitung".
#include "LargeWorkbooks.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Aufruf: bench_section_list LISTE.csv [TEILSTRECKEN [bemessen|gezaehlt|kette|straenge|kette-ohne|straenge-ohne]]\n",
                   stderr);
        return 2;
    }
    try {
        const QByteArray kind = argc > 3 ? argv[3] : "";
        const QString path = QString::fromLocal8Bit(argv[1]);
        const int rows = argc > 2 ? std::atoi(argv[2]) : 100000;
        if (kind.startsWith("kette") || kind.startsWith("straenge")) {
            largeWorkbooks::writeNetworkCsv(path, rows,
                                            kind.startsWith("kette") ? largeWorkbooks::Network::Chain : largeWorkbooks::Network::Risers,
                                            !kind.endsWith("-ohne"));
            return 0;
        }
        auto* write = kind == "bemessen"   ? largeWorkbooks::writeSizedSectionsCsv
                      : kind == "gezaehlt" ? largeWorkbooks::writeCountedSectionsCsv
                                                           : largeWorkbooks::writeSectionsCsv;
        write(path, rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
