#pragma once

#include <climits>

class QWidget;

namespace ui {

/// Widens a label whose text does not fit its box to the right, so that the
/// whole text shows, but not past rightEdge (in its container's coordinates);
/// nothing else moves.
void widenToFitText(QWidget* label, int rightEdge = INT_MAX);

} // namespace ui
