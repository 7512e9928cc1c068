#include "calcframe/scrambled.h"

#include "platform/error.h"

namespace cf {

int16_t NextScrambleCounter(int16_t counter)
{
    if (counter < scramble::kRangeLow || counter > scramble::kRangeHigh)
        return scramble::kWrap;
    return static_cast<int16_t>(counter + scramble::kStep);
}

bool DecodeScrambledNames(const uint8_t* data, size_t count, size_t capacity, int16_t start,
                          std::vector<std::string>& names)
{
    names.assign(count, std::string());
    int16_t counter = start;
    const size_t record = capacity + 1;
    for (size_t i = 0; i < count; ++i) {
        counter = NextScrambleCounter(counter);
        const uint8_t* p = data + i * record;
        size_t length = p[0];
        if (length > capacity)
            return false;
        std::string& name = names[i];
        name.resize(length);
        for (size_t j = 0; j < length; ++j)
            name[j] = static_cast<char>(static_cast<uint8_t>(p[1 + j] - static_cast<int>(j) - counter));
    }
    return true;
}

std::vector<uint8_t> EncodeScrambledNames(const std::vector<std::string>& names, size_t capacity, int16_t start)
{
    if (capacity > 255)
        sps::RaiseFmt("A name capacity of %zu exceeds 255 characters", capacity);
    std::vector<uint8_t> bytes;
    bytes.reserve(names.size() * (capacity + 1));
    int16_t counter = start;
    for (const std::string& name : names) {
        if (name.size() > capacity)
            sps::RaiseFmt("Name \"%s\" is longer than %zu characters", name.c_str(), capacity);
        counter = NextScrambleCounter(counter);
        bytes.push_back(static_cast<uint8_t>(name.size()));
        for (size_t j = 0; j < capacity; ++j) {
            uint8_t plain = j < name.size() ? static_cast<uint8_t>(name[j]) : static_cast<uint8_t>(' ');
            bytes.push_back(static_cast<uint8_t>(plain + static_cast<int>(j) + counter));
        }
    }
    return bytes;
}

} // namespace cf
