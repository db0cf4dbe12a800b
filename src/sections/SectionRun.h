#pragma once

#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "sections/SectionList.h"

#include <QString>
#include <QStringList>

class QIODevice;
class WorkbookFiles;
struct SectionResult;

// Calculating a whole section list from a workbook or CSV file into a
// result: the menu command "Teilstrecken berechnen…" and the command line's
// --teilstrecken share it. Rows go from the reader through the calculation to
// the result one at a time; no list is held in memory, but for a network,
// whose rows are kept until the last one is read.

struct SectionCount {
    int calculated = 0;
    int refused = 0;     // or with a value that cannot be computed
    NetworkSummary network;  // of a network
};

// The list itself cannot be read as a section list (as against the result
// that cannot be written).
class ListError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Where the results go, heading row first, then every section in order.
class SectionSink {
public:
    virtual ~SectionSink() = default;
    virtual void headings(const QStringList& headings) = 0;
    virtual void section(const SectionList& list, const SectionResult& result) = 0;
};

// Reads the list at listPath through the workbook files and hands every
// section to sink. Throws ListError with the German reason when the list
// cannot be read as a section list.
// `sizing`: the pipe series and defaults of sections that are sized.
SectionCount calculateSections(const WorkbookFiles& files, const QString& listPath, const NumberText& numbers,
                               SectionSink& sink, const SizingOptions& sizing = SectionList::noSizing());

// The result as a file: an .xlsx workbook, or text by the suffix (.csv with
// the locale's list separator, .tsv with tabs). Written through a temporary
// file, so that nothing is written when the list cannot be read and an
// existing file stays as it was. A result path that names the list itself is
// refused. Throws RuntimeError with the German reason.
SectionCount writeSectionResults(const WorkbookFiles& files, const QString& listPath, const QString& resultPath,
                                 const NumberText& numbers, const SizingOptions& sizing = SectionList::noSizing());

// The result as tab-separated lines with the heading line, into `out`.
SectionCount printSectionResults(const WorkbookFiles& files, const QString& listPath, const NumberText& numbers,
                                 QIODevice& out, const SizingOptions& sizing = SectionList::noSizing());

// The suffixes a result file may have, the first the workbook's.
inline const QStringList resultSuffixes = {QStringLiteral("xlsx"), QStringLiteral("csv"), QStringLiteral("tsv")};
