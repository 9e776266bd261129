#pragma once

#include "HelpTopic.h"
#include "HelpTopicBuilder.h"
#include "PhraseTable.h"

class PhraseBuilder;

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <memory>

// Writes a WinHelp file: the file system and directory, |SYSTEM, |FONT, |TOPIC (LZ77 or
// plain), the phrase tables, |CONTEXT, |CTXOMAP, |TTLBTREE and |bmN pictures.
class HelpFileWriter
{
public:
    struct Options
    {
        int minor = 21; // 15: help compiler 3.0 (no LZ77, no maps), 21: 3.1, 33: 4.0
        bool lz77 = true;
        PhraseTable::Kind phrases = PhraseTable::Classic;
        int charset = 238; // Windows-1250
        int treePageSize = 2048;
        int picturePacking = 2; // 0 none, 1 run lengths, 2 LZ77
    };

    explicit HelpFileWriter(const Options &options);

    void setTitle(const QString &title) { m_title = title; }
    void setCopyright(const QString &copyright) { m_copyright = copyright; }
    void setContentsFileName(const QString &name) { m_contentsFile = name; }
    // The contents topic, by context name; the first topic when not set.
    void setContents(const QByteArray &contextName) { m_contents = contextName; }
    int addFont(const HelpFont &font);
    // A device-independent 24-bit bitmap from 0xAARRGGBB pixels, top row first; returns N of |bmN.
    int addPicture(int width, int height, const QList<quint32> &pixels);
    HelpTopicBuilder &addTopic(const QString &title, const QList<QByteArray> &contextNames = {},
                               const QList<qint32> &contextNumbers = {});

    // Throws std::runtime_error for what a help file cannot hold (a duplicate context name,
    // an unknown contents topic).
    QByteArray build() const;

private:
    struct Layout;
    // Where the context names and numbers lead, and the contents topic, as TOPICOFFSETs.
    struct ContextMaps
    {
        QMap<qint32, quint32> names; // by the names' hashes
        QMap<qint32, quint32> numbers;
        quint32 contents = 0;
    };
    bool before31() const { return m_options.minor <= 16; }
    void checkOptions() const;
    std::unique_ptr<PhraseBuilder> phraseBuilder() const;
    Layout topicRecords(const PhraseBuilder *phrases) const;
    QByteArray topicHeader(int topic) const;
    QByteArray chainEnd() const;
    QByteArray linkRecord(quint8 type, const QByteArray &codes, const QByteArray &text, bool header,
                          const PhraseBuilder *phrases) const;
    QByteArray topicFile(Layout &layout) const;
    ContextMaps contextMaps(const QList<quint32> &topicOffsets) const;
    QByteArray systemFile(quint32 contents) const;
    QByteArray fontFile() const;
    QByteArray contextFile(const QMap<qint32, quint32> &names) const;
    QByteArray titleFile(const QList<quint32> &topicOffsets) const;

    Options m_options;
    QByteArray m_codec;
    QString m_title;
    QString m_copyright;
    QString m_contentsFile;
    QByteArray m_contents;
    QList<HelpFont> m_fonts;
    QList<QByteArray> m_pictures;
    QList<std::shared_ptr<HelpTopicBuilder>> m_topics;
};
