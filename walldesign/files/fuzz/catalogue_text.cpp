// Reads a catalogue file from arbitrary bytes and cuts its text into rows.
#include "platform/error.h"
#include "walldesign/files/catalogue.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    std::string text;
    try {
        text = wd::ReadCatalogueBytes(bytes, "fuzz.dat");
    } catch (const sps::Exception&) {
        return 0;
    }
    for (int numbers : {wd::kSheetPileNumbers, wd::kSteelGradeNumbers}) {
        try {
            (void)wd::ReadCatalogueRows(text, numbers, "fuzz.dat");
        } catch (const sps::Exception&) {
        }
    }
    return 0;
}
