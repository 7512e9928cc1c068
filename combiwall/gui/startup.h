// How Kestrane starts: its title, splash window, main form and about box.
#pragma once

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/startup.h"
#include "combiwall/gui/form.h"

namespace cw {

// Kestrane's about box: the frame's about box with Kestrane's caption,
// version line, picture and credit hint.
class TKestraneAboutBox : public cf::TAboutBox {
public:
    explicit TKestraneAboutBox(QWidget* owner);
};

cf::StartupConfig KestraneStartup(const FormPaths& paths);

} // namespace cw
