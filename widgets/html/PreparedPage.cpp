#include "PreparedPage.h"

#include "HtmlTag.h"
#include "PageResources.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <initializer_list>

namespace {

// Which cell of each open table is open, to tell stray cell end tags.
class TableNesting
{
public:
    // Whether the tag is to be kept.
    bool keep(const HtmlTag &tag)
    {
        const QString &name = tag.name();
        if (name == u"table") {
            if (tag.isEndTag()) {
                if (!m_openCells.isEmpty())
                    m_openCells.removeLast();
            } else {
                m_openCells.append(QString());
            }
            return true;
        }
        if (m_openCells.isEmpty())
            return true;
        QString &cell = m_openCells.last();
        if (name == u"td" || name == u"th") {
            if (!tag.isEndTag()) {
                cell = name;
                return true;
            }
            if (cell != name)
                return false;
            cell.clear();
        } else if (name == u"tr") {
            cell.clear();
        }
        return true;
    }

private:
    QList<QString> m_openCells;
};

bool isOneOf(const QString &name, std::initializer_list<QStringView> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that Qt lays out as blocks of their own.
bool isBlockElement(const QString &name)
{
    return isOneOf(name, {u"address", u"blockquote", u"body",  u"caption", u"center", u"dd",
                          u"div",     u"dl",         u"dt",    u"h1",      u"h2",     u"h3",
                          u"h4",      u"h5",         u"h6",    u"hr",      u"html",   u"li",
                          u"ol",      u"p",          u"pre",   u"table",   u"tbody",  u"td",
                          u"tfoot",   u"th",         u"thead", u"tr",      u"ul"});
}

// Elements that show nothing in the text flow themselves.
bool isInvisibleElement(const QString &name)
{
    return isOneOf(name, {u"form", u"head", u"link", u"meta", u"script", u"style", u"title"});
}

// Elements that put something on the line.
bool isContentElement(const QString &name)
{
    return isOneOf(name, {u"br", u"img", u"input"});
}

bool hasVisibleText(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

// Where the contents of a script or style element end: at its end tag.
qsizetype rawTextEnd(QStringView html, const HtmlTag &tag)
{
    const qsizetype close =
        html.indexOf(QString(QStringLiteral("</") + tag.name()), tag.end(), Qt::CaseInsensitive);
    return close < 0 ? html.size() : close;
}

// Whether nothing more comes on the line before the next block boundary or the end.
bool endsLine(HtmlTagReader &tags, qsizetype from)
{
    const QStringView html = tags.html();
    qsizetype at = from;
    while (at < html.size()) {
        if (html[at].isSpace()) {
            ++at;
            continue;
        }
        if (html[at] != u'<')
            return false;
        const HtmlTag tag = tags.tagAt(at);
        if (!tag.isValid()) {
            const qsizetype skipped = HtmlTag::skipNonTag(html, at);
            if (skipped == at + 1)
                return false; // a '<' of the text
            at = skipped;
            continue;
        }
        if (isBlockElement(tag.name()))
            return true;
        if (isContentElement(tag.name()) && !tag.isEndTag())
            return false;
        at = tag.end();
        if (!tag.isEndTag() && (tag.name() == u"script" || tag.name() == u"style"))
            at = rawTextEnd(html, tag);
    }
    return true;
}

// Mends Qt's importer where it lays out blocks and line breaks unlike browsers:
// - inline content right after the end of a block is broken in two or runs into the block
//   before ("<h1>T</h1><b>a<br>b</b>" gains a paragraph break after "a", "<div>T</div>abc"
//   becomes one line); an empty block in between sets it right and takes no room;
// - a line break that ends a block's content adds an empty line in Qt, not in browsers;
// - a line break alone between two blocks makes two empty lines in Qt, one in browsers.
class BlockFlow
{
public:
    // What goes in place of a <br>: the tag itself, nothing, or an empty paragraph.
    QString lineBreak(HtmlTagReader &tags, const HtmlTag &tag)
    {
        const QStringView text = tags.html().sliced(tag.begin(), tag.end() - tag.begin());
        const bool hadContent = m_lineHasContent;
        m_lineHasContent = true;
        m_breakPending = false;
        if (!endsLine(tags, tag.end()))
            return text.toString();
        if (hadContent)
            return QString();
        if (m_afterClosedBlock)
            return QStringLiteral("<p style=\"-qt-paragraph-type:empty; margin:0\"><br></p>");
        return text.toString();
    }

    // What goes before the text between two tags.
    QString beforeText(QStringView text)
    {
        if (!hasVisibleText(text))
            return QString();
        m_lineHasContent = true;
        return takeBreak();
    }

    // What goes before any other tag.
    QString beforeTag(const HtmlTag &tag)
    {
        const QString &name = tag.name();
        if (isBlockElement(name)) {
            m_lineHasContent = false;
            m_afterClosedBlock = tag.isEndTag() || name == u"hr";
            m_breakPending = m_afterClosedBlock && endsFlowBlock(tag);
            return QString();
        }
        if (tag.isEndTag() || isInvisibleElement(name))
            return QString();
        if (isContentElement(name))
            m_lineHasContent = true;
        return takeBreak();
    }

private:
    // Block ends after which Qt mishandles inline content.
    static bool endsFlowBlock(const HtmlTag &tag)
    {
        return tag.name() == u"hr" ||
               isOneOf(tag.name(), {u"address", u"blockquote", u"center", u"div", u"dl", u"h1",
                                    u"h2", u"h3", u"h4", u"h5", u"h6", u"ol", u"p", u"pre", u"ul"});
    }

    QString takeBreak()
    {
        if (!m_breakPending)
            return QString();
        m_breakPending = false;
        return QStringLiteral("<div></div>");
    }

    bool m_breakPending = false;
    bool m_lineHasContent = false;
    bool m_afterClosedBlock = true;
};

class PageRewriter
{
public:
    explicit PageRewriter(PreparedPage &page) : m_page(page) {}

    void rewrite(const QString &html)
    {
        QString &out = m_page.html;
        out.reserve(html.size() + html.size() / 8);
        HtmlTagReader tags(html);
        qsizetype copied = 0;
        qsizetype at = html.indexOf(u'<');
        while (at >= 0) {
            const HtmlTag tag = tags.tagAt(at);
            if (!tag.isValid()) {
                at = html.indexOf(u'<', HtmlTag::skipNonTag(html, at));
                continue;
            }
            const QStringView text = QStringView(html).sliced(copied, tag.begin() - copied);
            out += m_flow.beforeText(text);
            out += text;
            copied = tag.end();
            qsizetype next = tag.end();
            if (!m_tables.keep(tag)) {
                // dropped
            } else if (tag.name() == u"br" && !tag.isEndTag()) {
                out += m_flow.lineBreak(tags, tag);
            } else {
                out += m_flow.beforeTag(tag);
                out += rewritten(html, tag);
                if (!tag.isEndTag() && (tag.name() == u"script" || tag.name() == u"style"))
                    next = rawTextEnd(html, tag);
            }
            if (next > copied) {
                out += QStringView(html).sliced(copied, next - copied);
                copied = next;
            }
            at = html.indexOf(u'<', next);
        }
        const QStringView rest = QStringView(html).sliced(copied);
        out += m_flow.beforeText(rest);
        out += rest;
    }

private:
    QString rewritten(const QString &html, const HtmlTag &tag)
    {
        if (tag.isEndTag()) {
            if (tag.name() == u"form")
                m_form = -1;
        } else if (tag.name() == u"input" && isControl(tag)) {
            return controlMarkup(tag);
        } else if (tag.name() == u"img" && tag.has(u"src")) {
            return withImageName(html, tag);
        } else if (tag.name() == u"form" && m_form < 0) {
            m_form = m_page.forms.addForm(tag.value(u"action"), tag.value(u"target"));
        }
        return tagText(html, tag).toString();
    }

    static QStringView tagText(const QString &html, const HtmlTag &tag)
    {
        return QStringView(html).sliced(tag.begin(), tag.end() - tag.begin());
    }

    static bool isControl(const HtmlTag &tag)
    {
        const QString type = tag.value(u"type").toLower();
        return type == u"checkbox" || type == u"submit";
    }

    int currentForm()
    {
        if (m_form >= 0)
            return m_form;
        // Controls outside any form element belong to one form without action, as the
        // quiz's question pages have them.
        if (m_looseControlsForm < 0)
            m_looseControlsForm = m_page.forms.addForm(QString(), QString());
        return m_looseControlsForm;
    }

    QString controlMarkup(const HtmlTag &tag)
    {
        HtmlForms &forms = m_page.forms;
        const int form = currentForm();
        int index = -1;
        if (tag.value(u"type").toLower() == u"checkbox") {
            const QString value = tag.has(u"value") ? tag.value(u"value") : QStringLiteral("on");
            index = forms.addCheckBox(form, tag.value(u"name"), value, tag.has(u"checked"));
        } else {
            const QString label =
                tag.has(u"value") ? tag.value(u"value") : QStringLiteral("Submit");
            index = forms.addSubmitButton(form, label);
        }
        const QString name = PageResources::name(PageResources::formScheme, index);
        return QStringLiteral("<a href=\"%1\" style=\"text-decoration: none\">"
                              "<img src=\"%1\" style=\"vertical-align: middle\"></a>")
            .arg(name);
    }

    QString withImageName(const QString &html, const HtmlTag &tag)
    {
        const HtmlTag::Attribute *src = tag.attribute(u"src");
        if (src->valueBegin < 0)
            return tagText(html, tag).toString();
        auto index = m_imageIndexes.constFind(src->value);
        if (index == m_imageIndexes.constEnd()) {
            index = m_imageIndexes.insert(src->value, int(m_page.imageSources.size()));
            m_page.imageSources.append(src->value);
        }
        const QStringView text(html);
        return text.sliced(tag.begin(), src->valueBegin - tag.begin()).toString() +
               PageResources::name(PageResources::imageScheme, *index) +
               text.sliced(src->valueEnd, tag.end() - src->valueEnd).toString();
    }

    PreparedPage &m_page;
    QHash<QString, int> m_imageIndexes; // where each source stands in imageSources
    TableNesting m_tables;
    BlockFlow m_flow;
    int m_form = -1;
    int m_looseControlsForm = -1;
};

} // namespace

PreparedPage PreparedPage::prepare(const QString &html)
{
    PreparedPage page;
    PageRewriter(page).rewrite(html);
    return page;
}
