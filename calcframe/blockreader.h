// Little-endian block reader of the calculators' read-only data files. Every
// fault (a file that cannot be opened, an I/O error, a block longer than the
// bytes that remain, a count outside its range, a bad name record) raises
// sps::Exception with the "seems to be corrupted" message of the file name
// given at construction. Each block is one read of exactly its size, and every
// count is checked against the bytes that remain before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace cf {

// "\"<fileName>\" file seems to be corrupted. Reinstall original file."
std::string CorruptedFileMessage(const std::string& fileName);

class BlockReader {
public:
    // Reads from memory that outlives the reader.
    BlockReader(const void* data, size_t size, std::string fileName);
    // Opens the file at `path` read-only; raises the corrupted message when it
    // cannot be opened or sized. The file is closed by the destructor.
    BlockReader(const std::string& path, std::string fileName);
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    [[noreturn]] void Fail() const;
    const std::string& FileName() const { return fileName_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }

    // One read of exactly `size` bytes.
    void Block(void* dest, size_t size);
    std::vector<uint8_t> Block(size_t size);

    uint8_t U8();
    int8_t I8();
    int16_t I16();
    int32_t I32();
    double F64();

    // A count read earlier, as a size: fails unless 0 <= value <= max.
    size_t Count(int64_t value, int64_t max) const;

    // Columns of n values, each in one read.
    std::vector<int8_t> Int8s(size_t n);
    std::vector<int16_t> Int16s(size_t n);
    std::vector<int32_t> Int32s(size_t n);
    std::vector<double> Doubles(size_t n);
    // As Doubles, and fails on a NaN or an infinity.
    std::vector<double> FiniteDoubles(size_t n);

    // n ScrambledName records of `capacity` characters in one read, decoded
    // with the table's start value.
    std::vector<std::string> Names(size_t n, size_t capacity, int16_t start);

private:
    void RequireBlock(size_t count, size_t elementSize) const;

    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string fileName_;
    const uint8_t* data_ = nullptr;
    std::unique_ptr<std::FILE, FileCloser> file_;
    size_t size_ = 0;
    size_t pos_ = 0;
};

} // namespace cf
