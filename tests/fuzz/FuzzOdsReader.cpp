#include "FuzzFile.h"
#include "workbook/OdsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzReader(readOds, data, size, ".ods");
    return 0;
}
