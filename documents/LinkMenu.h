#pragma once

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QToolButton;
class QWidget;
class TLinkList;
class TPSSDirectory;

// The dropdown menu of a related-entries button.
namespace LinkMenu {

// Parses the value into the list and makes the button a dropdown of the linked entries,
// captioned by the caption field of each entry's field list (cut to 40 characters plus "..."),
// tagged (QAction::data) with the link's index, with the hint caption field + ": " + value, and
// sorted by caption; entries whose field list cannot be read get no item. With no links the
// button is hidden. The menu and its items belong to the window; choosing an item calls the
// handler with it. Pressing the button then only drops the menu down: whatever its clicked
// signal was connected to is disconnected.
void BuildMenu(TLinkList &links, const QString &typ, const QString &value,
               const std::function<void(QAction *)> &handler, QWidget *window,
               const QString &captionField, QToolButton *button, TPSSDirectory &directory);

// Bubble passes until nothing moves, by CaptionLess: equal captions keep their order.
void SortMenuByCaption(QMenu *menu);

} // namespace LinkMenu
