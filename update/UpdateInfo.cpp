#include "UpdateInfo.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>

UpdateInfo UpdateInfo::Parse(const QByteArray &file)
{
    UpdateInfo info;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    static const QString equiv = QStringLiteral("META HTTP-EQUIV=\"");
    static const QString content = QStringLiteral("CONTENT=\"");
    for (const QString &line : QString::fromLatin1(file).split(lineBreak)) {
        const qsizetype at = line.indexOf(equiv, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        const qsizetype nameStart = at + equiv.size();
        const qsizetype nameEnd = line.indexOf(u'"', nameStart);
        if (nameEnd < 0)
            continue;
        const qsizetype valueStart = line.indexOf(content, nameEnd + 1, Qt::CaseSensitive);
        if (valueStart < 0)
            continue;
        const qsizetype valueEnd = line.indexOf(u'"', valueStart + content.size());
        if (valueEnd < 0)
            continue;
        const QString name = line.mid(nameStart, nameEnd - nameStart);
        const QString value =
            line.mid(valueStart + content.size(), valueEnd - valueStart - content.size());
        if (name == u"dfs-version")
            info.Version = value;
        else if (name == u"dfs-url")
            info.Url = value;
        else if (name == u"dfs-readme")
            info.ReadMe = value;
        else if (name == u"dfs-redirect")
            info.Redirect = value;
    }
    return info;
}

QString UpdateInfo::FileName() const
{
    const QString path = QUrl(Url).path(QUrl::FullyEncoded);
    return QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(u'/') + 1).toLatin1());
}

bool UpdateInfo::IsSafeFileName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control ||
               c.category() == QChar::Other_Format;
    });
}
