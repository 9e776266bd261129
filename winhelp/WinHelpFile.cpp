#include "WinHelpFile.h"

#include "ByteReader.h"
#include "ContextHash.h"
#include "HelpFormatError.h"
#include "Lz77.h"
#include "TopicTextParser.h"

#include <QFile>

namespace {

constexpr quint16 SystemMagic = 0x036C;
constexpr qint64 BlockSpan = 0x4000;   // TOPICPOS units per topic block
constexpr quint32 OffsetSpan = 0x8000; // TOPICOFFSET units per topic block
constexpr qint64 MaxTextLength = 4 * 1024 * 1024;

const char *codecFor(int charset)
{
    switch (charset) {
    case 238:
        return "windows-1250";
    case 204:
        return "windows-1251";
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    default:
        return "windows-1252";
    }
}

QByteArray recordString(QByteArrayView data)
{
    const qsizetype end = data.indexOf('\0');
    return (end < 0 ? data : data.first(end)).toByteArray();
}

} // namespace

WinHelpFile WinHelpFile::open(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HelpFormatError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    return WinHelpFile(file.readAll());
}

WinHelpFile::WinHelpFile(QByteArray data) : m_files(std::move(data))
{
    readSystem();
    m_phrases = PhraseTable(m_files, m_minor <= 16);
    readFonts();
    readContextMaps();
    readTopicStream();
    walkTopics();
}

QString WinHelpFile::versionName() const
{
    if (m_minor <= 16)
        return QStringLiteral("3.0");
    if (m_minor < 33)
        return QStringLiteral("3.1");
    return QStringLiteral("4.0");
}

QString WinHelpFile::decode(QByteArrayView text) const
{
    return m_decoder.decode(text);
}

void WinHelpFile::readSystem()
{
    if (!m_files.contains(QByteArrayLiteral("|SYSTEM")))
        throw HelpFormatError(QStringLiteral("no |SYSTEM file"));
    ByteReader reader(m_files.file(QByteArrayLiteral("|SYSTEM")), "|SYSTEM");
    if (reader.u16() != SystemMagic)
        reader.fail(QStringLiteral("wrong magic number"));
    m_minor = reader.u16();
    reader.u16();
    reader.u32();
    const quint16 flags = reader.u16();

    QByteArray title;
    QByteArray copyright;
    int defaultFontCharset = 0;
    if (m_minor <= 16) {
        m_blockSize = 2048;
        title = reader.zstring();
    } else {
        m_lz77 = flags == 4 || flags == 8;
        m_blockSize = flags == 8 ? 2048 : 4096;
        while (reader.remaining() >= 4) {
            const int type = reader.u16();
            const int size = reader.u16();
            const QByteArrayView data = reader.bytes(size);
            ByteReader record(data, "|SYSTEM record");
            switch (type) {
            case 1:
                title = recordString(data);
                break;
            case 2:
                copyright = recordString(data);
                break;
            case 3:
                m_contents = record.u32();
                break;
            case 10:
                m_contentsFile = QString::fromLatin1(recordString(data));
                break;
            case 11:
                m_charset = record.u16();
                break;
            case 12:
                record.u8();
                defaultFontCharset = record.u8();
                break;
            default:
                break;
            }
        }
    }
    if (m_charset == 0)
        m_charset = defaultFontCharset;
    m_codecName = codecFor(m_charset);
    m_decoder = QStringDecoder(m_codecName.constData());
    m_title = decode(title);
    m_copyright = decode(copyright);
}

void WinHelpFile::readFonts()
{
    const QByteArrayView file = m_files.file(QByteArrayLiteral("|FONT"));
    if (file.isEmpty())
        return;
    ByteReader reader(file, "|FONT");
    const int faceCount = reader.u16();
    const int descriptorCount = reader.u16();
    const int facesAt = reader.u16();
    const int descriptorsAt = reader.u16();
    QList<QString> faces;
    if (faceCount > 0) {
        const int slot = (descriptorsAt - facesAt) / faceCount;
        if (slot <= 0)
            reader.fail(QStringLiteral("face names overlap the descriptors"));
        reader.seek(facesAt);
        for (int i = 0; i < faceCount; ++i)
            faces.append(decode(recordString(reader.bytes(slot))));
    }
    // Later compilers of multimedia titles use longer descriptors; only their faces are read.
    if (facesAt >= 12)
        return;
    reader.seek(descriptorsAt);
    if (qint64(descriptorCount) * 11 > reader.remaining())
        reader.fail(
            QStringLiteral("%1 font descriptors larger than the file holds").arg(descriptorCount));
    for (int i = 0; i < descriptorCount; ++i) {
        HelpFont font;
        const quint8 attributes = reader.u8();
        font.bold = attributes & 0x01;
        font.italic = attributes & 0x02;
        font.underline = attributes & 0x04;
        font.strikeOut = attributes & 0x08;
        font.smallCaps = attributes & 0x20;
        font.halfPoints = reader.u8();
        reader.u8();
        const int face = reader.u16();
        font.face = face < faces.size() ? faces.at(face) : QString();
        const quint8 r = reader.u8();
        const quint8 g = reader.u8();
        const quint8 b = reader.u8();
        font.colour = (quint32(r) << 16) | (quint32(g) << 8) | b;
        reader.skip(3);
        m_fonts.append(font);
    }
}

