#include "HelpFileWriter.h"

#include "BTreeWriter.h"
#include "ByteWriter.h"
#include "ContextHash.h"
#include "Lz77.h"
#include "PhraseBuilder.h"

#include <QMap>
#include <QStringEncoder>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

constexpr qint64 BlockSpan = 0x4000;
constexpr quint32 OffsetSpan = 0x8000;
constexpr int LinkHeader = 21;
constexpr int BlockHeader = 12;

const char *codecFor(int charset)
{
    return charset == 238 ? "windows-1250" : "windows-1252";
}

QByteArray runLengths(QByteArrayView data)
{
    QByteArray out;
    qsizetype i = 0;
    while (i < data.size()) {
        qsizetype run = 1;
        while (run < 127 && i + run < data.size() && data[i + run] == data[i])
            ++run;
        if (run >= 3) {
            out.append(char(run));
            out.append(data[i]);
            i += run;
            continue;
        }
        qsizetype literal = 0;
        while (literal < 127 && i + literal < data.size() &&
               !(i + literal + 2 < data.size() && data[i + literal] == data[i + literal + 1] &&
                 data[i + literal] == data[i + literal + 2]))
            ++literal;
        literal = qMax<qsizetype>(literal, 1);
        out.append(char(0x80 | literal));
        out.append(data.sliced(i, literal));
        i += literal;
    }
    return out;
}

// LZ77 data that copies nothing: a zero flag byte before every eight bytes.
QByteArray literalsOnly(QByteArrayView data)
{
    QByteArray out;
    for (qsizetype i = 0; i < data.size(); i += 8) {
        out.append('\0');
        out.append(data.sliced(i, qMin<qsizetype>(8, data.size() - i)));
    }
    return out;
}

QByteArray contextMapFile(const QMap<qint32, quint32> &numbers)
{
    ByteWriter map;
    map.u16(quint32(numbers.size()));
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it) {
        map.u32(quint32(it.key()));
        map.u32(it.value());
    }
    return map.bytes;
}

// The file system: header, the files, then the directory that finds them.
QByteArray fileSystem(const QMap<QByteArray, QByteArray> &files)
{
    ByteWriter out;
    out.u32(0x00035F3F);
    out.u32(0);
    out.u32(0xFFFFFFFF);
    out.u32(0);
    QList<BTreeWriter::Entry> directory;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        ByteWriter leaf;
        leaf.zstring(it.key());
        leaf.u32(quint32(out.bytes.size()));
        directory.append({it.key() + QByteArray(1, '\0'), leaf.bytes});
        out.u32(quint32(it.value().size() + 9));
        out.u32(quint32(it.value().size()));
        out.u8(0x04);
        out.raw(it.value());
    }
    const QByteArray tree = BTreeWriter::build(directory, 1024, "z4", true);
    const quint32 directoryStart = quint32(out.bytes.size());
    out.u32(quint32(tree.size() + 9));
    out.u32(quint32(tree.size()));
    out.u8(0x04);
    out.raw(tree);
    QByteArray bytes = out.bytes;
    const auto put = [&bytes](int at, quint32 v) {
        for (int k = 0; k < 4; ++k)
            bytes[at + k] = char((v >> (8 * k)) & 0xFF);
    };
    put(4, directoryStart);
    put(12, quint32(bytes.size()));
    return bytes;
}

} // namespace

struct HelpFileWriter::Layout
{
    struct Record
    {
        QByteArray bytes;
        bool header = false;
        int topic = 0;
        quint32 textLength = 0;
    };
    QList<Record> records;
    QList<qsizetype> starts;     // of each record in the stream
    QList<qsizetype> blocks;     // stream index where each topic block begins
    QList<quint32> topicOffsets; // TOPICOFFSET of each topic
    qint64 span = BlockSpan;     // TOPICPOS units per block: 16 KB, or the block size in 3.0 files

    void append(const QByteArray &bytes, bool header, int topic, quint32 textLength)
    {
        starts.append(records.isEmpty() ? 0
                                        : starts.constLast() + records.constLast().bytes.size());
        records.append({bytes, header, topic, textLength});
    }

    qint64 topicPos(qsizetype index) const
    {
        const auto it = std::upper_bound(blocks.cbegin(), blocks.cend(), index);
        const qsizetype block = (it - blocks.cbegin()) - 1;
        return block * span + (index - blocks.at(block)) + BlockHeader;
    }
};

