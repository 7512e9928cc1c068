#include "platform/gui/locale.h"

#include "platform/numtext.h"

#include <QLocale>

namespace sps {

void UseLocaleDecimalSeparator()
{
    QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128)
        SetDecimalSeparator(point.at(0).toLatin1());
}

} // namespace sps
