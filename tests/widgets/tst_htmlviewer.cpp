#include "THTMLViewer.h"
#include "html/PreparedPage.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextTable>

#include <memory>

namespace {

// A question page as the quiz builds it, markup quirks included.
QStringList quizPage(const QString &question, const QStringList &answers)
{
    return {QStringLiteral("<body><br><table border align=center width=75%>"),
            QStringLiteral("<tr><td bgcolor=\"#d0d0d0\">"),
            QStringLiteral("<table align=center>"),
            QStringLiteral("<tr><th align=right><h3>Pytanie numer 1</h3></th></td>"),
            QStringLiteral("<tr><td><hr></td>"),
            QStringLiteral("<tr><td align=center><h3>"),
            question,
            QStringLiteral("</h3></td>"),
            QStringLiteral("<tr><td><hr><br></td>"),
            QStringLiteral("<tr><td align=left><b>Odpowiedzi:</b></td>"),
            QStringLiteral("<tr><td align=left><ol><li><input type=checkbox Name=Odp1 value=1> ") +
                answers.value(0) + QStringLiteral("<br>"),
            QStringLiteral("<li><input type=checkbox Name=Odp2 value=2> ") + answers.value(1) +
                QStringLiteral("<br>"),
            QStringLiteral("<li><input type=checkbox Name=Odp3 value=3> ") + answers.value(2) +
                QStringLiteral("</ol></td>"),
            QStringLiteral("<tr><td><hr></td>"),
            QStringLiteral("<tr><td align= center><h3><INPUT TYPE=SUBMIT name=\"Odpowiedz\" "
                           "value=\"&Sprawdź\"></h3></td>"),
            QStringLiteral("</table>"),
            QStringLiteral("</table><br><br></body>")};
}

QStringList quizQuestion()
{
    return quizPage(QStringLiteral("Kto napisał „Lalkę”?"),
                    {QStringLiteral("Bolesław Prus"), QStringLiteral("Henryk Sienkiewicz"),
                     QStringLiteral("Eliza Orzeszkowa")});
}

struct Submission
{
    int count = 0;
    QString action;
    QString target;
    QStringList lines;
};

// A shown view, large enough for the pages of these tests.
class View : public THTMLViewer
{
public:
    View()
    {
        resize(700, 900);
        connect(this, &THTMLViewer::FormSubmit, this,
                [this](const QString &action, const QString &target, const QStringList &lines) {
                    ++submission.count;
                    submission.action = action;
                    submission.target = target;
                    submission.lines = lines;
                });
        connect(this, &THTMLViewer::HotSpotClick, this,
                [this](const QString &target, bool *) { clickedTargets.append(target); });
    }

    bool showExposed()
    {
        show();
        return QTest::qWaitForWindowExposed(this);
    }

    QTextCursor find(const QString &text) const { return document()->find(text); }

    // The rectangle, in viewport coordinates, of the character at a document position.
    QRect charRect(int position)
    {
        QTextCursor cursor(document());
        cursor.setPosition(position);
        const QRect before = cursorRect(cursor);
        cursor.setPosition(position + 1);
        const QRect after = cursorRect(cursor);
        return QRect(before.left(), before.top(), after.left() - before.left(), before.height());
    }

    // The document position of the n-th picture (images, form controls) counted from 0.
    int picturePosition(int n) const
    {
        const QString text = document()->toRawText();
        int position = -1;
        for (int i = 0; i <= n; ++i) {
            position = int(text.indexOf(QChar::ObjectReplacementCharacter, position + 1));
            if (position < 0)
                return -1;
        }
        return position;
    }

    void clickPosition(int position, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, modifiers, charRect(position).center());
    }

    void clickPicture(int n) { clickPosition(picturePosition(n)); }

    QImage pictureOnScreen(int n)
    {
        const QRect rect = charRect(picturePosition(n));
        return viewport()->grab(rect).toImage();
    }

    Submission submission;
    QStringList clickedTargets;
};