HelpFileWriter::HelpFileWriter(const Options &options)
    : m_options(options), m_codec(codecFor(options.charset))
{
}

int HelpFileWriter::addFont(const HelpFont &font)
{
    m_fonts.append(font);
    return int(m_fonts.size() - 1);
}

int HelpFileWriter::addPicture(int width, int height, const QList<quint32> &pixels)
{
    const qsizetype stride = (qsizetype(width) * 3 + 3) / 4 * 4;
    QByteArray bits(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        char *line = bits.data() + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const quint32 p = pixels.at(qsizetype(y) * width + x);
            line[3 * x] = char(p & 0xFF);
            line[3 * x + 1] = char((p >> 8) & 0xFF);
            line[3 * x + 2] = char((p >> 16) & 0xFF);
        }
    }
    QByteArray packed = bits;
    if (m_options.picturePacking == 1)
        packed = runLengths(bits);
    else if (m_options.picturePacking == 2)
        packed = Lz77::compress(bits);

    ByteWriter head;
    head.u8(6);
    head.u8(quint32(m_options.picturePacking));
    head.compressedULong(96);
    head.compressedULong(96);
    head.compressedUShort(1);
    head.compressedUShort(24);
    head.compressedULong(quint32(width));
    head.compressedULong(quint32(height));
    head.compressedULong(0);
    head.compressedULong(0);
    head.compressedULong(quint32(packed.size()));
    head.compressedULong(0);
    const quint32 dataOffset = quint32(head.bytes.size() + 8);
    head.u32(dataOffset);
    head.u32(0);

    ByteWriter file;
    file.u16(0x506C);
    file.u16(1);
    file.u32(8);
    file.raw(head.bytes);
    file.raw(packed);
    m_pictures.append(file.bytes);
    return int(m_pictures.size() - 1);
}

HelpTopicBuilder &HelpFileWriter::addTopic(const QString &title,
                                           const QList<QByteArray> &contextNames,
                                           const QList<qint32> &contextNumbers)
{
    m_topics.append(std::make_shared<HelpTopicBuilder>(title, contextNames, contextNumbers,
                                                       m_codec.constData()));
    return *m_topics.last();
}

QByteArray HelpFileWriter::build() const
{
    checkOptions();
    const std::unique_ptr<PhraseBuilder> phrases = phraseBuilder();
    Layout layout = topicRecords(phrases.get());
    QMap<QByteArray, QByteArray> files;
    files.insert(QByteArrayLiteral("|TOPIC"), topicFile(layout));
    const ContextMaps maps = contextMaps(layout.topicOffsets);
    files.insert(QByteArrayLiteral("|SYSTEM"), systemFile(maps.contents));
    files.insert(QByteArrayLiteral("|FONT"), fontFile());
    // 3.0 files find topics by number through |TOMAP, not by these maps.
    if (!before31()) {
        files.insert(QByteArrayLiteral("|CONTEXT"), contextFile(maps.names));
        files.insert(QByteArrayLiteral("|CTXOMAP"), contextMapFile(maps.numbers));
        files.insert(QByteArrayLiteral("|TTLBTREE"), titleFile(layout.topicOffsets));
    }
    if (phrases)
        for (const auto &[name, data] : phrases->files(before31()))
            files.insert(name, data);
    for (int i = 0; i < m_pictures.size(); ++i)
        files.insert((before31() ? QByteArrayLiteral("bm") : QByteArrayLiteral("|bm")) +
                         QByteArray::number(i),
                     m_pictures[i]);
    return fileSystem(files);
}

void HelpFileWriter::checkOptions() const
{
    if (m_topics.isEmpty())
        throw std::runtime_error("a help file needs at least one topic");
    if (before31() && (m_options.lz77 || m_options.phrases == PhraseTable::Hall))
        throw std::runtime_error("3.0 files have neither LZ77 nor Hall phrases");
}

// The phrases are chosen from the text of every record; none when the options want none.
std::unique_ptr<PhraseBuilder> HelpFileWriter::phraseBuilder() const
{
    if (m_options.phrases == PhraseTable::None)
        return nullptr;
    QList<QByteArray> texts;
    for (const auto &topic : m_topics)
        for (const HelpTopicBuilder::Record &record : topic->records())
            texts.append(record.text);
    return std::make_unique<PhraseBuilder>(m_options.phrases, texts, m_options.lz77);
}

