#pragma once

class QPainter;
class QRect;

// The focus frame of the picture buttons: dark and light dashes side by side, so it reads
// on any picture and any ground, where a style's own frame may vanish on a dark bar.
namespace FocusFrame {

void Paint(QPainter &painter, const QRect &buttonRect);

} // namespace FocusFrame
