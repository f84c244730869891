#pragma once

#include "plot_surface.h"

#include <QColor>

namespace ui {

inline QColor toQColor(flow::Colour c)
{
    return QColor(int(flow::redOf(c)), int(flow::greenOf(c)), int(flow::blueOf(c)));
}

} // namespace ui
