#pragma once

#include <QByteArray>
#include <QList>

// Builds a B+ tree of the help file layout: leaf pages chained in key order and, when they are
// more than one, index pages above them up to a single root.
class BTreeWriter
{
public:
    struct Entry
    {
        QByteArray key;  // as an index page repeats it: the first field of the leaf entry
        QByteArray leaf; // the whole leaf entry, key included
    };

    // `entries` must be in key order. `structure` is the format string of the header.
    static QByteArray build(const QList<Entry> &entries, int pageSize, const char *structure,
                            bool directory);
};
