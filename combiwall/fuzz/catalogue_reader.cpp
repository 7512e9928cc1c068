// Feeds arbitrary bytes to the reader of "WQ KX Data.daa": it either reads a
// catalogue whose tables are consistent or raises the corrupted-file message.
#include "combiwall/catalogue.h"
#include "combiwall/safety.h"
#include "platform/error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        cw::Catalogue cat = cw::LoadCatalogue(data, size);
        // What the program does with a catalogue it accepted must be safe too.
        cw::CatalogueList list;
        cw::ListInput in;
        in.mode = cf::SearchMode::WindowSearch;
        in.window = cf::SfWindow{1.0, 100.0};
        in.loads = cw::Loads{500, 100, 5};
        in.fyk = cw::YieldStrengths{355, 355, 270};
        for (int g = 0; g < 4; ++g)
            cw::FillCatalogueList(cat, cw::GroupRange(cat, g), "", in, list);
        if (!cw::FindCatalogueFault(cat).empty())
            std::abort();
    } catch (const sps::Exception&) {
    }
    return 0;
}
