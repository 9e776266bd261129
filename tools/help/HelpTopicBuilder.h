#pragma once

#include "HelpTopic.h"

#include <QByteArray>
#include <QList>
#include <QStringEncoder>

// Writes the records of one help topic: a text record (0x20) per paragraph and a table
// record (0x23) per table, each as its formatting codes (LinkData1) and its strings
// (LinkData2). Text is encoded in the file's code page.
class HelpTopicBuilder
{
public:
    struct Record
    {
        quint8 type = 0x20;
        QByteArray codes; // LinkData1 after the record's sizes, which the writer adds
        QByteArray text;  // LinkData2, before phrase compression
    };

    HelpTopicBuilder(const QString &title, const QList<QByteArray> &contextNames,
                     const QList<qint32> &contextNumbers, const char *codec);

    void beginParagraph(HelpParagraph::Alignment alignment = HelpParagraph::Left,
                        int spaceBelow = 0, int leftIndent = 0);
    void setFont(int font);
    void text(const QString &text);
    void lineBreak();
    void tab();
    // Jumps and pop-ups name their target topic by its context name.
    void beginLink(HelpRun::Link kind, const QByteArray &contextName);
    void endLink();
    void picture(int number);
    void endParagraph();
    // A table of plain-text cells; `widths` are the columns' widths.
    void table(const QList<int> &widths, const QList<QStringList> &rows, int font);

    QByteArray title() const { return m_title; }
    const QList<QByteArray> &contextNames() const { return m_contextNames; }
    const QList<qint32> &contextNumbers() const { return m_contextNumbers; }
    const QList<Record> &records() const { return m_records; }

private:
    QByteArray encode(const QString &text);
    void code(QByteArrayView bytes);
    static QByteArray paragraphSettings(HelpParagraph::Alignment alignment, int spaceBelow,
                                        int leftIndent);

    QStringEncoder m_encoder;
    QByteArray m_title;
    QList<QByteArray> m_contextNames;
    QList<qint32> m_contextNumbers;
    QList<Record> m_records;
    QByteArray m_codes;
    QByteArray m_text;
    QByteArray m_pending;
    bool m_open = false;
};