QTextCharFormat formatOf(const QTextCursor &found)
{
    QTextCursor cursor = found;
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral(R"(/Type\s*/Page(?![a-zA-Z]))"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

class TestHtmlViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fragmentKeepsPolishLetters();
    void blocksAndLineBreaksAsInBrowsers_data();
    void blocksAndLineBreaksAsInBrowsers();
    void renders_data();
    void renders();
    void tablesKeepTheirAttributes();
    void quizQuestionStaysInsideItsFrame();
    void brokenMarkupTakesLinearTime_data();
    void brokenMarkupTakesLinearTime();

    void defaultLookApplies();
    void linkColourChangeRerenders();
    void fontChangeKeepsTicksAndPictures();

    void linkClickOnlyReports_data();
    void linkClickOnlyReports();
    void linkActivatedByKeyboardReportsItsTarget();

    void imageRequestAsksOncePerSource();
    void transparentColourShowsTheBackground();
    void noImageAnswerLeavesAPlaceholder();
    void imagesSwitchedOffAreNeverAsked();
    void everyDocumentAsksAnew();

    void tickedBoxesAreSubmitted_data();
    void tickedBoxesAreSubmitted();
    void tickChangesThePicture();
    void acceleratorSubmits_data();
    void acceleratorSubmits();
    void acceleratorGoesBeforeWindowShortcut();
    void formsAreSubmittedSeparately();
    void submitHandlerMayLoadTheNextPage();

    void mouseButtonsAreReported();
    void selectionOperations();
    void copyLeavesOutPictures();
    void noSelectStopsSelectingByMouse_data();
    void noSelectStopsSelectingByMouse();

    void printsPageRange_data();
    void printsPageRange();
    void printMarginsShrinkThePage();

    void loadsFileInItsEncoding_data();
    void loadsFileInItsEncoding();

    void accessibleDocumentText_data();
    void accessibleDocumentText();
    void accessibleLinks();
    void accessibleLinkPressFollowsIt_data();
    void accessibleLinkPressFollowsIt();
    void accessibleLinksFollowTheDocument();
    void accessibleBoundaries_data();
    void accessibleBoundaries();
    void accessibleLinesFollowTheLayout();
    void accessibleCaretSelectionAndGeometry();
};

void TestHtmlViewer::fragmentKeepsPolishLetters()
{
    THTMLViewer view;
    view.LoadStrings({QStringLiteral("<h1>Zażółć gęślą jaźń</h1>"),
                      QStringLiteral("<p>źdźbło, ŻÓŁW&nbsp;i&nbsp;Łódź</p>")});
    QCOMPARE(view.toPlainText(), QStringLiteral("Zażółć gęślą jaźń\nźdźbło, ŻÓŁW i Łódź"));
}

void TestHtmlViewer::blocksAndLineBreaksAsInBrowsers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("blocks"); // "|" for a line break, "*" for a picture

    QTest::newRow("works heading")
        << QStringList{QStringLiteral("<h1>Pan Tadeusz</h1><b>• Adam Mickiewicz •<br>"),
                       QStringLiteral("• Paryż • 1834 •</b><hr><br>"), QStringLiteral("<P>Tekst")}
        << QStringList{QStringLiteral("Pan Tadeusz"),
                       QStringLiteral("• Adam Mickiewicz •|• Paryż • 1834 •"), QString(), QString(),
                       QStringLiteral("Tekst")};
    QTest::newRow("font after a heading")
        << QStringList{QStringLiteral("<h3>Tytuł</h3>"),
                       QStringLiteral("<font size=-1>drobny <i>druk</i></font>")}
        << QStringList{QStringLiteral("Tytuł"), QStringLiteral("drobny druk")};
    QTest::newRow("bold after a rule") << QStringList{QStringLiteral("<hr><b>a<br>b</b>")}
                                       << QStringList{QString(), QStringLiteral("a|b")};
    QTest::newRow("text after a div")
        << QStringList{QStringLiteral("<div>Blok</div>tekst")}
        << QStringList{QStringLiteral("Blok"), QStringLiteral("tekst")};
    QTest::newRow("picture after a heading")
        << QStringList{QStringLiteral("<h1>Tytuł</h1><img src=\"a.bmp\">podpis")}
        << QStringList{QStringLiteral("Tytuł"), QStringLiteral("*podpis")};
    QTest::newRow("line break ending list items")
        << QStringList{QStringLiteral("<ol><li>a<br>"), QStringLiteral("<li><b>b<br></b>"),
                       QStringLiteral("<li>c</ol>")}
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("two line breaks before a paragraph")
        << QStringList{QStringLiteral("a<br><br><p>b</p>")}
        << QStringList{QStringLiteral("a|"), QStringLiteral("b")};
    QTest::newRow("line breaks within a line stay")
        << QStringList{QStringLiteral("<p>a<br>b<br><i>c</i></p><br>d")}
        << QStringList{QStringLiteral("a|b|c"), QStringLiteral("|d")};
    QTest::newRow("no breaks before blocks")
        << QStringList{QStringLiteral("<h1>Tytuł</h1><p>akapit</p><table><tr><td>x</td></tr>"
                                      "</table>koniec")}
        << QStringList{QStringLiteral("Tytuł"), QStringLiteral("akapit"), QStringLiteral("x"),
                       QStringLiteral("koniec")};
}

void TestHtmlViewer::blocksAndLineBreaksAsInBrowsers()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, blocks);

    THTMLViewer view;
    view.LoadStrings(lines);
    QStringList shown;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        QString text = block.text();
        text.replace(QChar::LineSeparator, u'|').replace(QChar::ObjectReplacementCharacter, u'*');
        shown.append(text.trimmed()); // blanks at the ends of a line show nothing
    }
    QCOMPARE(shown, blocks);
}

void TestHtmlViewer::renders_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("sizeChange"); // sign of the change against the default size

    const int left = Qt::AlignLeft;
    QTest::newRow("h1") << QStringLiteral("<h1>Tytuł</h1>tekst") << QStringLiteral("Tytuł") << left
                        << 1;
    QTest::newRow("center") << QStringLiteral("przed<center>Środek</center>po")
                            << QStringLiteral("Środek") << int(Qt::AlignHCenter) << 0;
    QTest::newRow("p align=right") << QStringLiteral("<p align=right>Prawo</p>")
                                   << QStringLiteral("Prawo") << int(Qt::AlignRight) << 0;
    QTest::newRow("font -1 around a paragraph")
        << QStringLiteral("tekst<br><br><font size=-1><p align=right><I>Autor</I></font>")
        << QStringLiteral("Autor") << int(Qt::AlignRight) << -1;
    QTest::newRow("font +1") << QStringLiteral("a <font size=+1>duży</font> b")
                             << QStringLiteral("duży") << left << 1;
    QTest::newRow("cell align=center")
        << QStringLiteral("<table width=100%><tr><td align=center>Komórka</td></tr></table>")
        << QStringLiteral("Komórka") << int(Qt::AlignHCenter) << 0;
}

void TestHtmlViewer::renders()
{
    QFETCH(QString, html);
    QFETCH(QString, word);
    QFETCH(int, alignment);
    QFETCH(int, sizeChange);

    View view;
    view.SetDefFontSize(12);
    view.LoadStrings({html});
    const QTextCursor found = view.find(word);
    QVERIFY(!found.isNull());
    const int horizontal = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify;
    QCOMPARE(int(found.blockFormat().alignment() & horizontal), alignment);
    const qreal size = formatOf(found).font().pointSizeF();
    QCOMPARE(size > 12, sizeChange > 0);
    QCOMPARE(size < 12, sizeChange < 0);
}

