#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>

#include <memory>
#include <string_view>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcContainer)

// Reader of the container file: a 4-byte table position T, the entry data, then at T the
// entry count and the table records (name length, name, data offset). Entry sizes follow
// from the stored order. The table is loaded and checked once; every read afterwards is one
// in-memory search and one read of exactly the entry's bytes.
//
// Names are single-byte Windows-1250 text and are looked up without regard to letter case,
// for ASCII and for the letters of the code page alike. When a file holds the same name
// twice, a lookup finds the first one in stored order.
class TSimplePSS
{
public:
    struct Entry
    {
        QByteArray name;
        qint32 offset = 0;
        qint32 size = 0;
    };

    // Opens the file read-only and loads its table. Throws ContentError when the file
    // cannot be opened or read, or when its table is damaged.
    explicit TSimplePSS(const QString &path);
    // The same over a container held in memory; `label` names it in error messages.
    TSimplePSS(const QByteArray &data, const QString &label);
    ~TSimplePSS();

    TSimplePSS(const TSimplePSS &) = delete;
    TSimplePSS &operator=(const TSimplePSS &) = delete;

    // Copies the entry's bytes into `stream` from position 0 on (the stream is not
    // truncated: callers pass an empty one). Returns false, leaving `stream` untouched,
    // when no entry has that name. Throws ContentError when the file cannot be read.
    bool ReadEntry(QByteArrayView name, QByteArray &stream);

    // The entries in stored order.
    int count() const { return int(m_entries.size()); }
    Entry entryAt(int index) const;

    qint32 lastEntrySize() const { return m_lastEntrySize; }
    const QString &fileName() const { return m_fileName; }

private:
    class Source;
    class FileSource;
    class BufferSource;

    struct Record
    {
        quint32 nameStart;
        quint32 nameLength;
        qint32 offset;
        qint32 size;
    };
    struct SortedName
    {
        std::string_view folded;
        quint32 index;
    };

    void loadTable();
    [[noreturn]] void damaged(const QString &what) const;
    const Record *find(QByteArrayView name) const;

    QString m_fileName;
    std::unique_ptr<Source> m_source;
    QByteArray m_names;  // every name, in stored order, back to back
    QByteArray m_folded; // the same bytes folded to one letter case
    std::vector<Record> m_entries;
    std::vector<SortedName> m_sorted;
    qint32 m_lastEntrySize = 0;
};
