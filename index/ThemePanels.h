#pragma once

#include "TIndexThemePage.h"

// The thematic panels of the Index: their buttons and the overview entries the buttons open.
namespace ThemePanels {

// Nine buttons opening the overviews of the literary epochs.
TIndexThemePage::Definition Epochs();
// Four buttons opening the overviews of the literary kinds.
TIndexThemePage::Definition Kinds();
// Six buttons opening the overviews of the periods of Polish art.
TIndexThemePage::Definition Art();

} // namespace ThemePanels