void TestHtmlViewer::tablesKeepTheirAttributes()
{
    View view;
    view.LoadStrings({QStringLiteral("<table cellpadding=4 cellspacing=3 width=50% align=center>"
                                     "<tr><td bgcolor=\"#ff0000\" width=30%>a&nbsp;b</td>"
                                     "<td bgcolor=silver>c</td></tr></table>")});
    const QTextTable *table = view.find(QStringLiteral("c")).currentTable();
    QVERIFY(table);
    const QTextTableFormat format = table->format();
    QCOMPARE(format.cellPadding(), 4.0);
    QCOMPARE(format.cellSpacing(), 3.0);
    QCOMPARE(format.width(), QTextLength(QTextLength::PercentageLength, 50));
    QCOMPARE(format.alignment(), Qt::AlignHCenter);
    QCOMPARE(table->cellAt(0, 0).format().background().color(), QColor(255, 0, 0));
    QCOMPARE(table->cellAt(0, 1).format().background().color(), QColor(192, 192, 192));
    QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), QStringLiteral("a\u00a0b"));
}

void TestHtmlViewer::quizQuestionStaysInsideItsFrame()
{
    // The page closes the heading cell with "</th></td>"; the stray "</td>" must not end the
    // inner table, or the rest of the question falls out of the grey frame.
    View view;
    view.LoadStrings(quizQuestion());
    const QTextTable *heading = view.find(QStringLiteral("Pytanie numer 1")).currentTable();
    const QTextTable *answers = view.find(QStringLiteral("Odpowiedzi:")).currentTable();
    QVERIFY(heading);
    QCOMPARE(answers, heading);
    const auto *frame = qobject_cast<QTextTable *>(heading->parentFrame());
    QVERIFY(frame);
    QCOMPARE(frame->rows(), 1);
    QCOMPARE(frame->format().width(), QTextLength(QTextLength::PercentageLength, 75));
    QCOMPARE(frame->format().border(), 1.0);
    QCOMPARE(frame->cellAt(0, 0).format().background().color(), QColor(0xd0, 0xd0, 0xd0));
}

void TestHtmlViewer::brokenMarkupTakesLinearTime_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("pictures");
    // Each of these took seconds to tens of seconds when every '<' or '&' was followed to the
    // end of the text.
    QTest::newRow("tags that never close") << QStringLiteral("<a").repeated(5000) << 0;
    QTest::newRow("quotes that never close") << QStringLiteral("<a x='").repeated(10000) << 0;
    QTest::newRow("ampersands in a value")
        << QStringLiteral("<img alt=\"") + QString(400000, u'&') + QStringLiteral("\">") << 0;
}

void TestHtmlViewer::brokenMarkupTakesLinearTime()
{
    QFETCH(QString, html);
    QFETCH(int, pictures);
    QElapsedTimer timer;
    timer.start();
    const PreparedPage page = PreparedPage::prepare(html);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    QCOMPARE(page.imageSources.size(), pictures);
    if (pictures == 0) // no tag to change: the text goes through as it is
        QCOMPARE(page.html, html);
}

