// The input dialog's entry for a wall on one page; true when confirmed.
#pragma once

#include <functional>

namespace wd {

class TWall;

std::function<bool(TWall& wall, int page)>& WallEditor();

} // namespace wd
