// The shipped catalogue and its readable sources, for the tests.
#pragma once

#include "catalogue_sources.h"
#include "combiwall/catalogue.h"
#include "platform/bytes.h"

#include <string>
#include <vector>

namespace cwtest {

inline std::string SourceFolder()
{
    return KESTRANE_DATA_SOURCES;
}

// "WQ KX Data.daa" in the test working folder, as the build wrote it.
inline const std::vector<uint8_t>& ShippedBytes()
{
    static const std::vector<uint8_t> bytes = sps::ReadFileBytes(cw::kCatalogueFileName);
    return bytes;
}

inline const cw::Catalogue& Shipped()
{
    static const cw::Catalogue cat = cw::LoadCatalogueFile(cw::kCatalogueFileName);
    return cat;
}

inline const cw::Catalogue& Sources()
{
    static const cw::Catalogue cat = cw::ReadCatalogueSources(SourceFolder());
    return cat;
}

inline int Row(const cw::Catalogue& cat, const std::string& name)
{
    for (size_t i = 0; i < cat.combinations.Size(); ++i) {
        if (cat.combinations.names[i].rfind(name, 0) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace cwtest