void TestHtmlViewer::defaultLookApplies()
{
    View view;
    view.SetDefBackground(QColor(0, 0, 64));
    view.SetDefFontColor(Qt::white);
    view.SetDefFontName(QStringLiteral("DejaVu Serif"));
    view.SetDefFontSize(14);
    view.SetDefHotSpotColor(Qt::red);
    view.SetDefPreFontName(QStringLiteral("DejaVu Sans Mono"));
    view.LoadStrings({QStringLiteral("<a href=\"x\">link</a> <a href=\"y\"><font color=#00ff00>"
                                     "own</font></a> <a name=\"z\">name</a> <tt>kod</tt> text")});

    QCOMPARE(view.palette().color(QPalette::Base), QColor(0, 0, 64));
    QCOMPARE(view.palette().color(QPalette::Text), QColor(Qt::white));
    QCOMPARE(view.document()->defaultFont().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(view.document()->defaultFont().pointSize(), 14);
    QCOMPARE(formatOf(view.find(QStringLiteral("link"))).foreground().color(), QColor(Qt::red));
    QCOMPARE(formatOf(view.find(QStringLiteral("own"))).foreground().color(), QColor(0, 255, 0));
    // A named anchor is no link and keeps the text colour.
    QCOMPARE(formatOf(view.find(QStringLiteral("name"))).foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(view.find(QStringLiteral("kod"))).fontFamilies().toStringList().value(0),
             QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(view.DefBackground(), QColor(0, 0, 64));
    QCOMPARE(view.DefFontName(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(view.DefFontSize(), 14);
}

void TestHtmlViewer::linkColourChangeRerenders()
{
    View view;
    view.LoadStrings({QStringLiteral("<a href=\"x\">link</a> <tt>kod</tt>")});
    view.SetDefHotSpotColor(QColor(255, 128, 0));
    view.SetDefPreFontName(QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(formatOf(view.find(QStringLiteral("link"))).foreground().color(), QColor(255, 128, 0));
    QCOMPARE(formatOf(view.find(QStringLiteral("kod"))).fontFamilies().toStringList().value(0),
             QStringLiteral("DejaVu Sans Mono"));
}

void TestHtmlViewer::fontChangeKeepsTicksAndPictures()
{
    View view;
    int requests = 0;
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [&](const QString &, QImage *image, QColor *) {
                ++requests;
                *image = QImage(8, 8, QImage::Format_RGB32);
                image->fill(Qt::red);
            });
    QStringList page = quizQuestion();
    page.prepend(QStringLiteral("<img src=\"logo.bmp\">"));
    view.LoadStrings(page);
    QVERIFY(view.showExposed());
    view.clickPicture(2); // the second answer

    const QRect headingBefore = view.charRect(int(view.find(QStringLiteral("Pytanie")).position()));
    view.SetDefFontSize(view.DefFontSize() + 8);
    view.SetDefFontName(QStringLiteral("DejaVu Serif"));
    QCOMPARE(view.document()->defaultFont().pointSize(), 18);
    QTRY_VERIFY(view.charRect(int(view.find(QStringLiteral("Pytanie")).position())).height() >
                headingBefore.height());

    QCOMPARE(requests, 1);
    QTest::keyClick(&view, Qt::Key_S);
    QCOMPARE(view.submission.lines, QStringList{QStringLiteral("Odp2=2")});
}

void TestHtmlViewer::linkClickOnlyReports_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("handled");

    QTest::newRow("entry link") << QStringLiteral(
                                       "../_19702/1.C3D881DDD69C8BC7A9F70D3E6D118932?Open")
                                << true;
    QTest::newRow("unhandled") << QStringLiteral("../_19799/2.ABC?Open") << false;
    QTest::newRow("backslash, blank, Polish") << QStringLiteral("bmps\\Zdjęcie 1.htm") << false;
    QTest::newRow("fragment") << QStringLiteral("#rozdzial") << false;
    QTest::newRow("other site") << QStringLiteral("http://example.com/a?b=1&c=2") << false;
}

namespace {

// A page with one link to `href`, whose handler answers `handled`, and an anchor to jump to.
void showLinkPage(View &view, const QString &href, bool handled)
{
    QObject::connect(&view, &THTMLViewer::HotSpotClick, &view,
                     [handled](const QString &, bool *isHandled) { *isHandled = handled; });
    QString escaped = href;
    escaped.replace(u'&', QStringLiteral("&amp;"));
    view.LoadStrings({QStringLiteral("<p>Przed <a href=\"%1\">odnośnik</a> po.</p>").arg(escaped),
                      QStringLiteral("<p><a name=\"rozdzial\">Rozdział</a></p>")});
}

} // namespace

void TestHtmlViewer::linkClickOnlyReports()
{
    QFETCH(QString, href);
    QFETCH(bool, handled);

    View view;
    showLinkPage(view, href, handled);
    QVERIFY(view.showExposed());
    const QString before = view.toHtml();

    view.clickPosition(int(view.find(QStringLiteral("odnośnik")).selectionStart()) + 2);

    QCOMPARE(view.clickedTargets, QStringList{href});
    QCOMPARE(view.toHtml(), before);
    QCOMPARE(view.SelLength(), 0);
    QVERIFY(view.source().isEmpty());
    QVERIFY(!view.isBackwardAvailable());
}

void TestHtmlViewer::linkActivatedByKeyboardReportsItsTarget()
{
    View view;
    const QString href = QStringLiteral("bmps\\a b.htm?Open");
    view.LoadStrings({QStringLiteral("<a href=\"%1\">odnośnik</a>").arg(href)});
    QVERIFY(view.showExposed());
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Tab);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(view.clickedTargets, QStringList{href});
}

void TestHtmlViewer::imageRequestAsksOncePerSource()
{
    View view;
    QStringList asked;
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [&](const QString &source, QImage *image, QColor *) {
                asked.append(source);
                *image = QImage(30, 20, QImage::Format_RGB32);
                image->fill(Qt::green);
            });
    view.LoadStrings({QStringLiteral("<img src=\"Obraz 1.bmp\"> tekst <img src='dir\\Ż.bmp'>"),
                      QStringLiteral("<p><img src=\"Obraz 1.bmp\" width=60 height=40></p>")});
    QVERIFY(view.showExposed());
    QTRY_COMPARE(asked, (QStringList{QStringLiteral("Obraz 1.bmp"), QStringLiteral("dir\\Ż.bmp")}));
    QCOMPARE(view.charRect(view.picturePosition(0)).width(), 30);
}

void TestHtmlViewer::transparentColourShowsTheBackground()
{
    View view;
    const QColor background(0, 0, 64);
    view.SetDefBackground(background);
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [](const QString &, QImage *image, QColor *transparent) {
                *image = QImage(40, 40, QImage::Format_RGB32);
                image->fill(Qt::white);
                for (int y = 0; y < 40; ++y) {
                    for (int x = 20; x < 40; ++x)
                        image->setPixel(x, y, qRgb(255, 0, 0));
                }
                *transparent = Qt::white;
            });
    view.LoadStrings({QStringLiteral("<img src=\"herb.bmp\">")});
    QVERIFY(view.showExposed());
    const QImage shown = view.pictureOnScreen(0);
    QCOMPARE(QColor(shown.pixel(5, 10)), background);
    QCOMPARE(QColor(shown.pixel(35, 10)), QColor(Qt::red));
}

void TestHtmlViewer::noImageAnswerLeavesAPlaceholder()
{
    View view;
    int requests = 0;
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [&](const QString &, QImage *, QColor *) { ++requests; });
    view.LoadStrings({QStringLiteral("<img src=\"brak.bmp\"> tekst")});
    QVERIFY(view.showExposed());
    view.viewport()->grab();
    QCOMPARE(requests, 1);
    QVERIFY(view.toPlainText().contains(QStringLiteral("tekst")));
}

void TestHtmlViewer::imagesSwitchedOffAreNeverAsked()
{
    View view;
    int requests = 0;
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [&](const QString &, QImage *, QColor *) { ++requests; });
    view.SetViewImages(false);
    QVERIFY(!view.ViewImages());
    // A file that exists beside the program must not be read behind the switch's back.
    QTemporaryDir dir;
    QImage(10, 10, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("a.png")));
    view.LoadStrings(
        {QStringLiteral("<img src=\"%1\"> tekst").arg(dir.filePath(QStringLiteral("a.png")))});
    QVERIFY(view.showExposed());
    view.viewport()->grab();
    QCOMPARE(requests, 0);
    QVERIFY(view.charRect(view.picturePosition(0)).width() != 10);

    view.SetViewImages(true);
    view.viewport()->grab();
    QCOMPARE(requests, 1);
}

