#include "platform/canvas.h"

#include <cmath>
#include <ctime>

namespace sps {

TBitmap::TBitmap(int width, int height, std::vector<TColor> pixels)
{
    if (width > 0 && height > 0 && pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height)) {
        width_ = width;
        height_ = height;
        pixels_ = std::move(pixels);
    }
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const
{
    if (!GetEmpty())
        canvas.StretchDraw(rect, *this);
}

int TCanvas::CharHeightOf(const TFont& font) const
{
    return static_cast<int>(std::nearbyint(static_cast<double>(font.Size) * PixelsPerInch() / 72.0));
}

int TCanvas::CharHeight() const { return CharHeightOf(Font); }

std::string TPrinter::ShortDate() const
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &local);
    return buf;
}

} // namespace sps
