#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The trusted comment of a release's signature, "verbarium VERSION FILE": signed together with
// the file, it binds the signature to the version and file name the release was made as, so
// an old signed file cannot be offered as a newer one.
struct ReleaseComment
{
    QString Version;
    QString FileName;

    // Nothing unless the comment has exactly that shape: single spaces, a dotted version of
    // digits and a file name without spaces.
    static std::optional<ReleaseComment> Parse(const QByteArray &comment);
};
