#include "app_icon.h"

namespace app {

namespace {

QIcon fromRenderings()
{
    QIcon icon;
    for (const int size : {16, 32, 64})
        icon.addFile(QStringLiteral(":/icons/wavywall-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

QIcon applicationIcon()
{
    // Qt reads SVG only through the plugins of its SVG module, which a system
    // may lack; the icon then has no pixmaps at all.
    const QIcon drawing(QStringLiteral(":/icons/wavywall.svg"));
    if (!drawing.pixmap(QSize(16, 16)).isNull())
        return drawing;
    return fromRenderings();
}

} // namespace app