void TestHtmlViewer::everyDocumentAsksAnew()
{
    View view;
    QStringList asked;
    connect(&view, &THTMLViewer::BitmapRequest, &view,
            [&](const QString &source, QImage *image, QColor *) {
                asked.append(source);
                *image = QImage(source == u"a.bmp" ? 10 : 30, 10, QImage::Format_RGB32);
                image->fill(Qt::blue);
            });
    QVERIFY(view.showExposed());
    view.LoadStrings({QStringLiteral("<img src=\"a.bmp\">")});
    view.viewport()->grab();
    view.LoadStrings({QStringLiteral("<img src=\"b.bmp\">")});
    view.viewport()->grab();
    view.LoadStrings({QStringLiteral("<img src=\"b.bmp\">")});
    view.viewport()->grab();
    QCOMPARE(asked, (QStringList{QStringLiteral("a.bmp"), QStringLiteral("b.bmp"),
                                 QStringLiteral("b.bmp")}));
    QCOMPARE(view.charRect(view.picturePosition(0)).width(), 30);
}

void TestHtmlViewer::tickedBoxesAreSubmitted_data()
{
    QTest::addColumn<QList<int>>("clicks"); // answers clicked, 1 to 3
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("none") << QList<int>{} << QStringList{};
    QTest::newRow("one") << QList<int>{2} << QStringList{QStringLiteral("Odp2=2")};
    QTest::newRow("two, in document order")
        << QList<int>{3, 1} << QStringList{QStringLiteral("Odp1=1"), QStringLiteral("Odp3=3")};
    QTest::newRow("clicked twice is unticked")
        << QList<int>{1, 2, 1} << QStringList{QStringLiteral("Odp2=2")};
    QTest::newRow("all") << QList<int>{1, 2, 3}
                         << QStringList{QStringLiteral("Odp1=1"), QStringLiteral("Odp2=2"),
                                        QStringLiteral("Odp3=3")};
}

void TestHtmlViewer::tickedBoxesAreSubmitted()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, lines);

    View view;
    view.LoadStrings(quizQuestion());
    QVERIFY(view.showExposed());
    for (int answer : clicks)
        view.clickPicture(answer - 1);
    QCOMPARE(view.submission.count, 0);
    QVERIFY(view.clickedTargets.isEmpty());

    view.clickPicture(3); // the button
    QCOMPARE(view.submission.count, 1);
    QCOMPARE(view.submission.lines, lines);
    QVERIFY(view.submission.action.isEmpty());
    QVERIFY(view.clickedTargets.isEmpty());
}

void TestHtmlViewer::tickChangesThePicture()
{
    View view;
    view.LoadStrings(quizQuestion());
    QVERIFY(view.showExposed());
    const QImage unticked = view.pictureOnScreen(0);
    view.clickPicture(0);
    QTRY_VERIFY(view.pictureOnScreen(0) != unticked);
    view.clickPicture(0);
    QTRY_COMPARE(view.pictureOnScreen(0), unticked);

    // The next page starts unticked, in its picture too.
    view.clickPicture(0);
    view.LoadStrings(quizQuestion());
    QTRY_COMPARE(view.pictureOnScreen(0), unticked);
}

void TestHtmlViewer::acceleratorSubmits_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("submits");

    const QString sprawdz = QStringLiteral("&amp;Sprawdź");
    QTest::newRow("letter") << sprawdz << int(Qt::Key_S) << int(Qt::NoModifier) << true;
    QTest::newRow("capital") << sprawdz << int(Qt::Key_S) << int(Qt::ShiftModifier) << true;
    QTest::newRow("with Alt") << sprawdz << int(Qt::Key_S) << int(Qt::AltModifier) << true;
    QTest::newRow("with Ctrl") << sprawdz << int(Qt::Key_S) << int(Qt::ControlModifier) << false;
    QTest::newRow("other letter") << sprawdz << int(Qt::Key_P) << int(Qt::NoModifier) << false;
    QTest::newRow("second letter")
        << QStringLiteral("Da&lej") << int(Qt::Key_L) << int(Qt::NoModifier) << true;
    QTest::newRow("doubled ampersand is no accelerator")
        << QStringLiteral("A&amp;&amp;B") << int(Qt::Key_B) << int(Qt::NoModifier) << false;
}

void TestHtmlViewer::acceleratorSubmits()
{
    QFETCH(QString, label);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, submits);

    View view;
    view.LoadStrings({QStringLiteral("<input type=checkbox name=a value=1 checked>"),
                      QStringLiteral("<input type=submit value=\"%1\">").arg(label)});
    QTest::keyClick(&view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(view.submission.count, submits ? 1 : 0);
    if (submits)
        QCOMPARE(view.submission.lines, QStringList{QStringLiteral("a=1")});
}

void TestHtmlViewer::acceleratorGoesBeforeWindowShortcut()
{
    QWidget window;
    QAction windowAction(QStringLiteral("&Słownik"), &window);
    windowAction.setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    window.addAction(&windowAction);
    QSignalSpy triggered(&windowAction, &QAction::triggered);
    auto *view = new View;
    view->setParent(&window);
    view->LoadStrings(quizQuestion());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());

    QTest::keyClick(view, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(view->submission.count, 1);
    QCOMPARE(triggered.count(), 0);
}

