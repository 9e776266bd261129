#include "SkinPainter.h"

#include "CalendarIcons.h"
#include "GlyphStrip.h"
#include "PanelPainter.h"
#include "SkinLayout.h"
#include "SkinPalette.h"

namespace SkinPainter {

QList<SkinPicture> Paint()
{
    QList<SkinPicture> pictures;
    for (const SkinLayout::Panel &panel : SkinLayout::Panels()) {
        pictures.append({panel.background, panel.fileName, PanelPainter::Paint(panel)});
        for (const SkinLayout::Button &button : panel.buttons) {
            const GlyphStrip::FacePainter face = button.emblem == Emblem::None
                                                     ? GlyphStrip::Plate(button.label)
                                                     : GlyphStrip::Medallion(button.emblem);
            // Every button stands on a plain tray, so its soft edge is blended with the tray.
            pictures.append(
                {button.name, button.name.toLower() + panel.glyphSuffix,
                 GlyphStrip::Paint(button.rect.size(), QColor(SkinPalette::Tray), face)});
        }
    }
    pictures.append(CalendarIcons::Pictures());
    return pictures;
}

} // namespace SkinPainter
