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

// A section as this program writes it: it holds a head wall, an anchor wall
// or both (the reader refuses other children, a second wall of a class and
// references that name no wall of the section), and HeadWall / AnchorWall
// name them.
void CheckSection(const TSection& section)
{
    if (section.ComponentCount() == 0)
        sps::RaiseFmt("Section %d holds no wall", section.Index);
    for (int i = 0; i < section.ComponentCount(); ++i) {
        sps::TComponent* c = section.Components(i);
        if (dynamic_cast<THeadwall*>(c) && section.HeadWall != c)
            sps::RaiseFmt("Section %d: the reference HeadWall to its head wall is missing", section.Index);
        if (dynamic_cast<TAnchorwall*>(c) && section.AnchorWall != c)
            sps::RaiseFmt("Section %d: the reference AnchorWall to its anchor wall is missing", section.Index);
        if (!dynamic_cast<TWall*>(c) || c->ClassName() == "TWall")
            sps::RaiseFmt("Section %d: unknown wall class %s", section.Index, c->ClassName().c_str());
    }
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

namespace {

// The bytes to save as `fileName`; refused when the file could not be opened again.
std::vector<uint8_t> BytesToSave(const std::string& fileName, const TProject& project)
{
    std::vector<uint8_t> bytes = WriteProjectBytes(project);
    if (bytes.size() > (kMaxProjectFileMegabytes << 20))
        sps::RaiseFmt("Cannot write file \"%s\". The project is larger than %zu MB.", fileName.c_str(),
                      kMaxProjectFileMegabytes);
    return bytes;
}

} // namespace

sps::TFileStamp SaveProject(const std::string& fileName, const TProject& project)
{
    return sps::WriteFileAtomic(fileName, BytesToSave(fileName, project));
}

TSavedProject SaveProjectWithBackup(const std::string& fileName, const TProject& project,
                                    const std::string& backupName)
{
    // The project is built (and checked) before the backup is touched.
    std::vector<uint8_t> bytes = BytesToSave(fileName, project);
    TSavedProject saved;
    if (sps::FileStamp(fileName).Exists)
        saved.Backup = sps::CopyFileAtomic(fileName, backupName);
    saved.Project = sps::WriteFileAtomic(fileName, bytes);
    return saved;
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
    auto fail = [&fileName, &in](const sps::Exception& e) {
        std::string message = sps::Format("Invalid project file %s", fileName.c_str()) + "\n" + e.Message();
        if (in.PastEnd())
            message += "\nThe file ends early.";
        sps::Raise(message);
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
            // Name the section where its number has been read.
            if (section->Index != 0 && e.Message().rfind("Section ", 0) != 0)
                fail(sps::Exception(sps::Format("Section %d: ", section->Index) + e.Message()));
            fail(e);
        }
        TSection* added = section.release();
        project.Owner->InsertComponent(added);
        if (sectionRead)
            sectionRead(added);
    }
}

sps::TFileStamp LoadProject(const std::string& fileName, TProject& project, const TSectionRead& sectionRead)
{
    sps::TFileStamp stamp;
    std::vector<uint8_t> bytes = sps::ReadFileBytes(fileName, kMaxProjectFileMegabytes, &stamp);
    sps::RemoveStaleTempFiles(fileName);
    ReadProjectBytes(bytes, project, fileName, sectionRead);
    return stamp;
}

} // namespace wd
