#include "corrosion/scrambled_text.h"

#include "platform/error.h"

namespace cr {

int TextPeriod(int environment)
{
    switch (environment) {
    case 0:
        return kTextPeriodAtmospheric;
    case 1:
        return kTextPeriodSoil;
    default:
        return kTextPeriodWater;
    }
}

uint8_t ScrambleTextByte(uint8_t plain, int position, int period)
{
    return static_cast<uint8_t>(plain + kTextBase + position % period);
}

uint8_t UnscrambleTextByte(uint8_t stored, int position, int period)
{
    return static_cast<uint8_t>(stored - kTextBase - position % period);
}

std::string ReadScrambledText(cf::BlockReader& in, int period)
{
    const int16_t n = in.I16();
    if (n <= 0)
        return std::string();
    const std::vector<uint8_t> bytes = in.Block(static_cast<size_t>(n));
    std::string text(bytes.size(), '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<char>(UnscrambleTextByte(bytes[i], static_cast<int>(i + 1), period));
    return text;
}

void WriteScrambledText(sps::ByteWriter& out, const std::string& text, int period)
{
    if (text.size() > 32767)
        sps::Raise("Description longer than 32767 characters: \"" + text.substr(0, 40) + "...\"");
    out.I16(static_cast<int16_t>(text.size()));
    for (size_t i = 0; i < text.size(); ++i)
        out.U8(ScrambleTextByte(static_cast<uint8_t>(text[i]), static_cast<int>(i + 1), period));
}

} // namespace cr
