// Reads a project file from arbitrary bytes, and a valid project file patched
// by the input (so that the mutations reach the wall data without a corpus).
// What is read must save again, and the saved bytes must read back to the same
// bytes.
#include "platform/error.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/report.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> ValidProject()
{
    wd::TProjectOwner owner;
    wd::TProject project{&owner, "A", "P", "C"};
    auto* both = new wd::TSection(&owner);
    both->Index = 1;
    wd::THeadwall* head = both->CreateHeadwall();
    head->FrontLayers.resize(2);
    head->BehindLayers.resize(1);
    head->Forces.resize(1);
    head->Pressures.resize(1);
    head->Bousqs.resize(2);
    head->SectionName = "ZS 18";
    head->GradeName = "S 355 GP";
    wd::TAnchorwall* anchor = both->CreateAnchorwall();
    anchor->BehindLayers.resize(1);
    auto* single = new wd::TSection(&owner);
    single->Index = 300;
    single->CreateAnchorwall();
    return wd::WriteProjectBytes(project);
}

void ReadAndCheck(const std::vector<uint8_t>& bytes)
{
    wd::TProjectOwner owner;
    wd::TProject project{&owner};
    try {
        wd::ReadProjectBytes(bytes, project, "fuzz.spc");
    } catch (const sps::Exception&) {
        // The sections before the fault stay and must save.
    }
    std::vector<uint8_t> saved = wd::WriteProjectBytes(project);

    wd::TProjectOwner owner2;
    wd::TProject back{&owner2};
    wd::ReadProjectBytes(saved, back, "saved.spc");
    if (wd::WriteProjectBytes(back) != saved)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<uint8_t> valid = (wd::RegisterWallClasses(), ValidProject());

    ReadAndCheck(std::vector<uint8_t>(data, data + size));

    // Patches of three bytes: position (two bytes) and new value; a patch at
    // the position 0xFFFF cuts the file at the value's share of its length.
    std::vector<uint8_t> patched = valid;
    for (size_t i = 0; i + 3 <= size; i += 3) {
        size_t pos = static_cast<size_t>(data[i]) | (static_cast<size_t>(data[i + 1]) << 8);
        if (pos == 0xFFFF)
            patched.resize(patched.size() * data[i + 2] / 256);
        else if (!patched.empty())
            patched[pos % patched.size()] = data[i + 2];
    }
    ReadAndCheck(patched);
    return 0;
}
