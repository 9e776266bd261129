#pragma once

#include <QList>
#include <QString>
#include <QStringView>

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

    // Reads the tag that starts with the '<' at position `at`. Returns an invalid tag when the
    // text there is no tag ("a < b", a comment, a doctype, a tag that never closes).
    static HtmlTag parse(QStringView html, qsizetype at);
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
    QString m_name;
    QList<Attribute> m_attributes;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    bool m_endTag = false;
};

// Replaces the character references of an attribute value ("&amp;", "&#261;", ...). A '&'
// that starts no known reference stays as written, as browsers keep "&Sprawdź".
QString decodeHtmlEntities(QStringView text);
