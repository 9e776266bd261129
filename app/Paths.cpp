#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Paths {

QString resolve(const QString &base, const QString &relative)
{
    QString path = QDir::fromNativeSeparators(base);
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    for (const QString &part : relative.split(separators, Qt::SkipEmptyParts)) {
        const QDir dir(path.isEmpty() ? QStringLiteral(".") : path);
        QString found = part;
        if (!QFileInfo::exists(dir.filePath(part))) {
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        path = path.isEmpty() ? found : withSeparator(path) + found;
    }
    return path;
}

QString withSeparator(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace Paths
