#include "HelpFileSystem.h"

#include "ByteReader.h"
#include "HelpFormatError.h"

#include <QSet>
#include <QString>

namespace {

constexpr quint32 FileMagic = 0x00035F3F;
constexpr quint16 TreeMagic = 0x293B;
constexpr int TreeHeaderSize = 38;

// The used bytes of the internal file whose header is at `offset`.
QByteArrayView internalFile(QByteArrayView data, qint64 offset, const QByteArray &name)
{
    const QByteArray what = name.isEmpty() ? QByteArrayLiteral("directory") : name;
    ByteReader reader(data, what.constData());
    reader.seek(offset);
    const quint32 reserved = reader.u32();
    const quint32 used = reader.u32();
    reader.u8();
    if (qint64(reserved) < qint64(used) + 9)
        throw HelpFormatError(QStringLiteral("%1: used space %2 exceeds reserved space %3")
                                  .arg(QString::fromLatin1(what))
                                  .arg(used)
                                  .arg(reserved));
    if (qint64(used) > reader.remaining())
        throw HelpFormatError(
            QStringLiteral("%1: file of %2 bytes runs past the end of the help file")
                .arg(QString::fromLatin1(what))
                .arg(used));
    return data.sliced(reader.pos(), qsizetype(used));
}

} // namespace

HelpFileSystem::HelpFileSystem(QByteArray data) : m_data(std::move(data))
{
    ByteReader header(m_data, "help file header");
    if (header.u32() != FileMagic)
        throw HelpFormatError(QStringLiteral("not a help file (wrong magic number)"));
    const qint32 directoryStart = header.i32();
    header.skip(8);
    if (directoryStart < 16 || directoryStart >= m_data.size())
        throw HelpFormatError(
            QStringLiteral("directory offset %1 past the end of the file").arg(directoryStart));

    const QByteArrayView directory = internalFile(m_data, directoryStart, {});
    forEachLeafEntry(directory, "directory", [this](ByteReader &entry) {
        const QByteArray name = entry.zstring();
        const qint32 offset = entry.i32();
        if (offset < 16 || offset >= m_data.size())
            throw HelpFormatError(QStringLiteral("%1: offset %2 past the end of the file")
                                      .arg(QString::fromLatin1(name))
                                      .arg(offset));
        m_files.insert(name, internalFile(m_data, offset, name));
    });
}

void HelpFileSystem::forEachLeafEntry(QByteArrayView tree, const char *what,
                                      const std::function<void(ByteReader &)> &entry)
{
    ByteReader header(tree, what);
    if (header.remaining() < TreeHeaderSize || header.u16() != TreeMagic)
        header.fail(QStringLiteral("not a B+ tree"));
    header.u16();
    const int pageSize = header.u16();
    header.skip(16 + 2 + 2);
    const int rootPage = header.i16();
    header.skip(2);
    const int totalPages = header.i16();
    const int levels = header.i16();
    const qint64 totalEntries = header.i32();
    if (pageSize < 8 || totalPages < 0 || qint64(pageSize) * totalPages > header.remaining())
        header.fail(QStringLiteral("B+ tree pages run past the end of the file"));
    if (levels < 0 || levels > totalPages)
        header.fail(
            QStringLiteral("B+ tree has %1 levels in %2 pages").arg(levels).arg(totalPages));
    if (totalEntries == 0 || levels == 0)
        return;

    const auto page = [&](int number) {
        if (number < 0 || number >= totalPages)
            header.fail(QStringLiteral("B+ tree page %1 outside the tree (%2 pages)")
                            .arg(number)
                            .arg(totalPages));
        return tree.sliced(TreeHeaderSize + qsizetype(number) * pageSize, pageSize);
    };

    QSet<int> seen;
    int current = rootPage;
    for (int level = 1; level < levels; ++level) {
        if (seen.contains(current))
            header.fail(QStringLiteral("B+ tree pages loop at page %1").arg(current));
        seen.insert(current);
        ByteReader index(page(current), what);
        index.skip(4);
        current = index.i16();
    }
    qint64 count = 0;
    while (current != -1) {
        if (seen.contains(current))
            header.fail(QStringLiteral("B+ tree pages loop at page %1").arg(current));
        seen.insert(current);
        ByteReader leaf(page(current), what);
        leaf.skip(2);
        const int entries = leaf.i16();
        leaf.skip(2);
        const int next = leaf.i16();
        if (entries < 0)
            leaf.fail(QStringLiteral("negative entry count in B+ tree page %1").arg(current));
        for (int i = 0; i < entries; ++i)
            entry(leaf);
        count += entries;
        if (count > totalEntries)
            leaf.fail(QStringLiteral("B+ tree holds more entries than its header's %1")
                          .arg(totalEntries));
        current = next;
    }
}
