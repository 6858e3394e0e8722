#include "appicon.h"

const QIcon &appIcon()
{
    static const QIcon icon(QStringLiteral(":/icons/menvori.png"));
    return icon;
}
