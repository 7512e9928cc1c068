// Writes "WQ KX Data.daa" from its readable sources, or dumps such a file
// back to CSV.
//   kestrane_data build <source folder> <output file>...
//   kestrane_data dump <data file> <folder>
#include "catalogue_sources.h"

#include "combiwall/catalogue.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "build" && argc >= 4) {
            cw::Catalogue cat = cw::ReadCatalogueSources(argv[2]);
            std::vector<uint8_t> bytes = cw::EncodeCatalogue(cat);
            // The file must read back to the same tables.
            cw::Catalogue back = cw::LoadCatalogue(bytes);
            if (cw::EncodeCatalogue(back) != bytes)
                sps::Raise("the written file does not read back to the same tables");
            for (int i = 3; i < argc; ++i)
                sps::WriteFileAtomic(argv[i], bytes);
            return 0;
        }
        if (command == "dump" && argc == 4) {
            cw::WriteCatalogueCsv(cw::LoadCatalogueFile(argv[2]), argv[3]);
            return 0;
        }
    } catch (const sps::Exception& e) {
        std::fprintf(stderr, "kestrane_data: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: kestrane_data build <source folder> <output file>...\n"
                         "       kestrane_data dump <data file> <folder>\n");
    return 2;
}