void TestHtmlViewer::formsAreSubmittedSeparately()
{
    View view;
    view.LoadStrings({QStringLiteral("<form action=\"pierwszy\" target=\"_self\">"),
                      QStringLiteral("<input type=checkbox name=x value=1 checked>"),
                      QStringLiteral("<input type=checkbox name=x value=2 checked>"),
                      QStringLiteral("<input type=submit value=\"&Dalej\"></form>"),
                      QStringLiteral("<form action=drugi target=okno>"),
                      QStringLiteral("<input type=checkbox name=x value=3>"),
                      QStringLiteral("<input type=checkbox name=y>"),
                      QStringLiteral("<input type=checkbox value=bez-nazwy checked>"),
                      QStringLiteral("<input type=submit value=\"&amp;Wyślij\"></form>")});
    QVERIFY(view.showExposed());

    QTest::keyClick(&view, 'd');
    QCOMPARE(view.submission.action, QStringLiteral("pierwszy"));
    QCOMPARE(view.submission.target, QStringLiteral("_self"));
    QCOMPARE(view.submission.lines, (QStringList{QStringLiteral("x=1"), QStringLiteral("x=2")}));

    view.clickPicture(4); // y, whose value defaults to "on"
    view.clickPicture(3); // x=3
    view.clickPicture(6); // Wyślij
    QCOMPARE(view.submission.count, 2);
    QCOMPARE(view.submission.action, QStringLiteral("drugi"));
    QCOMPARE(view.submission.target, QStringLiteral("okno"));
    QCOMPARE(view.submission.lines, (QStringList{QStringLiteral("x=3"), QStringLiteral("y=on")}));
}

void TestHtmlViewer::submitHandlerMayLoadTheNextPage()
{
    View view;
    QList<QStringList> received;
    connect(&view, &THTMLViewer::FormSubmit, &view,
            [&](const QString &, const QString &, const QStringList &lines) {
                received.append(lines);
                view.LoadStrings(quizQuestion());
            });
    view.LoadStrings(quizQuestion());
    QVERIFY(view.showExposed());
    view.clickPicture(0);
    view.clickPicture(3);
    QTest::keyClick(&view, Qt::Key_S); // the new page starts unticked
    QCOMPARE(received, (QList<QStringList>{{QStringLiteral("Odp1=1")}, {}}));
}

void TestHtmlViewer::mouseButtonsAreReported()
{
    View view;
    QStringList events;
    connect(&view, &THTMLViewer::MouseDown, &view, [&](QMouseEvent *event) {
        events.append(QStringLiteral("down %1").arg(event->button()));
    });
    connect(&view, &THTMLViewer::MouseUp, &view, [&](QMouseEvent *event) {
        events.append(QStringLiteral("up %1").arg(event->button()));
    });
    view.LoadStrings({QStringLiteral("tekst")});
    QVERIFY(view.showExposed());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(50, 50));
    QCOMPARE(events, (QStringList{QStringLiteral("down 1"), QStringLiteral("up 1"),
                                  QStringLiteral("down 2"), QStringLiteral("up 2")}));
}

void TestHtmlViewer::selectionOperations()
{
    View view;
    view.LoadStrings({QStringLiteral("<h1>Wesele</h1><p>Dramat Wyspiańskiego.</p>")});
    QCOMPARE(view.SelLength(), 0);

    view.SelectAll();
    QCOMPARE(view.SelLength(), view.document()->characterCount() - 1);
    view.CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Wesele\nDramat Wyspiańskiego."));

    view.SetSelLength(0);
    QCOMPARE(view.SelLength(), 0);
    QVERIFY(!view.textCursor().hasSelection());

    view.SetSelLength(3);
    view.CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Wes"));
}

void TestHtmlViewer::copyLeavesOutPictures()
{
    View view;
    view.LoadStrings({QStringLiteral("<input type=checkbox name=a> Tak <img src=\"x.bmp\"> Nie")});
    view.SelectAll();
    view.CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" Tak  Nie"));
}

void TestHtmlViewer::noSelectStopsSelectingByMouse_data()
{
    QTest::addColumn<bool>("noSelect");
    QTest::newRow("selection allowed") << false;
    QTest::newRow("no selection") << true;
}

void TestHtmlViewer::noSelectStopsSelectingByMouse()
{
    QFETCH(bool, noSelect);

    View view;
    view.SetNoSelect(noSelect);
    QCOMPARE(view.NoSelect(), noSelect);
    view.LoadStrings({QStringLiteral("Słowo <a href=\"x\">link</a>")});
    QVERIFY(view.showExposed());
    const QPoint word = view.charRect(2).center();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, word);
    QCOMPARE(view.SelLength() > 0, !noSelect);
    // Links work either way.
    view.clickPosition(int(view.find(QStringLiteral("link")).selectionStart()) + 1);
    QCOMPARE(view.clickedTargets, QStringList{QStringLiteral("x")});
}

void TestHtmlViewer::printsPageRange_data()
{
    QTest::addColumn<int>("pages"); // of the document
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("printed");

    QTest::newRow("one page, as the system asks") << 1 << 0 << 999 << 1;
    QTest::newRow("three pages, as the system asks") << 3 << 0 << 999 << 3;
    QTest::newRow("the middle page") << 3 << 1 << 1 << 1;
    QTest::newRow("from the second") << 3 << 1 << 999 << 2;
    QTest::newRow("negative start") << 3 << -5 << 0 << 1;
    QTest::newRow("past the end") << 3 << 5 << 999 << 0;
}

void TestHtmlViewer::printsPageRange()
{
    QFETCH(int, pages);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, printed);

    QStringList lines;
    for (int i = 1; i < pages; ++i)
        lines.append(QStringLiteral("<p style=\"page-break-after: always\">Strona %1</p>").arg(i));
    lines.append(QStringLiteral("<p>Ostatnia strona</p>"));
    View view;
    view.LoadStrings(lines);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wydruk.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    view.Print(printer, from, to);
    QCOMPARE(pdfPageCount(path), printed);
}

void TestHtmlViewer::printMarginsShrinkThePage()
{
    QStringList lines;
    for (int i = 0; i < 80; ++i)
        lines.append(QStringLiteral("<p>Wiersz %1</p>").arg(i));
    View view;
    view.LoadStrings(lines);
    QTemporaryDir dir;

    auto pagesWith = [&](const QString &name) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(dir.filePath(name));
        view.Print(printer, 0, 999);
        return pdfPageCount(dir.filePath(name));
    };
    const int standard = pagesWith(QStringLiteral("standard.pdf"));
    view.SetPrintMargins(2, 10, 2, 10); // leaves a third of the height
    const int wide = pagesWith(QStringLiteral("wide.pdf"));
    QVERIFY2(standard >= 1 && wide >= 2 * standard,
             qPrintable(QStringLiteral("%1 and %2 pages").arg(standard).arg(wide)));
}

