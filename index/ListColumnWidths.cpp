#include "ListColumnWidths.h"

#include "TIndexListModel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <vector>

QList<int> ListColumnWidths::Measure(const QTreeView &view, const TIndexListModel &model,
                                     const QList<int> &design)
{
    const int rows = model.rowCount();
    const int cap = MaxCharacters * view.fontMetrics().averageCharWidth();
    std::vector<int> order(size_t(rows), 0);
    QList<int> widths;
    for (int column = 0; column < model.columnCount(); ++column) {
        const int least = std::max(design.value(column), 0);
        int need = view.header()->sectionSizeHint(column);
        for (int r = 0; r < rows; ++r)
            order[size_t(r)] = r;
        const auto length = [&](int r) { return model.RowAt(r).texts.value(column).size(); };
        const auto sampled = order.begin() + std::min<int>(Sample, rows);
        std::partial_sort(order.begin(), sampled, order.end(),
                          [&](int a, int b) { return length(a) > length(b); });
        for (auto it = order.begin(); it != sampled; ++it)
            need = std::max(need, view.sizeHintForIndex(model.index(*it, column)).width());
        widths.append(std::max(least, std::min(need, cap)));
    }
    return widths;
}
