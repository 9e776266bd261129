#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What a help topic holds once read: paragraphs of formatted runs, the way the viewer and the
// command-line tool need them. Measures are in the file's own unit (half points in help files
// of the 3.x and 4.0 compilers).

struct HelpFont
{
    QString face;
    int halfPoints = 20;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool smallCaps = false;
    quint32 colour = 0; // 0xRRGGBB
};

struct HelpRun
{
    enum Link { NoLink, Jump, Popup, OtherFile, Macro };

    QString text; // '\n' stands for a line break, '\t' for a tab
    int font = -1;
    Link link = NoLink;
    quint32 target = 0;         // the TOPICOFFSET a jump or pop-up leads to
    bool targetKnown = false;   // whether the file names the target
    int picture = -1;           // |bmN of a picture run
    QByteArray embeddedPicture; // a picture stored in the text itself
};

struct HelpParagraph
{
    enum Alignment { Left, Right, Center };

    Alignment alignment = Left;
    int spaceAbove = 0;
    int spaceBelow = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    QList<int> tabStops;
    QList<HelpRun> runs;
    int table = -1; // index into HelpTopic::tables for a paragraph inside a table cell
    int row = -1;
    int column = -1;

    QString plainText() const;
};

struct HelpTable
{
    QList<int> columnWidths;
};

struct HelpTopic
{
    quint32 offset = 0;
    QString title;
    QList<HelpParagraph> paragraphs;
    QList<HelpTable> tables;

    // One line per paragraph; line breaks and tabs become spaces.
    QStringList plainLines() const;
};
