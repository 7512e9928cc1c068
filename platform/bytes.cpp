#include "platform/bytes.h"

#include "platform/error.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <fcntl.h>
#include <sys/stat.h>
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
    if (count > size_ - pos_)
        Raise(kStreamReadError);
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

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxMegabytes)
{
    // Opening without blocking: a FIFO without a writer would wait for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        RaiseFmt("Cannot open file \"%s\". %s", path.c_str(), std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        RaiseFmt("Read error on file \"%s\"", path.c_str());
    if (!S_ISREG(st.st_mode))
        RaiseFmt("Cannot open file \"%s\". It is not a regular file.", path.c_str());
    const uint64_t maxBytes = static_cast<uint64_t>(maxMegabytes) << 20;
    auto tooLarge = [&] {
        RaiseFmt("Cannot open file \"%s\". The file is larger than %zu MB.", path.c_str(), maxMegabytes);
    };
    if (static_cast<uint64_t>(st.st_size) > maxBytes)
        tooLarge();
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    // The size may change while reading (and some files report none): the
    // limit holds for what is read as well.
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseFmt("Read error on file \"%s\"", path.c_str());
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes)
            tooLarge();
        bytes.insert(bytes.end(), buf, buf + n);
    }
    return bytes;
}

namespace {

// The temporary file of a save: closed, and removed unless it was renamed.
struct TempFile {
    std::string path;
    int fd = -1;
    bool renamed = false;
    ~TempFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (!path.empty() && !renamed)
            ::unlink(path.c_str());
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

// Creates a file of a new name beside `path`; O_EXCL never opens what exists,
// not even through a symbolic link. Returns false with errno set on failure.
bool CreateTempFile(const std::string& path, TempFile& temp)
{
    std::filesystem::path target(path);
    std::filesystem::path folder = target.parent_path();
    // A short stem keeps the name within the length a folder allows.
    std::string stem = target.filename().string().substr(0, 64);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = (folder / (stem + "." + RandomLetters(8) + ".tmp~")).string();
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            temp.path = name;
            temp.fd = fd;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

// Writes every byte; false with errno set on failure.
bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    return true;
}

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
        std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (hops == 40 || ec)
            RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(ec ? ec.value() : ELOOP));
        if (next.is_relative())
            next = std::filesystem::path(target).parent_path() / next;
        target = next.string();
    }
}

// Overwrites a file that has other names (hard links) in place, so that they
// all keep showing it. The room is reserved first: a full disk or a size
// limit fails before a byte of the old content changes.
void OverwriteInPlace(const std::string& path, const std::string& target, const std::vector<uint8_t>& bytes)
{
    auto fail = [&path](int err) { RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(err)); };
    int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    struct Closer {
        int fd;
        ~Closer()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } closer{fd};
    if (!bytes.empty()) {
        int err = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        if (err != 0)
            fail(err);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += static_cast<size_t>(w);
    }
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0)
        fail(errno);
    closer.fd = -1;
    if (::close(fd) != 0)
        fail(errno);
}

} // namespace

void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes)
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
        if (old.st_nlink > 1) {
            OverwriteInPlace(path, target, bytes);
            return;
        }
    }

    TempFile temp;
    if (!CreateTempFile(target, temp)) {
        // The file may well be writable: what failed is its folder.
        int err = errno;
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::path(target).parent_path();
        if (folder.empty())
            folder = std::filesystem::current_path(ec);
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
    if (!WriteAll(temp.fd, bytes) || ::fsync(temp.fd) != 0)
        fail(errno);
    int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    if (std::rename(temp.path.c_str(), target.c_str()) != 0)
        fail(errno);
    temp.renamed = true;
}

} // namespace sps
