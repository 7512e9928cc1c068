#include "calcframe/gui/services.h"

#include "platform/gui/services.h"

#include <QCoreApplication>

namespace cf {

namespace {
std::string S(const QString& s) { return s.toStdString(); }
} // namespace

void MessageBeep(int type) { sps::MessageBeep(static_cast<unsigned>(type)); }

void ShowError(const QString& text)
{
    sps::ShowMessageBox("Error", S(text), sps::TMsgKind::Error, sps::TMsgButtons::OK);
}

void ShowFatalError(const QString& text)
{
    sps::ShowMessageBox(S(QCoreApplication::applicationName()), S(text), sps::TMsgKind::Error, sps::TMsgButtons::OK);
}

bool AskYesNoError(const QString& text)
{
    return sps::ShowMessageBox("Error", S(text), sps::TMsgKind::Error, sps::TMsgButtons::YesNo) ==
           sps::TMsgResult::Yes;
}

QString OpenFile(const OpenFileOptions& o)
{
    sps::TFileDialogParams p;
    p.title = S(o.title);
    p.filter = S(o.filter);
    p.initialDir = S(o.initialDir);
    p.fileName = S(o.fileName);
    return QString::fromStdString(sps::OpenFileDialog(p));
}

} // namespace cf
