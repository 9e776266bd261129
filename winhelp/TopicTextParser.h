#pragma once

#include "HelpTopic.h"

#include <QByteArrayView>

#include <functional>
#include <optional>

// Turns one text or table record of |TOPIC into paragraphs: LinkData1 holds the paragraph
// settings and formatting codes, LinkData2 the (already expanded) strings between them.
class TopicTextParser
{
public:
    using Decode = std::function<QString(QByteArrayView)>;
    // The TOPICOFFSET a jump's context hash leads to, if the file knows it.
    using Resolve = std::function<std::optional<quint32>(qint32)>;

    TopicTextParser(Decode decode, Resolve resolve)
        : m_decode(std::move(decode)), m_resolve(std::move(resolve))
    {
    }

    // Record types: 0x01 text of 3.0 files, 0x20 text, 0x23 table.
    void parse(quint8 recordType, QByteArrayView linkData1, QByteArrayView linkData2,
               HelpTopic &topic);

private:
    void appendText(HelpParagraph &paragraph, const QString &text);

    Decode m_decode;
    Resolve m_resolve;
    int m_font = -1;
    HelpRun::Link m_link = HelpRun::NoLink;
    quint32 m_target = 0;
    bool m_targetKnown = false;
};
