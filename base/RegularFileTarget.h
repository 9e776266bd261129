#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Tells, without opening anything, whether a path may be read and replaced as a regular file.
// A device, a FIFO, a folder or a link to nothing is never to be opened or replaced: reading a
// FIFO blocks for ever, and replacing a device or a folder destroys what was there.
class RegularFileTarget
{
public:
    enum class State {
        Missing, // nothing at the path; a file may be made there
        Regular, // a regular file, or a chain of symbolic links that ends at one
        Other,   // anything else, a link to nothing included
    };

    static State Check(const QString &path);
    // The contents of a regular file of at most `maxSize` bytes; nothing for anything else, which
    // is not waited on (a FIFO opens without blocking and is refused).
    static std::optional<QByteArray> Read(const QString &path, qint64 maxSize);
};
