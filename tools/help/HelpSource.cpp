#include "HelpSource.h"

#include "HelpFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QRegularExpression>

#include <stdexcept>

namespace {

struct Compiler
{
    Compiler(HelpFileWriter &writer, const QString &path) : writer(writer), path(path) {}

    HelpFileWriter &writer;
    QString path;
    int lineNumber = 0;
    QHash<QString, int> fonts;
    QHash<QString, int> pictures;
    HelpTopicBuilder *topic = nullptr;
    QStringList paragraph;
    QString paragraphKind;
    QList<QStringList> tableRows;

    [[noreturn]] void fail(const QString &problem) const
    {
        throw std::runtime_error(
            QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(problem).toStdString());
    }

    int font(const QString &name) const
    {
        if (!fonts.contains(name))
            fail(QStringLiteral("no font \"%1\"").arg(name));
        return fonts.value(name);
    }

    void directive(const QString &line)
    {
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (name == u"@title") {
            writer.setTitle(rest);
        } else if (name == u"@copyright") {
            writer.setCopyright(rest);
        } else if (name == u"@contents") {
            writer.setContents(rest.toLatin1());
        } else if (name == u"@font") {
            const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.size() < 3)
                fail(QStringLiteral(
                    "@font NAME FACE HALFPOINTS [bold] [italic] [underline] [#RRGGBB]"));
            HelpFont f;
            f.face = QString(words[1]).replace(QLatin1Char('_'), QLatin1Char(' '));
            f.halfPoints = words[2].toInt();
            for (const QString &word : words.mid(3)) {
                if (word == u"bold")
                    f.bold = true;
                else if (word == u"italic")
                    f.italic = true;
                else if (word == u"underline")
                    f.underline = true;
                else if (word.startsWith(QLatin1Char('#')))
                    f.colour = word.mid(1).toUInt(nullptr, 16);
                else
                    fail(QStringLiteral("unknown font attribute \"%1\"").arg(word));
            }
            fonts.insert(words[0], writer.addFont(f));
        } else if (name == u"@picture") {
            const QString file = QFileInfo(path).dir().filePath(rest.section(QLatin1Char(' '), 1));
            QImage image(file);
            if (image.isNull())
                fail(QStringLiteral("cannot read picture %1").arg(file));
            image = image.convertToFormat(QImage::Format_ARGB32);
            QList<quint32> pixels;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    pixels.append(image.pixel(x, y));
            pictures.insert(rest.section(QLatin1Char(' '), 0, 0),
                            writer.addPicture(image.width(), image.height(), pixels));
        } else {
            fail(QStringLiteral("unknown directive %1").arg(name));
        }
    }

