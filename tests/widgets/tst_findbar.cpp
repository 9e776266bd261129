#include "SearchFolding.h"
#include "TFindBar.h"
#include "THTMLViewer.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// "zolw" five times: a heading, a paragraph, both cells of a table (one after a picture and
// before a non-breaking space).
const QStringList Page{
    u"<h1>Żółw</h1>"_s,
    u"<p>Żółw idzie powoli, a mały zolw za nim.</p>"_s,
    u"<table border=1><tr><td>ŻÓŁW</td><td><img src=\"x.png\"> żółw&nbsp;morski</td></tr></table>"_s,
    u"<p>Koniec.</p>"_s,
};

// A dialog, as the quotation of the day is: Esc and Enter must not reach it.
struct Host
{
    QDialog dialog;
    THTMLViewer *view;
    TFindBar *bar;
    QPushButton *ok;

    Host()
    {
        dialog.resize(500, 400);
        auto *layout = new QVBoxLayout(&dialog);
        view = new THTMLViewer(&dialog);
        bar = new TFindBar(view, &dialog, &dialog);
        ok = new QPushButton(u"OK"_s, &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(view, 1);
        layout->addWidget(bar);
        layout->addWidget(ok);
        view->LoadStrings(Page);
    }

    QLineEdit *edit() const { return bar->findChild<QLineEdit *>(u"edZnajdz"_s); }
    QString status() const { return bar->findChild<QLabel *>(u"lbWynik"_s)->text(); }
};

bool isMatch(const QTextCursor &cursor, const QString &query)
{
    const QString text = cursor.selectedText();
    return text.size() == query.size() &&
           SearchFolding::occurrences(text, query) == QList<qsizetype>{0};
}

} // namespace

class TestFindBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void matchesEverywhereInThePage_data();
    void matchesEverywhereInThePage();
    void typingFindsFromTheCurrentMatch();
    void steps_data();
    void steps();
    void closing_data();
    void closing();
    void closingReturnsTheFocus();
    void ctrlFFocusesAndSelects();
    void newPageSearchedAgain_data();
    void newPageSearchedAgain();

private:
    // Ctrl+F in the view, then the query.
    void find(const QString &query);
    // Every match marked, the current one differently, selected in the view.
    void verifyMarks(const QString &query);

    std::unique_ptr<Host> m_host;
};

void TestFindBar::init()
{
    m_host = std::make_unique<Host>();
    m_host->dialog.show();
    m_host->dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_host->dialog));
    m_host->view->setFocus();
}

void TestFindBar::cleanup()
{
    m_host.reset();
}

void TestFindBar::find(const QString &query)
{
    QTest::keyClick(m_host->view, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(m_host->bar->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_host->edit());
    m_host->edit()->insert(query);
}

void TestFindBar::verifyMarks(const QString &query)
{
    const QList<QTextEdit::ExtraSelection> marks = m_host->view->extraSelections();
    QCOMPARE(marks.size(), m_host->bar->MatchCount());
    const int current = m_host->bar->CurrentMatch();
    QCOMPARE(current >= 0, !marks.isEmpty());
    for (int i = 0; i < marks.size(); ++i) {
        QVERIFY2(isMatch(marks.at(i).cursor, query), qPrintable(marks.at(i).cursor.selectedText()));
        QCOMPARE(marks.at(i).cursor == m_host->view->textCursor(), i == current);
        // One colour for the current match, another for the rest.
        const QBrush &colour = marks.at(i).format.background();
        QCOMPARE(colour == marks.at(current).format.background(), i == current);
        QCOMPARE(colour == marks.at(current == 0 ? marks.size() - 1 : 0).format.background(),
                 i != current || marks.size() == 1);
    }
}

void TestFindBar::matchesEverywhereInThePage_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("status");
    QTest::newRow("plain letters") << u"zolw"_s << 5 << u"1 z 5"_s;
    QTest::newRow("Polish capitals") << u"ŻÓŁW"_s << 5 << u"1 z 5"_s;
    QTest::newRow("across a non-breaking space") << u"zolw morski"_s << 1 << u"1 z 1"_s;
    QTest::newRow("not across paragraphs") << u"zolw zolw"_s << 0 << u"Nie znaleziono"_s;
    QTest::newRow("not there") << u"żaba"_s << 0 << u"Nie znaleziono"_s;
    QTest::newRow("blank") << u"  "_s << 0 << QString();
}

void TestFindBar::matchesEverywhereInThePage()
{
    QFETCH(QString, query);
    QFETCH(int, count);
    QFETCH(QString, status);
    find(query);
    QCOMPARE(m_host->bar->MatchCount(), count);
    QCOMPARE(m_host->bar->CurrentMatch(), count > 0 ? 0 : -1);
    QCOMPARE(m_host->status(), status);
    QCOMPARE(m_host->bar->findChild<QLabel *>(u"lbWynik"_s)->accessibleDescription(), status);
    verifyMarks(query);
}

void TestFindBar::typingFindsFromTheCurrentMatch()
{
    find(u"zol"_s);
    QCOMPARE(m_host->bar->MatchCount(), 5);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(m_host->edit(), Qt::Key_F3);
    QCOMPARE(m_host->bar->CurrentMatch(), 3);
    // The current match still matches: it stays.
    QTest::keyClicks(m_host->edit(), u"w"_s);
    QCOMPARE(m_host->bar->CurrentMatch(), 3);
    QCOMPARE(m_host->status(), u"4 z 5"_s);
    // It no longer does: the next one that does.
    QTest::keyClicks(m_host->edit(), u" m"_s);
    QCOMPARE(m_host->bar->MatchCount(), 1);
    QCOMPARE(m_host->status(), u"1 z 1"_s);
    verifyMarks(u"zolw m"_s);
    QTest::keyClicks(m_host->edit(), u"x"_s);
    QCOMPARE(m_host->bar->MatchCount(), 0);
    QCOMPARE(m_host->status(), u"Nie znaleziono"_s);
    QVERIFY(m_host->view->extraSelections().isEmpty());
}

