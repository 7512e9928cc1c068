#include "platform/process.h"

#include <csignal>

namespace sps {

void PrepareProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace sps
