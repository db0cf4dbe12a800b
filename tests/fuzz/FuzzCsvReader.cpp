#include "FuzzFile.h"
#include "workbook/CsvReader.h"

namespace {

QString readCsvFile(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    readCsv(path, lastRow, handler);
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(readCsvFile, data, size, ".csv");
    return 0;
}
