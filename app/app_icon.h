#pragma once

#include <QIcon>

namespace app {

/// The program's icon, for the window system: its drawing, from SVG, when Qt
/// can read SVG, otherwise PNG renderings of it at 16, 32 and 64 pixels.
/// Needs the QApplication.
QIcon applicationIcon();

} // namespace app
