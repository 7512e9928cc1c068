#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"

namespace wd {

std::unique_ptr<TReport> TWall::BuildReport()
{
    return std::make_unique<TReport>();
}

} // namespace wd