void WinHelpFile::readContextMaps()
{
    const QByteArrayView map = m_files.file(QByteArrayLiteral("|CTXOMAP"));
    if (!map.isEmpty()) {
        ByteReader reader(map, "|CTXOMAP");
        const int count = reader.u16();
        if (qint64(count) * 8 > reader.remaining())
            reader.fail(QStringLiteral("%1 entries larger than the file holds").arg(count));
        for (int i = 0; i < count; ++i) {
            const qint32 number = reader.i32();
            m_contextNumbers.insert(number, reader.u32());
        }
    }
    const QByteArrayView context = m_files.file(QByteArrayLiteral("|CONTEXT"));
    if (!context.isEmpty()) {
        HelpFileSystem::forEachLeafEntry(context, "|CONTEXT", [this](ByteReader &entry) {
            const qint32 hash = entry.i32();
            m_contextHashes.insert(hash, entry.u32());
        });
    }
}

void WinHelpFile::readTopicStream()
{
    if (!m_files.contains(QByteArrayLiteral("|TOPIC")))
        throw HelpFormatError(QStringLiteral("no |TOPIC file"));
    const QByteArrayView topic = m_files.file(QByteArrayLiteral("|TOPIC"));
    // Room for every block decompressed in full spares copying the stream as it grows.
    const qsizetype blocks = (topic.size() + m_blockSize - 1) / m_blockSize;
    m_stream.reserve(blocks * (m_lz77 ? BlockSpan : m_blockSize));
    for (qsizetype at = 0; at + 12 < topic.size(); at += m_blockSize) {
        const QByteArrayView data =
            topic.sliced(at + 12, qMin<qsizetype>(m_blockSize - 12, topic.size() - at - 12));
        m_blockStarts.append(m_stream.size());
        if (m_lz77)
            m_stream.append(Lz77::decompress(data, BlockSpan, "|TOPIC"));
        else
            m_stream.append(data);
    }
    m_blockStarts.append(m_stream.size());
}

qsizetype WinHelpFile::streamIndex(qint64 topicPos) const
{
    qint64 block;
    qint64 offset;
    if (m_minor <= 16) {
        block = topicPos / m_blockSize;
        offset = topicPos % m_blockSize - 12;
    } else {
        if (topicPos < 12)
            return -1;
        block = (topicPos - 12) / BlockSpan;
        offset = (topicPos - 12) % BlockSpan;
    }
    if (topicPos < 0 || offset < 0 || block + 1 >= m_blockStarts.size())
        return -1;
    const qsizetype start = m_blockStarts.at(qsizetype(block));
    if (offset >= m_blockStarts.at(qsizetype(block) + 1) - start)
        return -1;
    return start + qsizetype(offset);
}

WinHelpFile::Link WinHelpFile::readLink(qint64 position, bool expandText) const
{
    const qsizetype at = streamIndex(position);
    if (at < 0)
        throw HelpFormatError(
            QStringLiteral("|TOPIC: topic link position 0x%1 outside the topic data")
                .arg(quint32(position), 8, 16, QLatin1Char('0')));
    ByteReader reader(m_stream, "|TOPIC");
    reader.seek(at);
    const qint32 blockSize = reader.i32();
    const qint32 dataLen2 = reader.i32();
    reader.i32();
    Link link;
    link.next = reader.i32();
    const qint32 dataLen1 = reader.i32();
    link.type = reader.u8();
    if (dataLen1 < 21 || blockSize < dataLen1 || dataLen2 < 0 ||
        qint64(blockSize) > m_stream.size() - at)
        reader.fail(QStringLiteral("topic link at 0x%1 has impossible sizes")
                        .arg(quint32(position), 8, 16, QLatin1Char('0')));
    link.data1 = QByteArrayView(m_stream).sliced(at + 21, dataLen1 - 21);
    if (link.type == 0x20 || link.type == 0x23) {
        ByteReader lengths(link.data1, "topic text");
        lengths.compressedLong();
        link.textLength = lengths.compressedUShort();
    }
    if (!expandText && link.type != 0x02)
        return link;
    const QByteArrayView raw = QByteArrayView(m_stream).sliced(at + dataLen1, blockSize - dataLen1);
    if (dataLen2 > raw.size()) {
        if (m_phrases.kind() == PhraseTable::None)
            reader.fail(QStringLiteral("phrase-compressed text without a phrase table"));
        if (dataLen2 > MaxTextLength)
            reader.fail(QStringLiteral("text length %1 too large").arg(dataLen2));
        link.data2 = m_phrases.expand(raw, dataLen2);
    } else {
        link.data2 = raw.first(dataLen2).toByteArray();
    }
    return link;
}

