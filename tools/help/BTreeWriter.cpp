#include "BTreeWriter.h"

#include "ByteWriter.h"

#include <stdexcept>

namespace {

struct Page
{
    QByteArray entries;
    int count = 0;
    QByteArray firstKey;
    int firstChild = -1; // index pages: the page before all keys
};

} // namespace

QByteArray BTreeWriter::build(const QList<Entry> &entries, int pageSize, const char *structure,
                              bool directory)
{
    constexpr int LeafHeader = 8;
    constexpr int IndexHeader = 6;

    QList<Page> pages;
    pages.append(Page{});
    for (const Entry &entry : entries) {
        if (LeafHeader + entry.leaf.size() > pageSize)
            throw std::runtime_error("B+ tree entry larger than a page");
        if (LeafHeader + pages.last().entries.size() + entry.leaf.size() > pageSize)
            pages.append(Page{});
        Page &page = pages.last();
        if (page.count == 0)
            page.firstKey = entry.key;
        page.entries.append(entry.leaf);
        ++page.count;
    }
    const int leafCount = int(pages.size());

    // Index levels: each holds the first key of every child but its first.
    int levels = 1;
    int levelStart = 0;
    int levelEnd = leafCount;
    while (levelEnd - levelStart > 1) {
        const int next = int(pages.size());
        for (int child = levelStart; child < levelEnd; ++child) {
            const QByteArray indexEntry = pages[child].firstKey + QByteArray("\0\0", 2);
            if (int(pages.size()) == next ||
                IndexHeader + pages.last().entries.size() + indexEntry.size() > pageSize) {
                Page page;
                page.firstChild = child;
                page.firstKey = pages[child].firstKey;
                pages.append(page);
                continue;
            }
            ByteWriter w;
            w.raw(pages[child].firstKey);
            w.u16(quint32(child));
            pages.last().entries.append(w.bytes);
            ++pages.last().count;
        }
        levelStart = next;
        levelEnd = int(pages.size());
        ++levels;
    }

    ByteWriter out;
    out.u16(0x293B);
    out.u16(directory ? 0x0402 : 0x0002);
    out.u16(quint32(pageSize));
    QByteArray format(structure);
    format.resize(16, '\0');
    out.raw(format);
    out.u16(0);
    out.u16(0);
    out.u16(quint32(pages.size() - 1));
    out.u16(0xFFFF);
    out.u16(quint32(pages.size()));
    out.u16(quint32(levels));
    out.u32(quint32(entries.size()));
    for (int i = 0; i < pages.size(); ++i) {
        const Page &page = pages[i];
        ByteWriter p;
        const bool leaf = i < leafCount;
        const int header = leaf ? LeafHeader : IndexHeader;
        p.u16(quint32(pageSize - header - page.entries.size()));
        p.u16(quint32(page.count));
        if (leaf) {
            p.u16(i == 0 ? 0xFFFF : quint32(i - 1));
            p.u16(i + 1 == leafCount ? 0xFFFF : quint32(i + 1));
        } else {
            p.u16(quint32(page.firstChild));
        }
        p.raw(page.entries);
        p.bytes.resize(pageSize, '\0');
        out.raw(p.bytes);
    }
    return out.bytes;
}
