#include "platform/bytes.h"

#include "platform/error.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <unistd.h>

namespace sps {

void ByteReader::Seek(size_t pos)
{
    if (pos > size_)
        Raise(kStreamReadError);
    pos_ = pos;
}

void ByteReader::Require(size_t count) const
{
    if (count > size_ - pos_) {
        pastEnd_ = true;
        Raise(kStreamReadError);
    }
}

void ByteReader::Read(void* dest, size_t count)
{
    Require(count);
    if (count)
        std::memcpy(dest, data_ + pos_, count);
    pos_ += count;
}

void ByteReader::Skip(size_t count)
{
    Require(count);
    pos_ += count;
}

uint8_t ByteReader::U8()
{
    Require(1);
    return data_[pos_++];
}

uint16_t ByteReader::U16()
{
    Require(2);
    uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

uint32_t ByteReader::U32()
{
    Require(4);
    uint32_t v = static_cast<uint32_t>(data_[pos_]) | (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                 (static_cast<uint32_t>(data_[pos_ + 2]) << 16) | (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
}

float ByteReader::F32()
{
    uint32_t bits = U32();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

double ByteReader::F64()
{
    uint64_t lo = U32();
    uint64_t hi = U32();
    uint64_t bits = lo | (hi << 32);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

std::string ByteReader::Chars(size_t count)
{
    Require(count);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), count);
    pos_ += count;
    return s;
}

void ByteWriter::Write(const void* src, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(src);
    bytes_.insert(bytes_.end(), p, p + count);
}

void ByteWriter::U16(uint16_t v)
{
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        U8(static_cast<uint8_t>(v >> (8 * i)));
}

void ByteWriter::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    U32(bits);
}

void ByteWriter::F64(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    U32(static_cast<uint32_t>(bits));
    U32(static_cast<uint32_t>(bits >> 32));
}

namespace {

TFileStamp StampOf(const struct stat& st)
{
    TFileStamp stamp;
    stamp.Exists = true;
    stamp.Device = static_cast<uint64_t>(st.st_dev);
    stamp.Inode = static_cast<uint64_t>(st.st_ino);
    stamp.Size = static_cast<int64_t>(st.st_size);
    stamp.ModifiedSeconds = static_cast<int64_t>(st.st_mtim.tv_sec);
    stamp.ModifiedNanoseconds = static_cast<int64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

struct Closer {
    int fd;
    ~Closer()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a regular file for reading, its stat in `st`; the caller closes it.
int OpenRegularFile(const std::string& path, struct stat& st)
{
    // Opening without blocking: a FIFO without a writer would wait for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        RaiseFmt("Cannot open file \"%s\". %s", path.c_str(), std::strerror(errno));
    Closer closer{fd};
    if (::fstat(fd, &st) != 0)
        RaiseFmt("Read error on file \"%s\"", path.c_str());
    if (!S_ISREG(st.st_mode))
        RaiseFmt("Cannot open file \"%s\". It is not a regular file.", path.c_str());
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    closer.fd = -1;
    return fd;
}

// Reads up to `count` bytes; raises a read error naming `path`.
size_t ReadSome(int fd, uint8_t* buf, size_t count, const std::string& path)
{
    for (;;) {
        ssize_t n = ::read(fd, buf, count);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            RaiseFmt("Read error on file \"%s\"", path.c_str());
    }
}

} // namespace

TFileStamp FileStamp(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return TFileStamp();
    return StampOf(st);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxMegabytes, TFileStamp* stamp)
{
    struct stat st;
    int fd = OpenRegularFile(path, st);
    Closer closer{fd};
    const uint64_t maxBytes = static_cast<uint64_t>(maxMegabytes) << 20;
    auto tooLarge = [&] {
        RaiseFmt("Cannot open file \"%s\". The file is larger than %zu MB.", path.c_str(), maxMegabytes);
    };
    if (static_cast<uint64_t>(st.st_size) > maxBytes)
        tooLarge();

    // The size may change while reading (and some files report none): the
    // limit holds for what is read as well.
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    uint8_t buf[65536];
    while (size_t n = ReadSome(fd, buf, sizeof buf, path)) {
        if (bytes.size() + n > maxBytes)
            tooLarge();
        bytes.insert(bytes.end(), buf, buf + n);
    }
    if (stamp) {
        // What was read, changes made while reading included.
        if (::fstat(fd, &st) != 0)
            RaiseFmt("Read error on file \"%s\"", path.c_str());
        *stamp = StampOf(st);
    }
    return bytes;
}

namespace {

namespace fs = std::filesystem;

// Temporary names: the file's name cut to this many characters (to stay
// within the length a folder allows), a dot, the random letters, the suffix.
constexpr size_t kTempStemChars = 64;
constexpr size_t kTempLetters = 8;
constexpr const char* kTempSuffix = ".tmp~";

// The temporary file of a save: closed, and removed unless it was renamed.
// `lockFd` holds the lock that marks the file as in use until then.
struct TempFile {
    std::string path;
    int fd = -1;
    int lockFd = -1;
    bool renamed = false;
    ~TempFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (!path.empty() && !renamed)
            ::unlink(path.c_str());
        if (lockFd >= 0)
            ::close(lockFd);
    }
};

std::string RandomLetters(size_t count)
{
    static std::mt19937_64 engine = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), static_cast<unsigned>(::getpid())};
        return std::mt19937_64(seed);
    }();
    const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    std::string s;
    for (size_t i = 0; i < count; ++i)
        s += letters[pick(engine)];
    return s;
}

bool IsTempName(const std::string& name, const std::string& stem)
{
    const std::string suffix = kTempSuffix;
    if (name.size() != stem.size() + 1 + kTempLetters + suffix.size() || name.compare(0, stem.size(), stem) != 0 ||
        name[stem.size()] != '.' || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t i = stem.size() + 1; i < stem.size() + 1 + kTempLetters; ++i)
        if (!((name[i] >= 'a' && name[i] <= 'z') || (name[i] >= '0' && name[i] <= '9')))
            return false;
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Takes the lock of a new temporary file. False when a cleaner got there first
// (it removes the file) or removed the name before the lock was taken. Where
// files cannot be locked the file stays unlocked: no cleaner can take it then.
bool LockNewTempFile(int fd, const std::string& name)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return false;
    struct stat mine;
    struct stat named;
    return ::fstat(fd, &mine) == 0 && ::lstat(name.c_str(), &named) == 0 && SameFile(mine, named);
}

// Creates a locked file of a new name beside `path`; O_EXCL never opens what
// exists, not even through a symbolic link. Returns false with errno set on
// failure.
bool CreateTempFile(const std::string& path, TempFile& temp)
{
    fs::path target(path);
    fs::path folder = target.parent_path();
    std::string stem = target.filename().string().substr(0, kTempStemChars);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = (folder / (stem + "." + RandomLetters(kTempLetters) + kTempSuffix)).string();
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno != EEXIST)
                return false;
            continue;
        }
        if (!LockNewTempFile(fd, name)) {
            ::close(fd);
            continue;
        }
        temp.path = name;
        temp.fd = fd;
        // A second descriptor of the same open file keeps the lock while the
        // first is closed (which reports late write errors) and the file renamed.
        temp.lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        return temp.lockFd >= 0;
    }
    errno = EEXIST;
    return false;
}

