#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// One start or end tag of an HTML text, with where it and its attribute values stand in the
// text, so that a caller can copy the text through and change single pieces of it.
class HtmlTag
{
public:
    struct Attribute
    {
        QString name;              // lower case
        QString value;             // entities decoded
        qsizetype valueBegin = -1; // span of the value as written, quotes excluded;
        qsizetype valueEnd = -1;   // -1 for an attribute without a value
    };

    // Where the markup starting with the '<' at `at` ends when it is not a tag: after a
    // comment or a declaration, or just after the '<' for a stray one.
    static qsizetype skipNonTag(QStringView html, qsizetype at);

    bool isValid() const { return m_end > m_begin; }
    bool isEndTag() const { return m_endTag; }
    // Lower case, without the '/' of an end tag.
    const QString &name() const { return m_name; }
    qsizetype begin() const { return m_begin; }
    qsizetype end() const { return m_end; } // just after the '>'
    const QList<Attribute> &attributes() const { return m_attributes; }
    const Attribute *attribute(QStringView name) const;
    QString value(QStringView name) const;
    bool has(QStringView name) const { return attribute(name) != nullptr; }

private:
    friend class HtmlTagReader;
    static HtmlTag parse(QStringView html, qsizetype at, std::vector<bool> &neverCloses);

    QString m_name;
    QList<Attribute> m_attributes;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    bool m_endTag = false;
};

// Reads the tags of one text. A tag that never closes is only found out at the end of the
// text, or of a quoted value; the reader remembers where such a scan went, so that text full
// of stray '<' or quotes is read in one pass, not in one pass per '<'.
class HtmlTagReader
{
public:
    explicit HtmlTagReader(QStringView html);

    // The tag that starts with the '<' at position `at`, or an invalid tag when the text there
    // is no tag ("a < b", a comment, a doctype, a tag that never closes).
    HtmlTag tagAt(qsizetype at);
    QStringView html() const { return m_html; }

private:
    QStringView m_html;
    std::vector<bool> m_neverCloses; // positions inside a tag from which the tag never closes
};

// Replaces the character references of an attribute value ("&amp;", "&#261;", ...). A '&'
// that starts no known reference stays as written, as browsers keep "&Sprawdź".
QString decodeHtmlEntities(QStringView text);