void TestHtmlViewer::loadsFileInItsEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString polish = QStringLiteral("Zażółć gęślą jaźń");
    QStringEncoder windows1250("windows-1250");
    const QByteArray inWindows1250 = windows1250.encode(polish);
    QTest::newRow("UTF-8") << (QByteArrayLiteral("<h1>") + polish.toUtf8()) << polish;
    QTest::newRow("UTF-8 with byte order mark")
        << (QByteArrayLiteral("\xef\xbb\xbf<p>") + polish.toUtf8()) << polish;
    QTest::newRow("Windows-1250") << (QByteArrayLiteral("<p>") + inWindows1250) << polish;
    QTest::newRow("Windows-1250 declared")
        << (QByteArrayLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                              "charset=windows-1250\"></head><body>") +
            inWindows1250)
        << polish;
    QTest::newRow("declared UTF-8 with a broken byte")
        << (QByteArrayLiteral("<meta charset=\"UTF-8\"><p>") + polish.toUtf8() +
            QByteArrayLiteral(" \xff"))
        << polish;
}

void TestHtmlViewer::loadsFileInItsEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("readme.htm")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    View view;
    view.LoadFromFile(file.fileName());
    QVERIFY2(view.toPlainText().contains(text), qPrintable(view.toPlainText()));
}

void TestHtmlViewer::accessibleDocumentText_data()
{
    QTest::addColumn<QStringList>("page");

    QTest::newRow("paragraphs, Polish letters, a break")
        << QStringList{QStringLiteral("<h3>Pan Tadeusz</h3><p>Litwo! Ojczyzno moja!<br>ty "
                                      "jesteś&nbsp;jak zdrowie.</p><p>Żółć</p>")};
    QTest::newRow("table and list")
        << QStringList{QStringLiteral("<table border><tr><td>Autor</td><td>Adam Mickiewicz</td>"
                                      "</tr></table><ol><li>jeden<li>dwa</ol>")};
    QTest::newRow("quiz question with its form") << quizQuestion();
}

void TestHtmlViewer::accessibleDocumentText()
{
    QFETCH(QStringList, page);

    View view;
    view.LoadStrings(page);
    QVERIFY(view.showExposed());
    QAccessibleInterface *document = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(document);
    QCOMPARE(document->role(), QAccessible::Document);
    QVERIFY(document->state().readOnly);
    QAccessibleTextInterface *text = document->textInterface();
    QVERIFY(text);
    const QString plain = view.toPlainText();
    QCOMPARE(text->characterCount(), plain.size());
    QCOMPARE(text->text(0, text->characterCount()), plain);
}

void TestHtmlViewer::accessibleLinks()
{
    View view;
    view.LoadStrings({QStringLiteral("<p>Zob. <a href=\"../_19702/1.ABC?Open\">Pan "
                                     "<b>Tadeusz</b></a> oraz "
                                     "<a href=\"bmps\\Zdjęcie 1.htm\">zdjęcie</a>.</p>"),
                      QStringLiteral("<form><input type=checkbox name=a value=1> wybór</form>"),
                      QStringLiteral("<table><tr><td><a href=\"#r\">w tabeli</a></td></tr>"
                                     "</table>")});
    QVERIFY(view.showExposed());
    QAccessibleInterface *document = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(document);

    struct Expected
    {
        QString name, target;
    };
    const QList<Expected> expected{
        {QStringLiteral("Pan Tadeusz"), QStringLiteral("../_19702/1.ABC?Open")},
        {QStringLiteral("zdjęcie"), QStringLiteral("bmps\\Zdjęcie 1.htm")},
        {QStringLiteral("w tabeli"), QStringLiteral("#r")}};
    // The form's tick box is no link of the reader's.
    QCOMPARE(document->childCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QAccessibleInterface *link = document->child(i);
        QVERIFY(link);
        QCOMPARE(document->child(i), link);
        QCOMPARE(document->indexOfChild(link), i);
        QCOMPARE(link->parent(), document);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), expected[i].name);
        QVERIFY(link->state().linked);
        QVERIFY(link->actionInterface());
        QVERIFY(link->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QAccessibleHyperlinkInterface *place = link->hyperlinkInterface();
        QVERIFY(place);
        QCOMPARE(place->anchorTarget(), expected[i].target);
        QCOMPARE(document->textInterface()->text(place->startIndex(), place->endIndex()),
                 expected[i].name);
        // The link is where it is drawn.
        const QRect area = link->rect();
        QVERIFY(!area.isEmpty());
        QCOMPARE(document->childAt(area.center().x(), area.center().y()), link);
    }
}

void TestHtmlViewer::accessibleLinkPressFollowsIt_data()
{
    linkClickOnlyReports_data();
}

void TestHtmlViewer::accessibleLinkPressFollowsIt()
{
    QFETCH(QString, href);
    QFETCH(bool, handled);

    View view;
    showLinkPage(view, href, handled);
    QVERIFY(view.showExposed());
    const QString before = view.toHtml();
    QAccessibleInterface *document = QAccessible::queryAccessibleInterface(&view);
    QCOMPARE(document->childCount(), 1);

    document->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(view.clickedTargets, QStringList{href});
    QCOMPARE(view.toHtml(), before);
    QCOMPARE(view.SelLength(), 0);
    QVERIFY(view.source().isEmpty());
}

