#include "FuzzFile.h"
#include "workbook/XlsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(readXls, data, size, ".xls");
    return 0;
}
