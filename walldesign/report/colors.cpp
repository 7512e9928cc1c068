#include "walldesign/report/colors.h"

namespace wd {

TDrawingColors& DrawingColors()
{
    static TDrawingColors colors;
    return colors;
}

} // namespace wd
