#include "FuzzFile.h"
#include "workbook/XlsxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(readXlsx, data, size, ".xlsx");
    return 0;
}
