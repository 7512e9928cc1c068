// The project file (".spc"): three tagged strings (author, name, comment) and
// one component stream per section, its walls as children.
#pragma once

#include "platform/bytes.h"
#include "platform/component.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wd {

class TSection;

// A component that owns the sections of a project (in creation or reading
// order) and frees them with itself.
class TProjectOwner : public sps::TComponent {
public:
    explicit TProjectOwner(sps::TComponent* owner = nullptr) : sps::TComponent(owner) {}
    ~TProjectOwner() override;
    std::string ClassName() const override { return "TProjectOwner"; }
};

// What a project file holds: the texts and the sections owned by Owner.
struct TProject {
    explicit TProject(sps::TComponent* owner = nullptr, std::string author = {}, std::string name = {},
                      std::string comment = {})
        : Owner(owner), Author(std::move(author)), Name(std::move(name)), Comment(std::move(comment))
    {
    }

    sps::TComponent* Owner = nullptr;
    std::string Author;
    std::string Name;
    std::string Comment;
};

// The sections owned by `owner`, in ownership order.
std::vector<TSection*> ProjectSections(const sps::TComponent* owner);

// Called for every section as soon as it has been read completely.
using TSectionRead = std::function<void(TSection*)>;

// Larger project files are refused unread, and not written (a project of
// tens of thousands of sections stays far below).
inline constexpr size_t kMaxProjectFileMegabytes = 64;

// The file's bytes. Raises when a wall holds input that could not be read back.
std::vector<uint8_t> WriteProjectBytes(const TProject& project);
// Builds the whole file in memory and replaces the file only when every byte
// was written: a failing save leaves the previous file as it was. A project
// that would be too large to open again is refused. Returns the stamp of the
// file written.
sps::TFileStamp SaveProject(const std::string& fileName, const TProject& project);

// The files a save with backup wrote.
struct TSavedProject {
    sps::TFileStamp Project;
    sps::TFileStamp Backup; // Exists false when no backup was made
};
// Saves as SaveProject, after copying the file's previous content (when there
// is one) to `backupName`, written whole as well: at every moment the project
// file and its backup each hold one complete version.
TSavedProject SaveProjectWithBackup(const std::string& fileName, const TProject& project,
                                    const std::string& backupName);

// Reads the texts into `project` and appends the sections to project.Owner
// (which must be set).
// On an error the sections read before stay, the section being read is freed,
// and the error "Invalid project file <fileName>" with the cause on a second
// line is raised; a file that ends before its data does says so on a third.
void ReadProjectBytes(const std::vector<uint8_t>& bytes, TProject& project, const std::string& fileName,
                      const TSectionRead& sectionRead = {});
// As ReadProjectBytes on the content of the file; errors opening or reading
// the file name it as well. Only a regular file is read. The temporary files
// that saves of it left when they were stopped are removed. Returns the stamp
// of the file read.
sps::TFileStamp LoadProject(const std::string& fileName, TProject& project, const TSectionRead& sectionRead = {});

} // namespace wd
