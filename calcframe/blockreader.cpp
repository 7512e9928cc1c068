#include "calcframe/blockreader.h"

#include "calcframe/scrambled.h"
#include "platform/error.h"

#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace cf {

std::string CorruptedFileMessage(const std::string& fileName)
{
    return "\"" + fileName + "\" file seems to be corrupted. Reinstall original file.";
}

BlockReader::BlockReader(const void* data, size_t size, std::string fileName)
    : fileName_(std::move(fileName)), data_(static_cast<const uint8_t*>(data)), size_(size)
{
}

BlockReader::BlockReader(const std::string& path, std::string fileName) : fileName_(std::move(fileName))
{
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_)
        Fail();
    struct stat st {};
    if (::fstat(::fileno(file_.get()), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0)
        Fail();
    size_ = static_cast<size_t>(st.st_size);
}

BlockReader::~BlockReader() = default;

void BlockReader::Fail() const
{
    sps::Raise(CorruptedFileMessage(fileName_));
}

void BlockReader::RequireBlock(size_t count, size_t elementSize) const
{
    if (count > Remaining() / elementSize)
        Fail();
}

void BlockReader::Block(void* dest, size_t size)
{
    RequireBlock(size, 1);
    if (size == 0)
        return;
    if (file_) {
        if (std::fread(dest, 1, size, file_.get()) != size)
            Fail();
    } else {
        std::memcpy(dest, data_ + pos_, size);
    }
    pos_ += size;
}

std::vector<uint8_t> BlockReader::Block(size_t size)
{
    RequireBlock(size, 1);
    std::vector<uint8_t> bytes(size);
    Block(bytes.data(), size);
    return bytes;
}

uint8_t BlockReader::U8()
{
    uint8_t b;
    Block(&b, 1);
    return b;
}

int8_t BlockReader::I8()
{
    return static_cast<int8_t>(U8());
}

int16_t BlockReader::I16()
{
    uint8_t b[2];
    Block(b, 2);
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
}

int32_t BlockReader::I32()
{
    uint8_t b[4];
    Block(b, 4);
    uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return static_cast<int32_t>(v);
}

double BlockReader::F64()
{
    return Doubles(1)[0];
}

size_t BlockReader::Count(int64_t value, int64_t max) const
{
    if (value < 0 || value > max)
        Fail();
    return static_cast<size_t>(value);
}

// The columns decode explicitly from little-endian bytes, whatever the host.
std::vector<int8_t> BlockReader::Int8s(size_t n)
{
    RequireBlock(n, 1);
    std::vector<int8_t> v(n);
    Block(v.data(), n);
    return v;
}

std::vector<int16_t> BlockReader::Int16s(size_t n)
{
    RequireBlock(n, 2);
    std::vector<uint8_t> b = Block(n * 2);
    std::vector<int16_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<int16_t>(static_cast<uint16_t>(b[2 * i] | (b[2 * i + 1] << 8)));
    return v;
}

std::vector<int32_t> BlockReader::Int32s(size_t n)
{
    RequireBlock(n, 4);
    std::vector<uint8_t> b = Block(n * 4);
    std::vector<int32_t> v(n);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = &b[4 * i];
        uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                     (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
        v[i] = static_cast<int32_t>(u);
    }
    return v;
}

std::vector<double> BlockReader::Doubles(size_t n)
{
    RequireBlock(n, 8);
    std::vector<uint8_t> b = Block(n * 8);
    std::vector<double> v(n);
    for (size_t i = 0; i < n; ++i) {
        uint64_t bits = 0;
        for (int k = 7; k >= 0; --k)
            bits = (bits << 8) | b[8 * i + static_cast<size_t>(k)];
        std::memcpy(&v[i], &bits, 8);
    }
    return v;
}

std::vector<double> BlockReader::FiniteDoubles(size_t n)
{
    std::vector<double> v = Doubles(n);
    for (double d : v) {
        if (!std::isfinite(d))
            Fail();
    }
    return v;
}

std::vector<std::string> BlockReader::Names(size_t n, size_t capacity, int16_t start)
{
    RequireBlock(n, capacity + 1);
    std::vector<uint8_t> b = Block(n * (capacity + 1));
    std::vector<std::string> names;
    if (!DecodeScrambledNames(b.data(), n, capacity, start, names))
        Fail();
    return names;
}

} // namespace cf