// Removes one temporary file when it is stale: a regular file of this user
// with one name that nobody holds locked, still under that name.
void RemoveIfStale(const std::string& name)
{
    struct stat named;
    if (::lstat(name.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_uid != ::geteuid() ||
        named.st_nlink != 1)
        return;
    int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    Closer closer{fd};
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !SameFile(opened, named) || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return;
    // Locked by us: a save that created the name in between sees it is gone.
    struct stat now;
    if (::lstat(name.c_str(), &now) == 0 && SameFile(now, opened))
        ::unlink(name.c_str());
}

// The new content of a file: bytes in memory, or what an open file holds.
struct Content {
    const std::vector<uint8_t>* bytes = nullptr;
    int fd = -1;
    std::string source; // the file's name, for its read errors
    uint64_t size = 0;  // what is expected; a file may grow or shrink meanwhile

    // Writes everything at fd's position; the bytes written, or -1 with errno
    // set on a write error. A read error of the source raises.
    int64_t WriteTo(int out) const
    {
        auto writeAll = [out](const uint8_t* data, size_t count) {
            size_t done = 0;
            while (done < count) {
                ssize_t w = ::write(out, data + done, count - done);
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    return false;
                }
                done += static_cast<size_t>(w);
            }
            return true;
        };
        if (bytes)
            return writeAll(bytes->data(), bytes->size()) ? static_cast<int64_t>(bytes->size()) : -1;
        std::vector<uint8_t> buf(65536);
        int64_t total = 0;
        while (size_t n = ReadSome(fd, buf.data(), buf.size(), source)) {
            if (!writeAll(buf.data(), n))
                return -1;
            total += static_cast<int64_t>(n);
        }
        return total;
    }
};

