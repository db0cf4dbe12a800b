// Every file is either read or refused with a RuntimeError: no crash, no hang, no leak.
#include "FuzzFile.h"
#include "base/RuntimeError.h"
#include "table/XlsxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const FirstWorksheet sheet = readXlsx(writeFuzzFile(data, size, ".xlsx"));
        for (int r = 1; r <= 26; ++r) {
            try {
                (void)sheet.cells.value(r, 1);
            } catch (const RuntimeError&) {
                // a formula saved without its result
            }
        }
    } catch (const RuntimeError&) {
    }
    return 0;
}
