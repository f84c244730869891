#include "label_fit.h"

#include <QLabel>

#include <algorithm>

namespace ui {

void widenToFitText(QWidget* widget, int rightEdge)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label)
        return;
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    const int room = rightEdge == INT_MAX ? INT_MAX : rightEdge - label->x();
    if (needed > label->width())
        label->resize(std::max(label->width(), std::min(needed, room)), label->height());
}

} // namespace ui
