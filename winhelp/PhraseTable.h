#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class HelpFileSystem;

// The phrases of a phrase-compressed help file, and the expansion of topic text by them:
// either the |Phrases file of 3.x compilers or the |PhrIndex and |PhrImage pair ("Hall"
// compression) of 4.0 ones.
class PhraseTable
{
public:
    enum Kind { None, Classic, Hall };

    PhraseTable() = default;
    // Reads the phrases that `files` holds; `before31` for files of the 3.0 compiler, whose
    // phrases are stored uncompressed.
    PhraseTable(const HelpFileSystem &files, bool before31);

    Kind kind() const { return m_kind; }
    qsizetype count() const { return m_phrases.size(); }
    QByteArrayView phrase(qsizetype i) const { return m_phrases.at(i); }

    // Expands compressed text; the result is at most `limit` bytes.
    QByteArray expand(QByteArrayView text, qsizetype limit) const;

private:
    void readClassic(QByteArrayView file, bool before31);
    void readHall(QByteArrayView index, QByteArrayView image);
    void setPhrases(const QList<quint32> &offsets, qint64 base);
    QByteArrayView checkedPhrase(qint64 number) const;

    Kind m_kind = None;
    QByteArray m_text;
    QList<QByteArrayView> m_phrases;
};