HelpFileWriter::Layout HelpFileWriter::topicRecords(const PhraseBuilder *phrases) const
{
    Layout layout;
    for (int t = 0; t < m_topics.size(); ++t) {
        const HelpTopicBuilder &topic = *m_topics[t];
        layout.append(
            linkRecord(0x02, topicHeader(t), topic.title() + QByteArray(1, '\0'), true, phrases),
            true, t, 0);
        for (const HelpTopicBuilder::Record &record : topic.records()) {
            if (before31() && record.type != 0x20)
                throw std::runtime_error("3.0 files hold no tables");
            layout.append(linkRecord(before31() ? 0x01 : record.type, record.codes, record.text,
                                     false, phrases),
                          false, t, quint32(record.text.size()));
        }
    }
    // The chain ends with an empty topic header, as the help compilers write it.
    layout.append(linkRecord(0x02, chainEnd(), QByteArray(), true, phrases), true,
                  int(m_topics.size()), 0);
    return layout;
}

QByteArray HelpFileWriter::topicHeader(int topic) const
{
    ByteWriter header;
    header.u32(0);
    header.u32(0xFFFFFFFF);
    header.u32(0xFFFFFFFF);
    if (!before31()) {
        header.u32(quint32(topic));
        header.u32(0xFFFFFFFF);
        header.u32(0);
        header.u32(0);
    }
    return header.bytes;
}

QByteArray HelpFileWriter::chainEnd() const
{
    ByteWriter end;
    end.u32(0);
    for (int i = 0; i < (before31() ? 2 : 6); ++i)
        end.u32(i == 2 ? quint32(m_topics.size()) : 0xFFFFFFFF);
    return end.bytes;
}

// The link header's TOPICPOS fields stay zero here; topicFile() fills them in.
QByteArray HelpFileWriter::linkRecord(quint8 type, const QByteArray &codes, const QByteArray &text,
                                      bool header, const PhraseBuilder *phrases) const
{
    QByteArray stored = text;
    if (phrases && !header) {
        const QByteArray coded = phrases->encode(text);
        if (coded.size() < text.size())
            stored = coded;
    }
    // Text records begin with their sizes; 3.0 files leave out the text length.
    ByteWriter data1;
    if (!header) {
        data1.compressedLong(qint32(text.size()));
        if (!before31())
            data1.compressedUShort(quint32(text.size()));
    }
    data1.raw(codes);
    ByteWriter w;
    w.u32(quint32(LinkHeader + data1.bytes.size() + stored.size()));
    w.u32(quint32(text.size()));
    w.u32(0);
    w.u32(0);
    w.u32(quint32(LinkHeader + data1.bytes.size()));
    w.u8(type);
    w.raw(data1.bytes);
    w.raw(stored);
    return w.bytes;
}

