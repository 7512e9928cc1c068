#include "walldesign/ui/walleditor.h"

namespace wd {

std::function<bool(TWall& wall, int page)>& WallEditor()
{
    static std::function<bool(TWall& wall, int page)> editor;
    return editor;
}

} // namespace wd
