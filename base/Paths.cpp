#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QRegularExpression &separators()
{
    static const QRegularExpression pattern(QStringLiteral("[/\\\\]"));
    return pattern;
}

QString &bmpsOverride()
{
    static QString folder;
    return folder;
}

} // namespace

namespace Paths {

QString resolve(const QString &base, const QString &relative)
{
    QString path = QDir::fromNativeSeparators(base);
    for (const QString &part : relative.split(separators(), Qt::SkipEmptyParts)) {
        const QDir dir(path.isEmpty() ? QStringLiteral(".") : path);
        QString found = part;
        if (!QFileInfo::exists(dir.filePath(part))) {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
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

QString pictureInBmps(const QString &source)
{
    if (source.isEmpty() || source.startsWith(u'/') || source.startsWith(u'\\') ||
        (source.size() > 1 && source.at(1) == u':') ||
        source.split(separators()).contains(QStringLiteral("..")))
        return QString();
    const QString path = resolve(bmpsFolder(), source);
    return QFileInfo(path).isFile() ? path : QString();
}

QString bmpsFolder()
{
    const QString &folder = bmpsOverride();
    return folder.isEmpty()
               ? resolve(QCoreApplication::applicationDirPath(), QStringLiteral("bmps"))
               : folder;
}

void setBmpsFolder(const QString &folder)
{
    bmpsOverride() = folder;
}

QString withSeparator(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace Paths
