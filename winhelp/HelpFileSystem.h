#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>

#include <functional>

class ByteReader;

// The file system inside a help file: a 16-byte header, then internal files, each behind a
// 9-byte header, found through a B+ tree directory. Construction checks every file's bounds
// and throws HelpFormatError for a damaged file.
class HelpFileSystem
{
public:
    explicit HelpFileSystem(QByteArray data);

    bool contains(const QByteArray &name) const { return m_files.contains(name); }
    // The bytes of an internal file, empty when there is no such file.
    QByteArrayView file(const QByteArray &name) const { return m_files.value(name); }
    QList<QByteArray> names() const { return m_files.keys(); }
    qsizetype size() const { return m_data.size(); }

    // Calls `entry` for every leaf entry of the B+ tree in `tree`, in key order; `entry` reads
    // one entry from the page. Pages that loop or lie outside the tree throw HelpFormatError.
    static void forEachLeafEntry(QByteArrayView tree, const char *what,
                                 const std::function<void(ByteReader &)> &entry);

private:
    QByteArray m_data;
    QHash<QByteArray, QByteArrayView> m_files;
};