// The file that `path` stands for: symbolic links followed (relative ones
// from their own folder) up to a bound, the last name possibly not existing.
std::string LinkTarget(const std::string& path)
{
    std::string target = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::error_code ec;
        fs::path next = fs::read_symlink(target, ec);
        if (hops == 40 || ec)
            RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(ec ? ec.value() : ELOOP));
        if (next.is_relative())
            next = fs::path(target).parent_path() / next;
        target = next.string();
    }
}

// Overwrites a file that has other names (hard links) in place, so that they
// all keep showing it. The room is reserved first: a full disk or a size
// limit fails before a byte of the old content changes.
TFileStamp OverwriteInPlace(const std::string& path, const std::string& target, const Content& content)
{
    auto fail = [&path](int err) { RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(err)); };
    int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    Closer closer{fd};
    if (content.size > 0) {
        int err = ::posix_fallocate(fd, 0, static_cast<off_t>(content.size));
        if (err != 0)
            fail(err);
    }
    int64_t written = content.WriteTo(fd);
    if (written < 0)
        fail(errno);
    struct stat st;
    if (::ftruncate(fd, static_cast<off_t>(written)) != 0 || ::fsync(fd) != 0 || ::fstat(fd, &st) != 0)
        fail(errno);
    closer.fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    return StampOf(st);
}

TFileStamp WriteAtomic(const std::string& path, const Content& content)
{
    auto fail = [&path](int err) { RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(err)); };
    const std::string target = LinkTarget(path);
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            RaiseFmt("Cannot write file \"%s\". It is not a regular file.", path.c_str());
        if ((old.st_mode & 0222) == 0 || (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 &&
                                          (errno == EACCES || errno == EROFS)))
            RaiseFmt("Cannot write file \"%s\". The file is read-only.", path.c_str());
        if (old.st_nlink > 1)
            return OverwriteInPlace(path, target, content);
    }

    TempFile temp;
    if (!CreateTempFile(target, temp)) {
        // The file may well be writable: what failed is its folder.
        int err = errno;
        std::error_code ec;
        fs::path folder = fs::path(target).parent_path();
        if (folder.empty())
            folder = fs::current_path(ec);
        RaiseFmt("Cannot create a file in folder %s: %s", folder.string().c_str(), std::strerror(err));
    }
    if (exists) {
        // The new file takes the old one's permission bits, and its owner where
        // that is allowed (otherwise it stays ours, which is no error).
        if (::fchown(temp.fd, old.st_uid, old.st_gid) != 0)
            errno = 0;
        if (::fchmod(temp.fd, old.st_mode & 0777) != 0)
            fail(errno);
    }
    if (content.WriteTo(temp.fd) < 0 || ::fsync(temp.fd) != 0)
        fail(errno);
    int fd = temp.fd;
    temp.fd = -1;
    struct stat written;
    if (::close(fd) != 0 || ::fstat(temp.lockFd, &written) != 0)
        fail(errno);
    if (std::rename(temp.path.c_str(), target.c_str()) != 0)
        fail(errno);
    temp.renamed = true;
    RemoveStaleTempFiles(target);
    return StampOf(written);
}

} // namespace

TFileStamp WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes)
{
    Content content;
    content.bytes = &bytes;
    content.size = bytes.size();
    return WriteAtomic(path, content);
}

TFileStamp CopyFileAtomic(const std::string& source, const std::string& path)
{
    struct stat st;
    Content content;
    content.fd = OpenRegularFile(source, st);
    Closer closer{content.fd};
    content.source = source;
    content.size = static_cast<uint64_t>(st.st_size);
    return WriteAtomic(path, content);
}

void RemoveStaleTempFiles(const std::string& path)
{
    try {
        const fs::path target(LinkTarget(path));
        const std::string stem = target.filename().string().substr(0, kTempStemChars);
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (IsTempName(name, stem))
                RemoveIfStale((folder / name).string());
        }
    } catch (...) {
        // Nothing left behind is worth failing a save or an open for.
    }
}

} // namespace sps
