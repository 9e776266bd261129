#include "HelpTopicRenderer.h"

#include "HelpFormatError.h"
#include "WinHelpFile.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace {

// Paragraph measures of help files are in half points; the view works in pixels.
int pixels(int halfPoints)
{
    return halfPoints * 2 / 3;
}

QImage pictureImage(const HelpPicture &picture)
{
    if (picture.metafile || picture.pixels.isEmpty()) {
        // Metafiles are not drawn: an empty box of their size stands for them.
        const int w = qBound(16, picture.width, 400);
        const int h = qBound(16, picture.height, 400);
        QImage box(w, h, QImage::Format_ARGB32);
        box.fill(Qt::white);
        QPainter painter(&box);
        painter.setPen(Qt::gray);
        painter.drawRect(0, 0, w - 1, h - 1);
        return box;
    }
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.pixels.constData() + qsizetype(y) * picture.width, picture.width,
                    reinterpret_cast<quint32 *>(image.scanLine(y)));
    return image;
}

class Renderer
{
public:
    Renderer(const WinHelpFile &file, QTextDocument *document)
        : m_file(file), m_document(document), m_cursor(document)
    {
    }

    void paragraph(const HelpParagraph &paragraph)
    {
        QTextBlockFormat block;
        block.setAlignment(paragraph.alignment == HelpParagraph::Center  ? Qt::AlignHCenter
                           : paragraph.alignment == HelpParagraph::Right ? Qt::AlignRight
                                                                         : Qt::AlignLeft);
        block.setTopMargin(pixels(paragraph.spaceAbove));
        block.setBottomMargin(pixels(paragraph.spaceBelow));
        block.setLeftMargin(pixels(paragraph.leftIndent));
        block.setRightMargin(pixels(paragraph.rightIndent));
        block.setTextIndent(pixels(paragraph.firstIndent));
        // The document starts with an empty block, and a table is followed by one.
        if (m_atEmptyBlock)
            m_cursor.setBlockFormat(block);
        else
            m_cursor.insertBlock(block);
        m_atEmptyBlock = false;
        runs(paragraph);
    }

    void runs(const HelpParagraph &paragraph)
    {
        for (const HelpRun &run : paragraph.runs) {
            QTextCharFormat format = charFormat(run);
            if (run.picture >= 0 || !run.embeddedPicture.isEmpty()) {
                const QString name = run.picture >= 0
                                         ? QStringLiteral("hlp:bm%1").arg(run.picture)
                                         : QStringLiteral("hlp:embedded%1").arg(m_embedded++);
                QImage image;
                try {
                    image = pictureImage(run.picture >= 0
                                             ? m_file.picture(run.picture)
                                             : HelpPicture::decode(run.embeddedPicture, "picture"));
                } catch (const HelpFormatError &) {
                    image = pictureImage(HelpPicture{});
                }
                m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);
                QTextImageFormat picture;
                picture.merge(format);
                picture.setName(name);
                m_cursor.insertImage(picture);
                continue;
            }
            QString text = run.text;
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            m_cursor.insertText(text, format);
        }
    }

    void table(const QList<HelpParagraph> &cells, const HelpTable &layout)
    {
        int rows = 0;
        for (const HelpParagraph &cell : cells)
            rows = qMax(rows, cell.row + 1);
        QTextTableFormat format;
        format.setBorder(0);
        format.setCellPadding(2);
        QList<QTextLength> widths;
        for (int w : layout.columnWidths)
            widths.append(QTextLength(QTextLength::VariableLength, w));
        format.setColumnWidthConstraints(widths);
        QTextTable *table =
            m_cursor.insertTable(qMax(1, rows), qMax(1, int(layout.columnWidths.size())), format);
        QHash<QPair<int, int>, bool> filled;
        for (const HelpParagraph &cell : cells) {
            QTextTableCell place = table->cellAt(cell.row, cell.column);
            if (!place.isValid())
                continue;
            m_cursor = place.lastCursorPosition();
            if (filled.value({cell.row, cell.column}))
                m_cursor.insertBlock();
            filled.insert({cell.row, cell.column}, true);
            runs(cell);
        }
        m_cursor = table->lastCursorPosition();
        m_cursor.movePosition(QTextCursor::NextBlock);
        m_atEmptyBlock = true;
    }

private:
    QTextCharFormat charFormat(const HelpRun &run) const
    {
        QTextCharFormat format;
        if (run.font >= 0 && run.font < m_file.fonts().size()) {
            const HelpFont &font = m_file.fonts().at(run.font);
            if (!font.face.isEmpty())
                format.setFontFamilies({font.face});
            if (font.halfPoints > 0)
                format.setFontPointSize(font.halfPoints / 2.0);
            format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(font.italic);
            format.setFontUnderline(font.underline);
            format.setFontStrikeOut(font.strikeOut);
            format.setForeground(QColor(QRgb(font.colour)));
        }
        if ((run.link == HelpRun::Jump || run.link == HelpRun::Popup) && run.targetKnown) {
            const bool popup = run.link == HelpRun::Popup;
            format.setAnchor(true);
            format.setAnchorHref(
                QStringLiteral("%1:%2")
                    .arg(popup ? QLatin1StringView("popup") : QLatin1StringView("jump"))
                    .arg(run.target));
            // Jumps are green and underlined, pop-ups green with a dotted line, as help
            // viewers have always shown them.
            format.setForeground(QColor(0x00, 0x80, 0x00));
            format.setUnderlineStyle(popup ? QTextCharFormat::DotLine
                                           : QTextCharFormat::SingleUnderline);
        }
        return format;
    }

    const WinHelpFile &m_file;
    QTextDocument *m_document;
    QTextCursor m_cursor;
    int m_embedded = 0;
    bool m_atEmptyBlock = true;
};

} // namespace

namespace HelpTopicRenderer {

void render(const WinHelpFile &file, const HelpTopic &topic, QTextDocument *document)
{
    document->clear();
    Renderer renderer(file, document);
    for (qsizetype i = 0; i < topic.paragraphs.size();) {
        const HelpParagraph &paragraph = topic.paragraphs.at(i);
        if (paragraph.table < 0) {
            renderer.paragraph(paragraph);
            ++i;
            continue;
        }
        QList<HelpParagraph> cells;
        while (i < topic.paragraphs.size() && topic.paragraphs.at(i).table == paragraph.table)
            cells.append(topic.paragraphs.at(i++));
        renderer.table(cells, topic.tables.value(paragraph.table));
    }
}

bool parseLink(const QString &href, bool *popup, quint32 *offset)
{
    const QString kind = href.section(QLatin1Char(':'), 0, 0);
    if (kind != u"jump" && kind != u"popup")
        return false;
    bool ok = false;
    *offset = href.section(QLatin1Char(':'), 1).toUInt(&ok);
    *popup = kind == u"popup";
    return ok;
}

} // namespace HelpTopicRenderer
