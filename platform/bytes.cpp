#include "platform/bytes.h"

#include "platform/error.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        RaiseFmt("Cannot open file \"%s\". %s", path.c_str(), std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        RaiseFmt("Read error on file \"%s\"", path.c_str());
    return bytes;
}

void WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string tmp = path + ".tmp~";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        RaiseFmt("Cannot create file \"%s\". %s", path.c_str(), std::strerror(errno));
    size_t done = 0;
    bool ok = true;
    int err = 0;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            err = errno;
            break;
        }
        done += static_cast<size_t>(w);
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        RaiseFmt("Cannot write file \"%s\". %s", path.c_str(), std::strerror(err));
    }
}

} // namespace sps
