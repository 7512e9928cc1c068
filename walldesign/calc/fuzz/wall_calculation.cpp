// Calculates a head wall or an anchor wall whose input comes from arbitrary
// bytes: every input must calculate to finite results or raise the system's
// error, never crash, hang or leave a NaN behind.
#include "platform/error.h"
#include "walldesign/calc/fuzz/wall_bytes.h"
#include "walldesign/calc/wall.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wdfuzz::TWallBytesReader in(data, size);
    const uint8_t kind = in.Byte();
    std::unique_ptr<wd::TWall> wall;
    if (kind & 1)
        wall = std::make_unique<wd::TAnchorwall>(nullptr);
    else
        wall = std::make_unique<wd::THeadwall>(nullptr);
    wd::TWall& w = *wall;
    w.Support = static_cast<uint8_t>((kind >> 1) % 4);
    wdfuzz::WallFields(in, w);

    try {
        w.Calculate();
    } catch (const sps::Exception&) {
        return 0;
    }
    try {
        w.CheckFinite();
    } catch (const sps::Exception&) {
        std::abort(); // a successful calculation must leave finite results
    }
    if (w.Results.empty() || w.ResultSlices.size() != w.Results.size())
        std::abort();
    return 0;
}
