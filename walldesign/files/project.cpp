#include "walldesign/files/project.h"

#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"

#include <memory>

namespace wd {

namespace {

// A section as this program writes it: its children are walls, at least one
// and at most one head wall and one anchor wall, and HeadWall / AnchorWall
// name exactly them.
void CheckSection(const TSection& section)
{
    if (section.ComponentCount() == 0)
        sps::RaiseFmt("Section %d holds no wall", section.Index);
    THeadwall* head = nullptr;
    TAnchorwall* anchor = nullptr;
    bool valid = true;
    for (int i = 0; i < section.ComponentCount() && valid; ++i) {
        sps::TComponent* c = section.Components(i);
        if (c->ClassName() == "THeadwall" && !head)
            head = dynamic_cast<THeadwall*>(c);
        else if (c->ClassName() == "TAnchorwall" && !anchor)
            anchor = dynamic_cast<TAnchorwall*>(c);
        else
            valid = false;
    }
    if (!valid || section.HeadWall != head || section.AnchorWall != anchor)
        sps::RaiseFmt("Invalid walls in section %d", section.Index);
}

} // namespace

TProjectOwner::~TProjectOwner()
{
    // Free the sections while this is still the owner they know.
    Destroying();
    try {
        DestroyComponents();
    } catch (...) {
    }
}

std::vector<TSection*> ProjectSections(const sps::TComponent* owner)
{
    std::vector<TSection*> sections;
    if (!owner)
        return sections;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* section = dynamic_cast<TSection*>(owner->Components(i)))
            sections.push_back(section);
    return sections;
}

std::vector<uint8_t> WriteProjectBytes(const TProject& project)
{
    sps::ByteWriter out;
    sps::TWriter header(out);
    header.WriteString(project.Author);
    header.WriteString(project.Name);
    header.WriteString(project.Comment);
    for (TSection* section : ProjectSections(project.Owner)) {
        sps::TWriter writer(out);
        writer.WriteDescendent(section);
    }
    return std::move(out.Bytes());
}

void SaveProject(const std::string& fileName, const TProject& project)
{
    std::vector<uint8_t> bytes = WriteProjectBytes(project);
    sps::WriteFileAtomic(fileName, bytes);
}

void ReadProjectBytes(const std::vector<uint8_t>& bytes, TProject& project, const std::string& fileName,
                      const TSectionRead& sectionRead)
{
    static const bool registered = (RegisterWallClasses(), true);
    (void)registered;
    if (!project.Owner)
        sps::Raise("A project needs an owner for its sections");

    sps::ByteReader in(bytes);
    sps::TReader reader(in);
    auto fail = [&fileName](const sps::Exception& e) {
        sps::Raise(sps::Format("Invalid project file %s", fileName.c_str()) + "\n" + e.Message());
    };

    try {
        std::string author = reader.ReadString();
        std::string name = reader.ReadString();
        std::string comment = reader.ReadString();
        project.Author = std::move(author);
        project.Name = std::move(name);
        project.Comment = std::move(comment);
    } catch (const sps::Exception& e) {
        fail(e);
    }

    while (!in.AtEnd()) {
        // The section joins the project only when it has been read completely.
        auto section = std::make_unique<TSection>(nullptr);
        try {
            sps::TReader sectionReader(in);
            sectionReader.ReadRootComponent(section.get());
            CheckSection(*section);
        } catch (const sps::Exception& e) {
            fail(e);
        }
        TSection* added = section.release();
        project.Owner->InsertComponent(added);
        if (sectionRead)
            sectionRead(added);
    }
}

void LoadProject(const std::string& fileName, TProject& project, const TSectionRead& sectionRead)
{
    std::vector<uint8_t> bytes = sps::ReadFileBytes(fileName, kMaxProjectFileMegabytes);
    ReadProjectBytes(bytes, project, fileName, sectionRead);
}

} // namespace wd
