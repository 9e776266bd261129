#include "HtmlTag.h"

#include <algorithm>

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isNameChar(QChar c)
{
    return !isSpace(c) && c != u'>' && c != u'/' && c != u'=' && c != u'<';
}

} // namespace

// Where the tag goes on from position i between its attributes depends on i alone, so once
// a scan from i found no end, every position it passed on the way is marked in `neverCloses`.
HtmlTag HtmlTag::parse(QStringView html, qsizetype at, std::vector<bool> &neverCloses)
{
    std::vector<qsizetype> passed;
    const auto unclosed = [&passed, &neverCloses]() {
        for (const qsizetype position : passed)
            neverCloses[size_t(position)] = true;
        return HtmlTag();
    };
    HtmlTag tag;
    const qsizetype size = html.size();
    qsizetype i = at + 1;
    if (i < size && html[i] == u'/') {
        tag.m_endTag = true;
        ++i;
    }
    if (i >= size || !html[i].isLetter())
        return {};
    const qsizetype nameBegin = i;
    while (i < size && isNameChar(html[i]))
        ++i;
    tag.m_name = html.sliced(nameBegin, i - nameBegin).toString().toLower();

    while (i < size) {
        if (neverCloses[size_t(i)])
            return unclosed();
        passed.push_back(i);
        while (i < size && (isSpace(html[i]) || html[i] == u'/'))
            ++i;
        if (i >= size)
            break;
        if (html[i] == u'>') {
            tag.m_begin = at;
            tag.m_end = i + 1;
            return tag;
        }
        Attribute attribute;
        const qsizetype attrBegin = i;
        while (i < size && isNameChar(html[i]))
            ++i;
        if (i == attrBegin) // a stray '=' or '<'
            ++i;
        attribute.name = html.sliced(attrBegin, i - attrBegin).toString().toLower();
        qsizetype j = i;
        while (j < size && isSpace(html[j]))
            ++j;
        if (j < size && html[j] == u'=') {
            ++j;
            while (j < size && isSpace(html[j]))
                ++j;
            if (j < size && (html[j] == u'"' || html[j] == u'\'')) {
                const QChar quote = html[j];
                const qsizetype close = html.indexOf(quote, j + 1);
                if (close < 0)
                    return unclosed();
                attribute.valueBegin = j + 1;
                attribute.valueEnd = close;
                i = close + 1;
            } else {
                attribute.valueBegin = j;
                while (j < size && !isSpace(html[j]) && html[j] != u'>')
                    ++j;
                attribute.valueEnd = j;
                i = j;
            }
            attribute.value = decodeHtmlEntities(
                html.sliced(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin));
        }
        if (!attribute.name.isEmpty())
            tag.m_attributes.append(attribute);
    }
    return unclosed();
}

HtmlTagReader::HtmlTagReader(QStringView html)
    : m_html(html), m_neverCloses(size_t(html.size()) + 1, false)
{
}

HtmlTag HtmlTagReader::tagAt(qsizetype at)
{
    return HtmlTag::parse(m_html, at, m_neverCloses);
}

qsizetype HtmlTag::skipNonTag(QStringView html, qsizetype at)
{
    if (html.sliced(at).startsWith(u"<!--")) {
        const qsizetype close = html.indexOf(u"-->", at + 4);
        return close < 0 ? html.size() : close + 3;
    }
    if (at + 1 < html.size() && (html[at + 1] == u'!' || html[at + 1] == u'?')) {
        const qsizetype close = html.indexOf(u'>', at);
        return close < 0 ? html.size() : close + 1;
    }
    return at + 1;
}

const HtmlTag::Attribute *HtmlTag::attribute(QStringView name) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.name == name)
            return &attribute;
    }
    return nullptr;
}

QString HtmlTag::value(QStringView name) const
{
    const Attribute *found = attribute(name);
    return found ? found->value : QString();
}

QString decodeHtmlEntities(QStringView text)
{
    static const struct
    {
        QStringView name;
        char16_t character;
    } named[] = {{u"amp", u'&'},  {u"lt", u'<'},    {u"gt", u'>'},
                 {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00a0'}};

    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        // The longest reference known is 9 characters with its '&'; looking no further keeps
        // a value full of '&' linear.
        const qsizetype semicolon =
            text[i] == u'&' ? text.first(std::min(text.size(), i + 11)).indexOf(u';', i + 1) : -1;
        if (semicolon > i + 1 && semicolon - i <= 10) {
            const QStringView reference = text.sliced(i + 1, semicolon - i - 1);
            char32_t decoded = 0;
            if (reference.startsWith(u'#')) {
                const bool hex =
                    reference.size() > 1 && (reference[1] == u'x' || reference[1] == u'X');
                bool ok = false;
                const uint code = reference.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
                if (ok && code > 0 && code <= 0x10FFFF)
                    decoded = code;
            } else {
                for (const auto &entity : named) {
                    if (reference.compare(entity.name, Qt::CaseInsensitive) == 0)
                        decoded = entity.character;
                }
            }
            if (decoded) {
                result += QString::fromUcs4(&decoded, 1);
                i = semicolon + 1;
                continue;
            }
        }
        result += text[i];
        ++i;
    }
    return result;
}
