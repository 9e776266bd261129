#pragma once

#include <QString>
#include <QUrl>

// Names under which a prepared page refers to its pictures: the images of img elements and
// the pictures of form controls (which are also the targets of the links around them).
namespace PageResources {

inline constexpr QStringView imageScheme = u"verbarium-image";
inline constexpr QStringView formScheme = u"verbarium-form";

inline QString name(QStringView scheme, int index)
{
    return scheme.toString() + u':' + QString::number(index);
}

// The index in a name of the scheme, or -1.
inline int indexIn(const QUrl &url, QStringView scheme)
{
    if (url.scheme() != scheme)
        return -1;
    bool ok = false;
    const int index = url.path().toInt(&ok);
    return ok && index >= 0 ? index : -1;
}

inline int indexIn(const QString &name, QStringView scheme)
{
    return indexIn(QUrl(name), scheme);
}

} // namespace PageResources
