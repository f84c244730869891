#pragma once

#include "colour.h"

#include <QColor>

namespace ui {

/// The program's 0x00BBGGRR colour as Qt's colour.
inline QColor toQColor(flow::Colour c)
{
    return QColor(int(flow::redOf(c)), int(flow::greenOf(c)), int(flow::blueOf(c)));
}

} // namespace ui
