#pragma once

#include "PhraseTable.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// Chooses the phrases of a help file from its texts (words that repeat, the most saving first)
// and codes texts with them, in the classic |Phrases form or the Hall form of 4.0 files.
class PhraseBuilder
{
public:
    PhraseBuilder(PhraseTable::Kind kind, const QList<QByteArray> &texts, bool lz77);

    // The coded text; the caller keeps the plain text when this is not shorter.
    QByteArray encode(QByteArrayView text) const;
    // The internal files that hold the phrases, by name; 3.0 files store them uncompressed.
    QList<std::pair<QByteArray, QByteArray>> files(bool before31) const;

private:
    void encodeHallLiterals(QByteArray &out, QByteArrayView literals) const;

    PhraseTable::Kind m_kind;
    bool m_lz77;
    QList<QByteArray> m_phrases;
    QHash<QByteArray, int> m_index;
};
