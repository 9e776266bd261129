#pragma once

#include "HelpFileSystem.h"
#include "HelpPicture.h"
#include "HelpTopic.h"
#include "PhraseTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>

#include <optional>

// A WinHelp file (.HLP) of the 3.0, 3.1 or 4.0 help compilers, read whole into memory. Opening
// reads the file system, |SYSTEM, |FONT, the phrase tables, the context maps and the chain of
// topics; topics themselves are parsed when asked for. Every problem with the file throws
// HelpFormatError; nothing in a damaged file can make the reader run past its data or loop.
class WinHelpFile
{
public:
    struct TopicEntry
    {
        quint32 offset = 0;  // TOPICOFFSET of the topic's start
        qint64 position = 0; // TOPICPOS of its header record
        QString title;
    };
    struct TitleEntry
    {
        quint32 offset = 0;
        QString title;
    };

    explicit WinHelpFile(QByteArray data);
    // Reads the file at `path`; one that cannot be read throws HelpFormatError.
    static WinHelpFile open(const QString &path);

    int minorVersion() const { return m_minor; }
    QString versionName() const;
    QString title() const { return m_title; }
    QString copyright() const { return m_copyright; }
    bool lz77() const { return m_lz77; }
    int topicBlockSize() const { return m_blockSize; }
    PhraseTable::Kind phraseKind() const { return m_phrases.kind(); }
    int charset() const { return m_charset; }
    // The code page of its text, for files beside it such as the .CNT contents.
    const char *codecName() const { return m_codecName.constData(); }
    QString contentsFileName() const { return m_contentsFile; }
    const QList<HelpFont> &fonts() const { return m_fonts; }
    const HelpFileSystem &files() const { return m_files; }

    // Topics in file order, with the TOPICOFFSET of each start.
    const QList<TopicEntry> &topics() const { return m_topics; }
    // The topic that `offset` falls in: the last one starting at or before it; -1 if none.
    int topicIndexAt(quint32 offset) const;
    // The contents topic: the |SYSTEM record when there is one, otherwise the first topic.
    quint32 contentsOffset() const;

    // |TTLBTREE in its order.
    QList<TitleEntry> titles() const;
    // The TOPICOFFSET that |CTXOMAP maps a context number to.
    std::optional<quint32> contextNumber(qint32 number) const;
    // The TOPICOFFSET of a context name (through |CONTEXT) or of its hash.
    std::optional<quint32> contextName(QByteArrayView name) const;
    std::optional<quint32> contextHash(qint32 hash) const;

    // Parses the topic with the index `index` into topics().
    HelpTopic topic(int index) const;
    // |bmN.
    HelpPicture picture(int number) const;

    QString decode(QByteArrayView text) const;

private:
    void readSystem();
    void readFonts();
    void readTopicStream();
    void walkTopics();
    void readContextMaps();
    // The stream index of a TOPICPOS, or -1 when it lies outside the stream.
    qsizetype streamIndex(qint64 topicPos) const;
    struct Link
    {
        qint64 next = 0;
        quint8 type = 0;
        QByteArrayView data1;
        QByteArray data2;
        quint32 textLength = 0;
    };
    Link readLink(qint64 position, bool expandText) const;
    // The TOPICPOS after the link at `position`, or -1 at the end of the chain.
    qint64 nextLink(qint64 position, const Link &link) const;

    HelpFileSystem m_files;
    PhraseTable m_phrases;
    int m_minor = 0;
    QString m_title;
    QString m_copyright;
    QString m_contentsFile;
    std::optional<quint32> m_contents;
    bool m_lz77 = false;
    int m_blockSize = 4096;
    int m_charset = 0;
    QByteArray m_codecName;
    mutable QStringDecoder m_decoder;
    QList<HelpFont> m_fonts;
    // The decompressed topic blocks one after another, and where each block starts in it.
    QByteArray m_stream;
    QList<qsizetype> m_blockStarts;
    QList<TopicEntry> m_topics;
    QHash<qint32, quint32> m_contextNumbers;
    QHash<qint32, quint32> m_contextHashes;
};
