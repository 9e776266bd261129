#pragma once

#include <QByteArray>
#include <QString>

// The BLAKE2b digest of a finished index file, kept in a small file beside it. It is written
// last, once the index is in place, so an index without a matching digest (cut short, changed
// on the disk, or left by a build that did not finish) is never trusted.
class SearchIndexDigest
{
public:
    static QString fileOf(const QString &indexPath);
    // False when the index cannot be read or the digest not written.
    static bool write(const QString &indexPath);
    static bool matches(const QString &indexPath);

private:
    // Hex; empty when the file cannot be read.
    static QByteArray of(const QString &path);
};