QByteArray HelpFileWriter::topicFile(Layout &layout) const
{
    const int blockSize = before31() ? 2048 : 4096;
    const qsizetype capacity = blockSize - BlockHeader;
    layout.span = before31() ? blockSize : BlockSpan;

    // Topic headers and links hold TOPICPOS values, which depend on where the blocks split,
    // which with LZ77 depends on the bytes: lay out, split, and repeat until the split holds.
    QByteArray stream;
    const auto fill = [&]() {
        stream.clear();
        for (qsizetype i = 0; i < layout.records.size(); ++i) {
            const Layout::Record &record = layout.records[i];
            QByteArray bytes = record.bytes;
            const auto put = [&bytes](int at, qint64 value) {
                for (int k = 0; k < 4; ++k)
                    bytes[at + k] = char((quint64(value) >> (8 * k)) & 0xFF);
            };
            const qint64 here = layout.topicPos(layout.starts[i]);
            const qint64 previous = i == 0 ? -1 : layout.topicPos(layout.starts[i - 1]);
            const qint64 next =
                i + 1 == layout.records.size() ? -1 : layout.topicPos(layout.starts[i + 1]);
            // 3.0 files link records by distances, later ones by positions.
            put(8, before31() ? (previous < 0 ? -1 : here - previous) : previous);
            put(12, before31() ? (next < 0 ? -1 : next - here) : next);
            if (record.header && !before31()) {
                qsizetype next = i + 1;
                while (next < layout.records.size() && !layout.records[next].header)
                    ++next;
                const bool hasText = i + 1 < layout.records.size() && !layout.records[i + 1].header;
                put(LinkHeader + 20, hasText ? layout.topicPos(layout.starts[i + 1]) : -1);
                put(LinkHeader + 24,
                    next < layout.records.size() ? layout.topicPos(layout.starts[next]) : -1);
            }
            stream.append(bytes);
        }
    };
    // The TOPICPOS fields are stored as literals, so their values cannot move the split.
    QList<bool> fields;
    for (qsizetype i = 0; i < layout.records.size(); ++i) {
        fields.resize(layout.starts[i] + layout.records[i].bytes.size(), false);
        for (int k = 8; k < 16; ++k)
            fields[layout.starts[i] + k] = true;
        if (layout.records[i].header && !before31())
            for (int k = LinkHeader + 20; k < LinkHeader + 28; ++k)
                fields[layout.starts[i] + k] = true;
    }
    const auto split = [&]() {
        QList<qsizetype> blocks;
        qsizetype pos = 0;
        while (pos < stream.size()) {
            blocks.append(pos);
            if (!m_options.lz77) {
                pos += capacity;
                continue;
            }
            qsizetype consumed = 0;
            Lz77::compress(
                QByteArrayView(stream).sliced(pos, qMin<qsizetype>(BlockSpan, stream.size() - pos)),
                capacity, &consumed, fields.constData() + pos);
            pos += consumed;
        }
        if (blocks.isEmpty())
            blocks.append(0);
        return blocks;
    };

    layout.blocks = {0};
    fill();
    bool settled = false;
    for (int round = 0; round < 16 && !settled; ++round) {
        const QList<qsizetype> blocks = split();
        settled = blocks == layout.blocks;
        layout.blocks = blocks;
        fill();
    }
    if (!settled) {
        // Pieces stored as literals only fill a block exactly, whatever the bytes.
        const qsizetype safe = capacity * 8 / 9;
        layout.blocks.clear();
        for (qsizetype pos = 0; pos < stream.size() || layout.blocks.isEmpty(); pos += safe)
            layout.blocks.append(pos);
        fill();
    }

    ByteWriter file;
    for (qsizetype b = 0; b < layout.blocks.size(); ++b) {
        const qsizetype from = layout.blocks[b];
        const qsizetype to = b + 1 < layout.blocks.size() ? layout.blocks[b + 1] : stream.size();
        qint64 lastLink = -1;
        qint64 firstLink = -1;
        qint64 lastHeader = -1;
        for (qsizetype i = 0; i < layout.records.size(); ++i) {
            const qsizetype start = layout.starts[i];
            if (start < from) {
                lastLink = layout.topicPos(start);
                if (layout.records[i].header)
                    lastHeader = lastLink;
            } else if (start < to && firstLink < 0) {
                firstLink = layout.topicPos(start);
            }
        }
        file.u32(quint32(lastLink));
        file.u32(quint32(firstLink));
        file.u32(quint32(lastHeader));
        const QByteArrayView data = QByteArrayView(stream).sliced(from, to - from);
        QByteArray body = data.toByteArray();
        if (m_options.lz77 && settled) {
            qsizetype consumed = 0;
            body = Lz77::compress(data, capacity, &consumed, fields.constData() + from);
            if (consumed != data.size())
                throw std::runtime_error("topic block overflow");
        } else if (m_options.lz77) {
            body = literalsOnly(data);
        }
        // The zeros that pad a block read as a flag byte with nothing after it, or lie past
        // the 16 KB a block decompresses to: either way they add nothing.
        if (body.size() > capacity)
            throw std::runtime_error("topic block overflow");
        if (b + 1 < layout.blocks.size())
            body.resize(capacity, '\0');
        file.raw(body);
    }

    // TOPICOFFSET: the block of a record's start, and the characters before it in that block.
    layout.topicOffsets.clear();
    qsizetype block = -1;
    quint32 characters = 0;
    for (qsizetype i = 0; i < layout.records.size(); ++i) {
        const qint64 pos = layout.topicPos(layout.starts[i]);
        const qsizetype recordBlock = qsizetype((pos - BlockHeader) / BlockSpan);
        if (recordBlock != block) {
            block = recordBlock;
            characters = 0;
        }
        // 3.0 files know no TOPICOFFSET; their topics are found by position.
        if (layout.records[i].header)
            layout.topicOffsets.append(before31() ? quint32(pos)
                                                  : quint32(block) * OffsetSpan + characters);
        characters += layout.records[i].textLength;
    }
    return file.bytes;
}

