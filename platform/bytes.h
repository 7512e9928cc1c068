// Little-endian byte reader and writer. The reader never reads past the end:
// it raises "Stream read error" instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace sps {

class ByteReader {
public:
    ByteReader(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    explicit ByteReader(const std::vector<uint8_t>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    size_t Position() const { return pos_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    void Seek(size_t pos);

    // Raises unless `count` bytes remain.
    void Require(size_t count) const;
    // True once a read has asked for more bytes than remained: the data ends early.
    bool PastEnd() const { return pastEnd_; }
    void Read(void* dest, size_t count);
    void Skip(size_t count);
    uint8_t U8();
    int8_t I8() { return static_cast<int8_t>(U8()); }
    uint16_t U16();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint32_t U32();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32();
    double F64();
    std::string Chars(size_t count);

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    mutable bool pastEnd_ = false;
};

class ByteWriter {
public:
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }
    size_t Size() const { return bytes_.size(); }

    void Write(const void* src, size_t count);
    void U8(uint8_t v) { bytes_.push_back(v); }
    void I8(int8_t v) { U8(static_cast<uint8_t>(v)); }
    void U16(uint16_t v);
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void U32(uint32_t v);
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v);
    void F64(double v);
    void Chars(const std::string& s) { Write(s.data(), s.size()); }

private:
    std::vector<uint8_t> bytes_;
};

// One version of a file on disk: its device and inode, size and modification
// time. A file replaced by another (renamed over it), rewritten or touched
// gets another stamp.
struct TFileStamp {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedSeconds = 0;
    int64_t ModifiedNanoseconds = 0;
    bool operator==(const TFileStamp&) const = default;
};

// The stamp of the file that `path` names (symbolic links followed); Exists
// is false when there is none.
TFileStamp FileStamp(const std::string& path);

// Whole-file helpers. ReadFileBytes reads a regular file of at most
// `maxMegabytes` and raises "Cannot open file \"%s\". ..." style errors for
// anything else (FIFOs, devices and folders are refused unread); `stamp`, when
// given, receives the stamp of the file read. WriteFileAtomic writes the file
// that `path` stands for (through symbolic links): a temporary file of a new
// name in its folder (created exclusively, never through a link; removed on
// every failure) is renamed over it only when every byte was written, and
// takes its permission bits. A file with other hard links is overwritten in
// place, after its room has been reserved. A read-only file or one that is not
// a regular file is refused. Returns the stamp of the file written.
inline constexpr size_t kMaxFileMegabytes = 64;
std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxMegabytes = kMaxFileMegabytes,
                                   TFileStamp* stamp = nullptr);
TFileStamp WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);
// Writes a copy of the regular file `source` (of any size) to `path` as
// WriteFileAtomic writes, so that `path` always holds a whole file.
TFileStamp CopyFileAtomic(const std::string& source, const std::string& path);

// The temporary files of saves are named "<name>.<8 letters or digits>.tmp~";
// a save holds a lock on its file until it has been renamed or removed, so a
// file left by a save that was stopped (killed) holds none. This removes those
// of the file that `path` stands for: regular files of this user with no other
// name, that no save holds. WriteFileAtomic runs it after every save. Errors
// are ignored.
void RemoveStaleTempFiles(const std::string& path);

} // namespace sps
