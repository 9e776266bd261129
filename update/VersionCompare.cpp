#include "VersionCompare.h"

#include <QStringList>

#include <algorithm>

namespace VersionCompare {

bool IsUpdate(const QString &current, const QString &offered)
{
    const QStringList mine = current.split(u'.');
    const QStringList theirs = offered.split(u'.');
    const auto part = [](const QStringList &parts, qsizetype i) {
        bool ok = false;
        const qint64 value = parts.value(i).trimmed().toLongLong(&ok);
        return ok ? value : 0;
    };
    for (qsizetype i = 0; i < std::max(mine.size(), theirs.size()); ++i) {
        const qint64 a = part(mine, i), b = part(theirs, i);
        if (a != b)
            return a < b;
    }
    return false;
}

} // namespace VersionCompare
