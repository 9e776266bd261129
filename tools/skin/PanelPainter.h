#pragma once

#include "SkinLayout.h"

#include <QImage>

// Paints a fixed panel's background picture: the ground, plain trays under the buttons, a faint
// ornament, the title and captions, the names under the start page's emblem buttons, and a
// gold frame.
namespace PanelPainter {

QImage Paint(const SkinLayout::Panel &panel);

} // namespace PanelPainter
