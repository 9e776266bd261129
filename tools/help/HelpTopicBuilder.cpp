#include "HelpTopicBuilder.h"

#include "ByteWriter.h"
#include "ContextHash.h"

#include <stdexcept>

HelpTopicBuilder::HelpTopicBuilder(const QString &title, const QList<QByteArray> &contextNames,
                                   const QList<qint32> &contextNumbers, const char *codec)
    : m_encoder(codec), m_contextNames(contextNames), m_contextNumbers(contextNumbers)
{
    m_title = encode(title);
}

QByteArray HelpTopicBuilder::encode(const QString &text)
{
    QString clean = text;
    // Bytes below 16 would read as phrase codes; formatting has codes of its own.
    clean.removeIf([](QChar c) { return c.unicode() < 0x20; });
    QByteArray bytes = m_encoder.encode(clean);
    if (m_encoder.hasError())
        throw std::runtime_error("text the help file's code page cannot hold: " +
                                 clean.toStdString());
    return bytes;
}

QByteArray HelpTopicBuilder::paragraphSettings(HelpParagraph::Alignment alignment, int spaceBelow,
                                               int leftIndent)
{
    ByteWriter w;
    w.u8(0);
    w.u8(0x80);
    w.u16(0);
    quint16 bits = 0;
    if (spaceBelow)
        bits |= 0x0004;
    if (leftIndent)
        bits |= 0x0010;
    if (alignment == HelpParagraph::Right)
        bits |= 0x0400;
    else if (alignment == HelpParagraph::Center)
        bits |= 0x0800;
    w.u16(bits);
    if (spaceBelow)
        w.compressedShort(spaceBelow);
    if (leftIndent)
        w.compressedShort(leftIndent);
    return w.bytes;
}

void HelpTopicBuilder::beginParagraph(HelpParagraph::Alignment alignment, int spaceBelow,
                                      int leftIndent)
{
    if (m_open)
        endParagraph();
    m_open = true;
    m_codes = paragraphSettings(alignment, spaceBelow, leftIndent);
    m_text.clear();
    m_pending.clear();
}

void HelpTopicBuilder::code(QByteArrayView bytes)
{
    if (!m_open)
        throw std::runtime_error("text outside a paragraph");
    m_text.append(m_pending);
    m_text.append('\0');
    m_pending.clear();
    m_codes.append(bytes);
}

void HelpTopicBuilder::setFont(int font)
{
    ByteWriter w;
    w.u8(0x80);
    w.u16(quint32(font));
    code(w.bytes);
}

void HelpTopicBuilder::text(const QString &text)
{
    if (!m_open)
        beginParagraph();
    m_pending.append(encode(text));
}

void HelpTopicBuilder::lineBreak()
{
    code("\x81");
}

void HelpTopicBuilder::tab()
{
    code("\x83");
}

void HelpTopicBuilder::beginLink(HelpRun::Link kind, const QByteArray &contextName)
{
    ByteWriter w;
    w.u8(kind == HelpRun::Popup ? 0xE2 : 0xE3);
    w.u32(quint32(contextHash(contextName)));
    code(w.bytes);
}

void HelpTopicBuilder::endLink()
{
    code("\x89");
}

void HelpTopicBuilder::picture(int number)
{
    ByteWriter w;
    w.u8(0x86);
    w.u8(0x03);
    w.compressedLong(4);
    w.u16(0);
    w.u16(quint32(number));
    code(w.bytes);
}

void HelpTopicBuilder::endParagraph()
{
    if (!m_open)
        return;
    code("\x82");
    code("\xFF");
    m_records.append({0x20, m_codes, m_text});
    m_open = false;
}

void HelpTopicBuilder::table(const QList<int> &widths, const QList<QStringList> &rows, int font)
{
    if (m_open)
        endParagraph();
    ByteWriter codes;
    codes.u8(quint32(widths.size()));
    codes.u8(1);
    for (int width : widths) {
        codes.u16(0);
        codes.u16(quint32(width));
    }
    QByteArray text;
    for (const QStringList &row : rows) {
        for (int column = 0; column < row.size() && column < widths.size(); ++column) {
            codes.u16(quint32(column));
            codes.u16(0);
            codes.u8(0);
            codes.raw(paragraphSettings(HelpParagraph::Left, 0, 0));
            text.append('\0');
            codes.u8(0x80);
            codes.u16(quint32(font));
            text.append(encode(row.at(column)));
            text.append('\0');
            codes.u8(0x82);
            text.append('\0');
            codes.u8(0xFF);
        }
    }
    codes.u16(0xFFFF);
    m_records.append({0x23, codes.bytes, text});
}