void TestHtmlViewer::accessibleLinksFollowTheDocument()
{
    auto view = std::make_unique<View>();
    view->LoadStrings({QStringLiteral("<a href=\"a\">pierwszy</a> <a href=\"b\">drugi</a>")});
    // The handler of a link shows the next page in the same view, while the link is pressed.
    connect(view.get(), &THTMLViewer::HotSpotClick, view.get(), [&view] {
        view->LoadStrings({QStringLiteral("<p>Nowa strona z <a href=\"c\">trzecim</a></p>")});
    });
    QAccessibleInterface *document = QAccessible::queryAccessibleInterface(view.get());
    QCOMPARE(document->childCount(), 2);
    QAccessibleInterface *pressed = document->child(1);
    const QAccessible::Id old = QAccessible::uniqueId(pressed);

    pressed->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(view->clickedTargets, QStringList{QStringLiteral("b")});
    QCOMPARE(document->childCount(), 1);
    QCOMPARE(document->child(0)->text(QAccessible::Name), QStringLiteral("trzecim"));
    QVERIFY(!QAccessible::accessibleInterface(old));

    const QAccessible::Id current = QAccessible::uniqueId(document->child(0));
    view.reset();
    QVERIFY(!QAccessible::accessibleInterface(current));
}

void TestHtmlViewer::accessibleBoundaries_data()
{
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<QString>("expected");

    QTest::newRow("word") << QStringLiteral("czyzno") << int(QAccessible::WordBoundary)
                          << QStringLiteral("Ojczyzno");
    QTest::newRow("sentence") << QStringLiteral("esteś") << int(QAccessible::SentenceBoundary)
                              << QStringLiteral("ty jesteś jak zdrowie.\n");
    QTest::newRow("line after a break") << QStringLiteral("esteś") << int(QAccessible::LineBoundary)
                                        << QStringLiteral("ty jesteś jak zdrowie.\n");
    QTest::newRow("line before a break") << QStringLiteral("two") << int(QAccessible::LineBoundary)
                                         << QStringLiteral("Litwo! Ojczyzno moja!\n");
    QTest::newRow("paragraph") << QStringLiteral("cię") << int(QAccessible::ParagraphBoundary)
                               << QStringLiteral("Ile cię trzeba cenić");
}

void TestHtmlViewer::accessibleBoundaries()
{
    QFETCH(QString, at);
    QFETCH(int, boundary);
    QFETCH(QString, expected);

    View view;
    view.LoadStrings({QStringLiteral("<p>Litwo! Ojczyzno moja!<br>ty jesteś jak zdrowie.</p>"),
                      QStringLiteral("<p>Ile cię trzeba cenić</p>")});
    QVERIFY(view.showExposed());
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    const int offset = int(view.toPlainText().indexOf(at));
    int start = -1, end = -1;
    QCOMPARE(text->textAtOffset(offset, QAccessible::TextBoundaryType(boundary), &start, &end),
             expected);
    QCOMPARE(text->text(start, end), expected);
}

void TestHtmlViewer::accessibleLinesFollowTheLayout()
{
    View view;
    view.resize(160, 600);
    const QString paragraph =
        QStringLiteral("Litwo! Ojczyzno moja! ty jesteś jak zdrowie. Ile cię trzeba cenić, ten "
                       "tylko się dowie, kto cię stracił.");
    view.LoadStrings({QStringLiteral("<p>%1</p>").arg(paragraph)});
    QVERIFY(view.showExposed());
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&view)->textInterface();

    QStringList lines;
    int lastTop = -1;
    for (int offset = 0; offset < text->characterCount();) {
        int start = -1, end = -1;
        lines.append(text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end));
        QCOMPARE(start, offset);
        QVERIFY(end > start);
        // Every character of a line is drawn on it, below the line before.
        const int top = text->characterRect(start).top();
        QCOMPARE(text->characterRect(end - 1).top(), top);
        QVERIFY(top > lastTop);
        lastTop = top;
        if (start > 0) {
            int beforeStart = -1, beforeEnd = -1;
            text->textBeforeOffset(offset, QAccessible::LineBoundary, &beforeStart, &beforeEnd);
            QCOMPARE(beforeEnd, start);
        }
        offset = end;
    }
    QVERIFY2(lines.size() > 2, qPrintable(lines.join(u'|')));
    QCOMPARE(lines.join(QString()), paragraph);
}

void TestHtmlViewer::accessibleCaretSelectionAndGeometry()
{
    View view;
    view.LoadStrings({QStringLiteral("<p>Litwo! Ojczyzno moja!</p>")});
    QVERIFY(view.showExposed());
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    const int word = int(view.toPlainText().indexOf(QStringLiteral("Ojczyzno")));

    text->setSelection(0, word, word + 8);
    QCOMPARE(view.textCursor().selectedText(), QStringLiteral("Ojczyzno"));
    QCOMPARE(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, word);
    QCOMPARE(end, word + 8);
    text->removeSelection(0);
    QCOMPARE(view.SelLength(), 0);
    text->setCursorPosition(word + 2);
    QCOMPARE(text->cursorPosition(), word + 2);
    QCOMPARE(view.textCursor().position(), word + 2);

    const QRect letter = text->characterRect(word + 2);
    QVERIFY(!letter.isEmpty());
    QVERIFY(QRect(view.viewport()->mapToGlobal(QPoint(0, 0)), view.viewport()->size())
                .contains(letter));
    // Either half of a letter is that letter.
    QCOMPARE(text->offsetAtPoint(QPoint(letter.left() + 1, letter.center().y())), word + 2);
    QCOMPARE(text->offsetAtPoint(QPoint(letter.right() - 1, letter.center().y())), word + 2);

    // Where the reader may not select, neither may assistive technology.
    view.SetNoSelect(true);
    text->setSelection(0, word, word + 8);
    QCOMPARE(view.SelLength(), 0);
}

QTEST_MAIN(TestHtmlViewer)
#include "tst_htmlviewer.moc"
