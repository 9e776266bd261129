#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The skin's picture list, "Imglst.lst": Windows-1250 lines "ComponentName=picture-file".
// A line without "=" or without a name is left out; names and file names are trimmed, and
// the file name is taken as written (the caller keeps it inside the skin folder).
class SkinImageList
{
public:
    struct Entry
    {
        QString component;
        QString picture;
    };

    explicit SkinImageList(const QByteArray &bytes);

    const QList<Entry> &entries() const { return m_entries; }

private:
    QList<Entry> m_entries;
};
