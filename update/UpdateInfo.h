#pragma once

#include <QByteArray>
#include <QString>

// The values an update-information file offers. Only lines that hold "META HTTP-EQUIV" (in
// any letter case) count, each of the shape
//   META HTTP-EQUIV="tag" ... CONTENT="value"
// with "CONTENT=" in capitals and the tag name matched exactly; the last line of a tag wins.
struct UpdateInfo
{
    QString Version;  // "dfs-version"
    QString Url;      // "dfs-url"
    QString ReadMe;   // "dfs-readme"
    QString Redirect; // "dfs-redirect"

    static UpdateInfo Parse(const QByteArray &file);

    // The last segment of the download address's path, decoded: the name the file is offered
    // under. The query and the fragment never count.
    QString FileName() const;
    // False for names that could reach beyond the folder chosen or hide there: empty, starting
    // with a dot, holding a slash, a backslash or a control character.
    static bool IsSafeFileName(const QString &name);
};
