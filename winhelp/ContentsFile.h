#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The .CNT file that lies beside a help file: the tree of its contents tab. Lines are
// ":Command value" settings, "LEVEL Heading" or "LEVEL Title=context[@file][>window]".
class ContentsFile
{
public:
    struct Entry
    {
        int level = 1;
        QString title;
        QByteArray context; // empty for a heading
    };

    // Parses the text of a .CNT file, decoded with `codec`; lines it does not know are skipped.
    static ContentsFile parse(const QByteArray &bytes, const char *codec);

    QString title() const { return m_title; }
    const QList<Entry> &entries() const { return m_entries; }

private:
    QString m_title;
    QList<Entry> m_entries;
};
