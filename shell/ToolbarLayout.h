#pragma once

#include "SettingsStore.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

class QMainWindow;
class QToolBar;

// Maps the stored toolbar layout onto a main window's toolbar areas. The docks are named
// "Dock971" (top), "Dock972" (bottom), "Dock973" (left) and "Dock974" (right); "+" marks a
// floating toolbar.
namespace ToolbarLayout {

// The toolbars to place, each with its stored placement (nothing: keep the design position).
using Stored = QList<std::pair<QToolBar *, std::optional<ToolbarPlacement>>>;

// Puts each toolbar where its placement says: shown or hidden, floating at its screen position
// (kept on a screen) with its item left in the last dock, or docked in a line (row) of an area,
// ordered along the line by offset. Rows are counted from the window edge; Qt packs the toolbars
// of a line, so an offset moves a toolbar only further along, never over the one before it.
// An empty or unknown dock leaves the toolbar in its place.
void restore(QMainWindow &window, const Stored &toolbars);

// The placement of a toolbar of the window as it is laid out now (revision 3).
ToolbarPlacement capture(const QMainWindow &window, const QToolBar &toolbar);

} // namespace ToolbarLayout