qint64 WinHelpFile::nextLink(qint64 position, const Link &link) const
{
    if (link.next == 0 || link.next == -1)
        return -1;
    const qint64 next = m_minor <= 16 ? position + link.next : qint64(link.next);
    if (next <= position)
        throw HelpFormatError(QStringLiteral("|TOPIC: topic links loop back at 0x%1")
                                  .arg(quint32(position), 8, 16, QLatin1Char('0')));
    return next;
}

void WinHelpFile::walkTopics()
{
    ByteReader blockHeader(m_files.file(QByteArrayLiteral("|TOPIC")), "|TOPIC");
    blockHeader.u32();
    qint64 position = m_minor <= 16 ? 12 : qint64(blockHeader.u32());
    qint64 block = -1;
    quint32 characters = 0;
    while (position >= 0) {
        const Link link = readLink(position, false);
        if (m_minor > 16) {
            const qint64 linkBlock = (position - 12) / BlockSpan;
            if (linkBlock != block) {
                block = linkBlock;
                characters = 0;
            }
        }
        const qint64 next = nextLink(position, link);
        // Compilers end the chain with an empty topic header that starts no topic.
        if (link.type == 0x02 && next < 0 && link.data2.isEmpty())
            break;
        if (link.type == 0x02) {
            TopicEntry entry;
            entry.position = position;
            entry.offset =
                m_minor <= 16 ? quint32(position) : quint32(block) * OffsetSpan + characters;
            entry.title = decode(recordString(link.data2));
            m_topics.append(entry);
        }
        characters += link.textLength;
        position = next;
    }
}

int WinHelpFile::topicIndexAt(quint32 offset) const
{
    int found = -1;
    for (int i = 0; i < m_topics.size(); ++i) {
        if (m_topics.at(i).offset <= offset &&
            (found < 0 || m_topics.at(i).offset >= m_topics.at(found).offset))
            found = i;
    }
    return found;
}

quint32 WinHelpFile::contentsOffset() const
{
    if (m_contents)
        return *m_contents;
    return m_topics.isEmpty() ? 0 : m_topics.constFirst().offset;
}

QList<WinHelpFile::TitleEntry> WinHelpFile::titles() const
{
    QList<TitleEntry> titles;
    const QByteArrayView tree = m_files.file(QByteArrayLiteral("|TTLBTREE"));
    if (tree.isEmpty())
        return titles;
    HelpFileSystem::forEachLeafEntry(tree, "|TTLBTREE", [&](ByteReader &entry) {
        TitleEntry title;
        title.offset = entry.u32();
        title.title = decode(entry.zstring());
        titles.append(title);
    });
    return titles;
}

std::optional<quint32> WinHelpFile::contextNumber(qint32 number) const
{
    const auto it = m_contextNumbers.constFind(number);
    if (it == m_contextNumbers.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<quint32> WinHelpFile::contextHash(qint32 hash) const
{
    const auto it = m_contextHashes.constFind(hash);
    if (it == m_contextHashes.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<quint32> WinHelpFile::contextName(QByteArrayView name) const
{
    return contextHash(::contextHash(name));
}

HelpTopic WinHelpFile::topic(int index) const
{
    const TopicEntry &entry = m_topics.at(index);
    HelpTopic topic;
    topic.offset = entry.offset;
    topic.title = entry.title;
    TopicTextParser parser([this](QByteArrayView text) { return decode(text); },
                           [this](qint32 hash) { return contextHash(hash); });
    qint64 position = entry.position;
    bool first = true;
    while (position >= 0) {
        const Link link = readLink(position, true);
        if (link.type == 0x02 && !first)
            break;
        first = false;
        if (link.type == 0x01 || link.type == 0x20 || link.type == 0x23)
            parser.parse(link.type, link.data1, link.data2, topic);
        position = nextLink(position, link);
    }
    return topic;
}

HelpPicture WinHelpFile::picture(int number) const
{
    const QByteArray name = (m_minor <= 16 ? QByteArrayLiteral("bm") : QByteArrayLiteral("|bm")) +
                            QByteArray::number(number);
    if (!m_files.contains(name))
        throw HelpFormatError(QStringLiteral("no picture %1").arg(QString::fromLatin1(name)));
    return HelpPicture::decode(m_files.file(name), name.constData());
}
