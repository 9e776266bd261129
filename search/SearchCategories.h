#pragma once

#include "CategoryTable.h"

#include <QStringView>

// The categories that are searched: those whose entries open in a window, in the order the
// Index shows its categories (illustrations, which it does not list, last), each with the
// field that names an entry (the first column of its Index list, or its window's caption) and
// the name the Index gives the category (both kinds of Polish art are one there).
namespace SearchCategories {

using Category = CategoryTable::Category;

int count();
const Category &at(int order);
// The category's place in the order, or -1 when it is not searched.
int orderOf(QStringView typ);

} // namespace SearchCategories
