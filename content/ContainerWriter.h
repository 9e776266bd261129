#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Writes a container: the table position, the entry data in table order and contiguous,
// then the table. Names are Windows-1250 bytes, written as given.
class ContainerWriter
{
public:
    void add(const QByteArray &name, const QByteArray &data);
    int count() const { return int(m_entries.size()); }

    // Fails (with `error` set) when the data would not fit the format's 32-bit offsets.
    bool write(QIODevice &device, QString *error = nullptr) const;
    bool write(const QString &path, QString *error = nullptr) const;
    QByteArray toBytes() const;

private:
    struct Entry
    {
        QByteArray name;
        QByteArray data;
    };
    QList<Entry> m_entries;
};

// Builds the bytes of the item index entry "L197\UnidX": a count, then 55-byte records of
// three length-prefixed strings (Unid 32, Typ 10, Numer 10 bytes at most).
class ItemIndexWriter
{
public:
    // Returns false, adding nothing, when a field is longer than its width.
    bool add(const QByteArray &unid, const QByteArray &typ, const QByteArray &numer);
    int count() const { return m_count; }
    QByteArray toBytes() const;

private:
    QByteArray m_records;
    int m_count = 0;
};
