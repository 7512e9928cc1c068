// Writes "SSP Rovandel.daa" from the readable sources.
// Usage: make_rovandel_data <source folder> <output file>
#include "corrosion/catalogue.h"
#include "data/rovandel/sources.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source folder> <output file>\n", argv[0]);
        return 2;
    }
    try {
        const cr::Catalogue cat = rovdata::BuildCatalogue(argv[1]);
        const std::vector<uint8_t> bytes = cr::WriteCatalogue(cat);
        // The file must read back to what was written.
        const cr::Catalogue back = cr::LoadCatalogue(bytes);
        if (cr::WriteCatalogue(back) != bytes)
            sps::Raise("the written file does not read back to its sources");
        sps::WriteFileAtomic(argv[2], bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_rovandel_data: %s\n", e.what());
        return 1;
    }
    return 0;
}