// Context names, numbers and the contents topic point at the topics' offsets.
HelpFileWriter::ContextMaps HelpFileWriter::contextMaps(const QList<quint32> &topicOffsets) const
{
    ContextMaps maps;
    std::optional<quint32> contents;
    for (int t = 0; t < m_topics.size(); ++t) {
        const quint32 offset = topicOffsets.at(t);
        for (const QByteArray &name : m_topics[t]->contextNames()) {
            const qint32 hash = contextHash(name);
            if (maps.names.contains(hash))
                throw std::runtime_error("duplicate context name or hash: " + name.toStdString());
            maps.names.insert(hash, offset);
            if (name == m_contents)
                contents = offset;
        }
        for (qint32 number : m_topics[t]->contextNumbers()) {
            if (maps.numbers.contains(number))
                throw std::runtime_error("duplicate context number " + std::to_string(number));
            maps.numbers.insert(number, offset);
        }
    }
    if (!m_contents.isEmpty() && !contents)
        throw std::runtime_error("unknown contents topic " + m_contents.toStdString());
    maps.contents = contents.value_or(topicOffsets.constFirst());
    return maps;
}

QByteArray HelpFileWriter::systemFile(quint32 contents) const
{
    QStringEncoder encoder(m_codec.constData());
    ByteWriter system;
    system.u16(0x036C);
    system.u16(quint32(m_options.minor));
    system.u16(1);
    system.u32(0);
    system.u16(m_options.lz77 ? 4 : 0);
    // 3.0 files hold the title alone; later ones a list of typed records.
    if (before31()) {
        system.zstring(QByteArray(encoder.encode(m_title)));
        return system.bytes;
    }
    const auto record = [&system](int type, const QByteArray &data) {
        system.u16(quint32(type));
        system.u16(quint32(data.size()));
        system.raw(data);
    };
    record(1, QByteArray(encoder.encode(m_title)) + '\0');
    if (!m_copyright.isEmpty())
        record(2, QByteArray(encoder.encode(m_copyright)) + '\0');
    ByteWriter contentsRecord;
    contentsRecord.u32(contents);
    record(3, contentsRecord.bytes);
    if (!m_contentsFile.isEmpty())
        record(10, m_contentsFile.toLatin1() + '\0');
    ByteWriter charset;
    charset.u16(quint32(m_options.charset));
    record(11, charset.bytes);
    return system.bytes;
}

QByteArray HelpFileWriter::fontFile() const
{
    ByteWriter font;
    QList<QByteArray> faces;
    for (const HelpFont &f : m_fonts)
        if (!faces.contains(f.face.toLatin1()))
            faces.append(f.face.toLatin1());
    constexpr int FaceSlot = 32;
    font.u16(quint32(faces.size()));
    font.u16(quint32(m_fonts.size()));
    font.u16(8);
    font.u16(quint32(8 + FaceSlot * faces.size()));
    for (QByteArray face : std::as_const(faces)) {
        face.resize(FaceSlot, '\0');
        font.raw(face);
    }
    for (const HelpFont &f : m_fonts) {
        font.u8((f.bold ? 0x01 : 0) | (f.italic ? 0x02 : 0) | (f.underline ? 0x04 : 0) |
                (f.strikeOut ? 0x08 : 0) | (f.smallCaps ? 0x20 : 0));
        font.u8(quint32(f.halfPoints));
        font.u8(3);
        font.u16(quint32(faces.indexOf(f.face.toLatin1())));
        font.u8(f.colour >> 16);
        font.u8(f.colour >> 8);
        font.u8(f.colour);
        font.u8(0xFF);
        font.u8(0xFF);
        font.u8(0xFF);
    }
    return font.bytes;
}

QByteArray HelpFileWriter::contextFile(const QMap<qint32, quint32> &names) const
{
    QList<BTreeWriter::Entry> entries;
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        ByteWriter key;
        key.u32(quint32(it.key()));
        ByteWriter leaf;
        leaf.raw(key.bytes);
        leaf.u32(it.value());
        entries.append({key.bytes, leaf.bytes});
    }
    return BTreeWriter::build(entries, m_options.treePageSize, "L4", false);
}

QByteArray HelpFileWriter::titleFile(const QList<quint32> &topicOffsets) const
{
    QList<BTreeWriter::Entry> entries;
    for (int t = 0; t < m_topics.size(); ++t) {
        ByteWriter key;
        key.u32(topicOffsets.at(t));
        ByteWriter leaf;
        leaf.raw(key.bytes);
        leaf.zstring(m_topics[t]->title());
        entries.append({key.bytes, leaf.bytes});
    }
    return BTreeWriter::build(entries, m_options.treePageSize, "Lz", false);
}
