#include "SearchCategories.h"

namespace SearchCategories {

// The table puts the categories with a window first, in this order.
int count()
{
    return CategoryTable::WindowCount();
}

const Category &at(int order)
{
    return CategoryTable::Rows()[size_t(order)];
}

int orderOf(QStringView typ)
{
    for (int i = 0; i < count(); ++i) {
        if (at(i).typ == typ)
            return i;
    }
    return -1;
}

} // namespace SearchCategories
