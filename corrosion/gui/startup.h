// How Rovandel starts: its title, splash picture, main form, about box and
// the focus on the bending moment field before the splash window takes it.
#pragma once

#include "calcframe/gui/startup.h"
#include "corrosion/gui/form.h"

namespace rv {

cf::StartupConfig RovandelStartup(const FormPaths& paths);

} // namespace rv
