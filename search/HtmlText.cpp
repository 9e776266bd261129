#include "HtmlText.h"

#include <QHash>

namespace {

QChar entity(QStringView name)
{
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name[1] == u'x' || name[1] == u'X')
                              ? name.mid(2).toUInt(&ok, 16)
                              : name.mid(1).toUInt(&ok, 10);
        const bool single = code > 0 && code < 0x10000 && !QChar::isSurrogate(code);
        return ok && single ? QChar(char16_t(code)) : QChar();
    }
    static const QHash<QString, QChar> named{
        {QStringLiteral("amp"), u'&'},    {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},     {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''},  {QStringLiteral("nbsp"), u' '},
        {QStringLiteral("ndash"), u'–'},  {QStringLiteral("mdash"), u'—'},
        {QStringLiteral("bdquo"), u'„'},  {QStringLiteral("rdquo"), u'”'},
        {QStringLiteral("laquo"), u'«'},  {QStringLiteral("raquo"), u'»'},
        {QStringLiteral("hellip"), u'…'}, {QStringLiteral("bull"), u'•'},
    };
    return named.value(name.toString().toLower());
}

// Elements whose content is not text for the reader.
bool skipsContent(QStringView tag, QStringView &closing)
{
    for (QStringView name : {QStringView(u"script"), QStringView(u"style")}) {
        if (tag.startsWith(name, Qt::CaseInsensitive) &&
            (tag.size() == name.size() || !tag[name.size()].isLetterOrNumber())) {
            closing = name;
            return true;
        }
    }
    return false;
}

// Inline elements sit inside words ("Ko<b>t</b>"); every other tag separates words.
bool isInline(QStringView tag)
{
    if (tag.startsWith(u'/'))
        tag = tag.mid(1);
    qsizetype n = 0;
    while (n < tag.size() && tag[n].isLetterOrNumber())
        ++n;
    static const QStringList names{
        QStringLiteral("a"),    QStringLiteral("b"),      QStringLiteral("i"),
        QStringLiteral("u"),    QStringLiteral("s"),      QStringLiteral("em"),
        QStringLiteral("font"), QStringLiteral("span"),   QStringLiteral("strong"),
        QStringLiteral("sub"),  QStringLiteral("sup"),    QStringLiteral("small"),
        QStringLiteral("big"),  QStringLiteral("strike"), QStringLiteral("tt"),
    };
    return names.contains(tag.left(n).toString(), Qt::CaseInsensitive);
}

} // namespace

namespace HtmlText {

QString plainText(const QStringList &lines)
{
    const QString html = lines.join(u'\n');
    QString text;
    text.reserve(html.size());
    bool space = true; // no space at the start
    const auto put = [&](QChar c) {
        if (c.isSpace()) {
            if (!space)
                text.append(u' ');
            space = true;
        } else {
            text.append(c);
            space = false;
        }
    };

    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html.at(i);
        if (c == u'<') {
            if (QStringView(html).mid(i, 4) == u"<!--") {
                const qsizetype end = html.indexOf(u"-->", i + 4);
                i = end < 0 ? html.size() : end + 3;
                continue;
            }
            const qsizetype end = html.indexOf(u'>', i + 1);
            if (end < 0)
                break; // an unclosed tag to the end of the text
            const QStringView tag = QStringView(html).mid(i + 1, end - i - 1);
            QStringView closing;
            if (skipsContent(tag, closing)) {
                const qsizetype close = html.indexOf(QStringLiteral("</") + closing.toString(), end,
                                                     Qt::CaseInsensitive);
                const qsizetype closeEnd = close < 0 ? -1 : html.indexOf(u'>', close);
                i = closeEnd < 0 ? html.size() : closeEnd + 1;
            } else {
                i = end + 1;
            }
            if (!isInline(tag))
                put(u' ');
            continue;
        }
        if (c == u'&') {
            const qsizetype end = html.indexOf(u';', i + 1);
            if (end > i + 1 && end - i <= 10) {
                const QChar resolved = entity(QStringView(html).mid(i + 1, end - i - 1));
                if (!resolved.isNull()) {
                    put(resolved);
                    i = end + 1;
                    continue;
                }
            }
        }
        put(c);
        ++i;
    }
    if (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace HtmlText