void TestFindBar::steps_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<QKeySequence>>("keys");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("status");
    const QKeySequence next(Qt::Key_F3), previous(Qt::SHIFT | Qt::Key_F3);
    QTest::newRow("next") << u"zolw"_s << QList{next} << 1 << u"2 z 5"_s;
    QTest::newRow("next, next, previous")
        << u"zolw"_s << QList{next, next, previous} << 1 << u"2 z 5"_s;
    QTest::newRow("previous goes round to the end")
        << u"zolw"_s << QList{previous} << 4 << u"5 z 5, od końca"_s;
    QTest::newRow("next goes round to the start")
        << u"zolw"_s << QList{next, next, next, next, next} << 0 << u"1 z 5, od początku"_s;
    QTest::newRow("Enter and Shift+Enter")
        << u"zolw"_s
        << QList{QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                 QKeySequence(Qt::SHIFT | Qt::Key_Return)}
        << 1 << u"2 z 5"_s;
    QTest::newRow("one match") << u"morski"_s << QList{next, previous} << 0 << u"1 z 1, od końca"_s;
    QTest::newRow("no match") << u"żaba"_s << QList{next, previous} << -1 << u"Nie znaleziono"_s;
}

void TestFindBar::steps()
{
    QFETCH(QString, query);
    QFETCH(QList<QKeySequence>, keys);
    QFETCH(int, current);
    QFETCH(QString, status);
    find(query);
    for (const QKeySequence &key : keys)
        QTest::keySequence(m_host->edit(), key);
    QCOMPARE(m_host->bar->CurrentMatch(), current);
    QCOMPARE(m_host->status(), status);
    verifyMarks(query);
    // The dialog around the bar took none of the keys.
    QVERIFY(m_host->dialog.isVisible());
}

void TestFindBar::closing_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Esc") << false;
    QTest::newRow("close button") << true;
}

void TestFindBar::closing()
{
    QFETCH(bool, byButton);
    find(u"zolw"_s);
    QTest::keyClick(m_host->edit(), Qt::Key_F3);
    if (byButton)
        QTest::mouseClick(m_host->bar->findChild<QToolButton *>(u"btZamknij"_s), Qt::LeftButton);
    else
        QTest::keyClick(m_host->edit(), Qt::Key_Escape);
    QVERIFY(m_host->bar->isHidden());
    QVERIFY(m_host->view->extraSelections().isEmpty());
    QCOMPARE(QApplication::focusWidget(), m_host->view);
    QVERIFY(m_host->dialog.isVisible());
    // The found text stays selected; opening again marks the matches again.
    QVERIFY(isMatch(m_host->view->textCursor(), u"zolw"_s));
    QTest::keyClick(m_host->view, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(m_host->bar->MatchCount(), 5);
    QCOMPARE(m_host->bar->CurrentMatch(), 1);
    verifyMarks(u"zolw"_s);
}

void TestFindBar::closingReturnsTheFocus()
{
    // Opened from the dialog's button, closing gives the focus back to it, so Enter goes on
    // accepting the dialog.
    m_host->ok->setFocus();
    QTest::keyClick(m_host->ok, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), m_host->edit());
    QTest::keyClicks(m_host->edit(), u"zolw"_s);
    QTest::keyClick(m_host->edit(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), m_host->ok);
    QTest::keyClick(m_host->ok, Qt::Key_Return);
    QCOMPARE(m_host->dialog.result(), int(QDialog::Accepted));
    QVERIFY(!m_host->dialog.isVisible());
}

void TestFindBar::ctrlFFocusesAndSelects()
{
    find(u"zolw"_s);
    m_host->view->setFocus();
    QTest::keyClick(m_host->view, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), m_host->edit());
    QCOMPARE(m_host->edit()->selectedText(), u"zolw"_s);
    // Typing replaces the query.
    QTest::keyClicks(m_host->edit(), u"morski"_s);
    QCOMPARE(m_host->edit()->text(), u"morski"_s);
    QCOMPARE(m_host->bar->MatchCount(), 1);
}

void TestFindBar::newPageSearchedAgain_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("newPage"); // or the same page in a larger font
    QTest::addColumn<int>("count");
    QTest::newRow("another page") << true << true << 2;
    QTest::newRow("a larger font") << true << false << 5;
    QTest::newRow("another page, bar closed") << false << true << 0;
}

void TestFindBar::newPageSearchedAgain()
{
    QFETCH(bool, open);
    QFETCH(bool, newPage);
    QFETCH(int, count);
    find(u"zolw"_s);
    if (!open)
        QTest::keyClick(m_host->edit(), Qt::Key_Escape);
    if (newPage)
        m_host->view->LoadStrings({u"<p>Kto żółwia ma, ten ma <b>żółw</b>ia.</p>"_s});
    else
        m_host->view->SetDefFontSize(20);
    QTRY_COMPARE(m_host->bar->MatchCount(), count);
    QCoreApplication::processEvents();
    QCOMPARE(m_host->bar->isVisible(), open);
    QCOMPARE(m_host->view->extraSelections().size(), count);
    if (open)
        verifyMarks(u"zolw"_s);
}

QTEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
