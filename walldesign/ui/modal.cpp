#include "walldesign/ui/modal.h"

#include <QDialog>

namespace wd {

namespace {

TModalFunction& Override()
{
    static TModalFunction run;
    return run;
}

} // namespace

int ExecModal(QDialog& dialog)
{
    if (Override())
        return Override()(dialog);
    return dialog.exec();
}

TModalOverride::TModalOverride(TModalFunction run) : saved_(std::move(Override()))
{
    Override() = std::move(run);
}

TModalOverride::~TModalOverride()
{
    Override() = std::move(saved_);
}

} // namespace wd