    void startTopic(const QString &line)
    {
        flush();
        const QString head = line.mid(3).section(QLatin1Char('|'), 0, 0);
        const QString title = line.section(QLatin1Char('|'), 1).trimmed();
        const QStringList words = head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty() || title.isEmpty())
            fail(QStringLiteral("=== CONTEXT [NUMBER...] | TITLE"));
        QList<qint32> numbers;
        for (const QString &word : words.mid(1)) {
            bool ok = false;
            numbers.append(word.toInt(&ok));
            if (!ok)
                fail(QStringLiteral("context number \"%1\"").arg(word));
        }
        topic = &writer.addTopic(title, {words[0].toLatin1()}, numbers);
        topic->beginParagraph(HelpParagraph::Left, 6);
        topic->setFont(font(QStringLiteral("title")));
        topic->text(title);
        topic->endParagraph();
    }

    void inlineText(const QString &text, int baseFont)
    {
        static const QRegularExpression markup(QStringLiteral(
            R"(\*\*|\[\[([^|\]]+)\|([^\]]*)\]\]|\(\(([^|)]+)\|([^)]*)\)\)|\{\{([^}]+)\}\}|\\\\)"));
        bool bold = false;
        topic->setFont(baseFont);
        qsizetype at = 0;
        auto it = markup.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            topic->text(text.mid(at, m.capturedStart() - at));
            at = m.capturedEnd();
            const QString token = m.captured(0);
            if (token == u"**") {
                bold = !bold;
                topic->setFont(bold ? font(QStringLiteral("bold")) : baseFont);
            } else if (token == u"\\\\") {
                topic->lineBreak();
            } else if (token.startsWith(u"[[") || token.startsWith(u"((")) {
                const bool jump = token.startsWith(u"[[");
                topic->beginLink(jump ? HelpRun::Jump : HelpRun::Popup,
                                 m.captured(jump ? 1 : 3).trimmed().toLatin1());
                topic->text(m.captured(jump ? 2 : 4));
                topic->endLink();
            } else {
                const QString name = m.captured(5).trimmed();
                if (!pictures.contains(name))
                    fail(QStringLiteral("no picture \"%1\"").arg(name));
                topic->picture(pictures.value(name));
            }
        }
        topic->text(text.mid(at));
    }

    void flush()
    {
        if (!tableRows.isEmpty()) {
            int columns = 0;
            for (const QStringList &row : std::as_const(tableRows))
                columns = qMax(columns, int(row.size()));
            topic->table(QList<int>(columns, 32767 / qMax(1, columns)), tableRows,
                         font(QStringLiteral("normal")));
            tableRows.clear();
        }
        if (paragraph.isEmpty())
            return;
        const QString text = paragraph.join(QLatin1Char(' '));
        if (paragraphKind == u"! ") {
            topic->beginParagraph(HelpParagraph::Left, 4);
            inlineText(text, font(QStringLiteral("heading")));
        } else if (paragraphKind == u"> ") {
            topic->beginParagraph(HelpParagraph::Center, 6);
            inlineText(text, font(QStringLiteral("normal")));
        } else if (paragraphKind == u"- ") {
            topic->beginParagraph(HelpParagraph::Left, 2, 20);
            inlineText(QStringLiteral("• ") + text, font(QStringLiteral("normal")));
        } else {
            topic->beginParagraph(HelpParagraph::Left, 6);
            inlineText(text, font(QStringLiteral("normal")));
        }
        topic->endParagraph();
        paragraph.clear();
    }

    void textLine(const QString &line)
    {
        if (!topic)
            fail(QStringLiteral("text before the first topic"));
        if (line.startsWith(QLatin1Char('|'))) {
            flush();
            QStringList cells = line.split(QLatin1Char('|'));
            cells = cells.mid(1, cells.size() - 2);
            for (QString &cell : cells)
                cell = cell.trimmed();
            tableRows.append(cells);
            return;
        }
        if (!tableRows.isEmpty())
            flush();
        for (const QString &kind :
             {QStringLiteral("! "), QStringLiteral("> "), QStringLiteral("- ")}) {
            if (line.startsWith(kind)) {
                flush();
                paragraphKind = kind;
                paragraph.append(line.mid(2));
                return;
            }
        }
        if (paragraph.isEmpty())
            paragraphKind.clear();
        paragraph.append(line);
    }
};

} // namespace

void HelpSource::compile(const QString &sourcePath, HelpFileWriter &writer,
                         QStringList *contentsLines)
{
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("cannot read %1: %2").arg(sourcePath, file.errorString()).toStdString());
    Compiler compiler(writer, sourcePath);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        ++compiler.lineNumber;
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(u"@cnt")) {
            if (contentsLines)
                contentsLines->append(line.mid(5));
        } else if (line.startsWith(QLatin1Char('@'))) {
            compiler.directive(line);
        } else if (line.startsWith(u"===")) {
            compiler.startTopic(line);
        } else if (line.isEmpty()) {
            if (compiler.topic)
                compiler.flush();
        } else {
            compiler.textLine(line);
        }
    }
    if (compiler.topic)
        compiler.flush();
}
