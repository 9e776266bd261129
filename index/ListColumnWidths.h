#pragma once

#include <QList>

class QTreeView;
class TIndexListModel;

// The widths the columns of an Index list need to show their captions and texts whole.
// Lists hold thousands of rows, so only the few longest texts of each column are measured,
// with the view's own delegate (font, margins, the row picture) and the header's size hint.
class ListColumnWidths
{
public:
    // How many of the longest texts of a column are measured: character counts only rank them.
    static constexpr int Sample = 8;
    // No column is made wider than this many average characters of the view's font.
    static constexpr int MaxCharacters = 45;

    // Per logical column: what the column needs, at least `design` (a design width of 0 or
    // less counts as none) and at most the cap or its design width, whichever is more.
    static QList<int> Measure(const QTreeView &view, const TIndexListModel &model,
                              const QList<int> &design);
};
