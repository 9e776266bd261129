#include "TopicTextParser.h"

#include "ByteReader.h"

namespace {

constexpr int MaxTabStops = 64;

} // namespace

void TopicTextParser::appendText(HelpParagraph &paragraph, const QString &text)
{
    if (!paragraph.runs.isEmpty()) {
        HelpRun &last = paragraph.runs.last();
        if (last.picture < 0 && last.embeddedPicture.isEmpty() && last.font == m_font &&
            last.link == m_link && last.target == m_target && last.targetKnown == m_targetKnown) {
            last.text += text;
            return;
        }
    }
    HelpRun run;
    run.text = text;
    run.font = m_font;
    run.link = m_link;
    run.target = m_target;
    run.targetKnown = m_targetKnown;
    paragraph.runs.append(run);
}

void TopicTextParser::parse(quint8 recordType, QByteArrayView linkData1, QByteArrayView linkData2,
                            HelpTopic &topic)
{
    ByteReader codes(linkData1, "topic text");
    codes.compressedLong();
    if (recordType != 0x01)
        codes.compressedUShort();

    const bool table = recordType == 0x23;
    int columns = 0;
    int tableIndex = -1;
    if (table) {
        columns = codes.u8();
        const int tableType = codes.u8();
        if (tableType == 0 || tableType == 2)
            codes.i16();
        HelpTable layout;
        for (int c = 0; c < columns; ++c) {
            codes.i16();
            layout.columnWidths.append(codes.i16());
        }
        tableIndex = int(topic.tables.size());
        topic.tables.append(layout);
    }

    qsizetype textPos = 0;
    const auto nextString = [&]() {
        if (textPos >= linkData2.size())
            return QByteArrayView();
        qsizetype end = linkData2.indexOf('\0', textPos);
        if (end < 0)
            end = linkData2.size();
        const QByteArrayView s = linkData2.sliced(textPos, end - textPos);
        textPos = end + 1;
        return s;
    };

    int row = 0;
    int lastColumn = -1;
    for (;;) {
        HelpParagraph paragraph;
        if (table) {
            const int column = codes.i16();
            if (column == -1)
                break;
            codes.i16();
            codes.u8();
            if (column < 0 || column >= columns)
                codes.fail(QStringLiteral("table column %1 of %2").arg(column).arg(columns));
            if (column <= lastColumn)
                ++row;
            lastColumn = column;
            paragraph.table = tableIndex;
            paragraph.row = row;
            paragraph.column = column;
        }
        codes.u8();
        codes.u8();
        codes.u16();
        const quint16 bits = codes.u16();
        if (bits & 0x0001)
            codes.compressedLong();
        if (bits & 0x0002)
            paragraph.spaceAbove = codes.compressedShort();
        if (bits & 0x0004)
            paragraph.spaceBelow = codes.compressedShort();
        if (bits & 0x0008)
            codes.compressedShort();
        if (bits & 0x0010)
            paragraph.leftIndent = codes.compressedShort();
        if (bits & 0x0020)
            paragraph.rightIndent = codes.compressedShort();
        if (bits & 0x0040)
            paragraph.firstIndent = codes.compressedShort();
        if (bits & 0x0100) {
            codes.u8();
            codes.i16();
        }
        if (bits & 0x0200) {
            const int stops = codes.compressedShort();
            if (stops < 0 || stops > MaxTabStops)
                codes.fail(QStringLiteral("%1 tab stops").arg(stops));
            for (int i = 0; i < stops; ++i) {
                const quint16 stop = codes.compressedUShort();
                if (stop & 0x4000)
                    codes.compressedUShort();
                paragraph.tabStops.append(stop & 0x3FFF);
            }
        }
        if (bits & 0x0400)
            paragraph.alignment = HelpParagraph::Right;
        else if (bits & 0x0800)
            paragraph.alignment = HelpParagraph::Center;

        const HelpParagraph settings = paragraph;
        bool cellDone = false;
        while (!cellDone) {
            const QByteArrayView text = nextString();
            if (!text.isEmpty())
                appendText(paragraph, m_decode(text));
            const quint8 code = codes.u8();
            switch (code) {
            case 0xFF:
                if (!paragraph.runs.isEmpty())
                    topic.paragraphs.append(paragraph);
                cellDone = true;
                break;
            case 0x20:
                codes.u32();
                break;
            case 0x21:
                codes.u16();
                break;
            case 0x80:
                m_font = codes.i16();
                break;
            case 0x81:
                appendText(paragraph, QStringLiteral("\n"));
                break;
            case 0x82:
                topic.paragraphs.append(paragraph);
                paragraph = settings;
                break;
            case 0x83:
                appendText(paragraph, QStringLiteral("\t"));
                break;
            case 0x86:
            case 0x87:
            case 0x88: {
                const int type = codes.u8();
                const qint32 size = codes.compressedLong();
                if (type == 0x22)
                    codes.compressedUShort();
                if (size < 0)
                    codes.fail(QStringLiteral("picture of negative size"));
                ByteReader data(codes.bytes(size), "picture reference");
                if (type == 0x03 || type == 0x22) {
                    HelpRun run;
                    run.font = m_font;
                    run.link = m_link;
                    run.target = m_target;
                    run.targetKnown = m_targetKnown;
                    if (data.i16() == 0) {
                        run.picture = data.u16();
                    } else {
                        data.skip(qMin<qsizetype>(2, data.remaining()));
                        run.embeddedPicture = data.bytes(data.remaining()).toByteArray();
                    }
                    paragraph.runs.append(run);
                }
                break;
            }
            case 0x89:
                m_link = HelpRun::NoLink;
                m_targetKnown = false;
                m_target = 0;
                break;
            case 0x8B:
                appendText(paragraph, QString(QChar(0x00A0)));
                break;
            case 0x8C:
                break;
            case 0xC8:
            case 0xCC: {
                const int length = codes.i16();
                codes.skip(qMax(0, length - 3));
                m_link = HelpRun::Macro;
                m_targetKnown = false;
                break;
            }
            case 0xE0:
            case 0xE1:
            case 0xE2:
            case 0xE3:
            case 0xE6:
            case 0xE7: {
                const qint32 hash = codes.i32();
                m_link = (code & 1) ? HelpRun::Jump : HelpRun::Popup;
                const std::optional<quint32> target = m_resolve(hash);
                m_targetKnown = target.has_value();
                m_target = target.value_or(0);
                break;
            }
            case 0xEA:
            case 0xEB:
            case 0xEE:
            case 0xEF: {
                const int size = codes.i16();
                ByteReader jump(codes.bytes(size), "jump to another file");
                const int type = jump.u8();
                const qint32 hash = jump.i32();
                m_link = HelpRun::OtherFile;
                m_targetKnown = false;
                // Types 0 and 1 stay in this file (1 names a secondary window).
                if (type == 0 || type == 1) {
                    m_link = (code == 0xEA || code == 0xEB) ? HelpRun::Popup : HelpRun::Jump;
                    const std::optional<quint32> target = m_resolve(hash);
                    m_targetKnown = target.has_value();
                    m_target = target.value_or(0);
                }
                break;
            }
            default:
                codes.fail(QStringLiteral("unknown formatting code 0x%1")
                               .arg(int(code), 2, 16, QLatin1Char('0')));
            }
        }
        if (!table)
            break;
    }
}
