#include "MessageBoxes.h"
#include "PictureFixture.h"
#include "ProgramFixture.h"
#include "TIndexListModel.h"
#include "TIndexListPage.h"
#include "TMultiRowTabBar.h"
#include "TfrmIlustra.h"
#include "TfrmIndeks.h"
#include "TfrmWzorDoc.h"

#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

using namespace fixture;

namespace {

// The widgets Tab reaches inside `root`, in the order it reaches them.
QList<QWidget *> tabChain(QWidget *root)
{
    QList<QWidget *> chain;
    QWidget *w = root;
    for (int guard = 0; guard < 2000; ++guard) {
        w = w->nextInFocusChain();
        if (w == root)
            break;
        if (root->isAncestorOf(w) && w->isVisible() && w->isEnabled() && !w->focusProxy() &&
            (w->focusPolicy() & Qt::TabFocus))
            chain.append(w);
    }
    return chain;
}

QRect onScreen(const QWidget *w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// `b` comes before `a` in reading order: wholly above it, or beside it and wholly to its left.
bool readsBefore(const QRect &b, const QRect &a)
{
    if (b.bottom() < a.top())
        return true;
    const bool sideBySide = b.top() <= a.bottom() && a.top() <= b.bottom();
    return sideBySide && b.right() < a.left();
}

QString describe(const QList<QWidget *> &chain)
{
    QStringList names;
    for (const QWidget *w : chain) {
        const QRect r = onScreen(w);
        names.append(QStringLiteral("%1 %2 (%3,%4 %5x%6)")
                         .arg(QLatin1String(w->metaObject()->className()), w->objectName())
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height()));
    }
    return names.join(QStringLiteral("\n  "));
}

} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void tabFollowsTheLayout_data();
    void tabFollowsTheLayout();

private:
    ProgramFixture m_program;
};

// A work with two related biographies and three illustrations; an illustration with a picture.
void TestTabOrder::init()
{
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    QList<Item> items{{unid(1), "_19701", "1"},
                      {unid(2), "_19702", "1"},
                      {unid(3), "_19702", "2"},
                      {unid(4), "_19705", "1"}};
    Entries entries{
        {"L197\\TypX\\_19701\\1\\Pola",
         cp(QStringLiteral("Tytuł=Pan Tadeusz\nAutor=Adam Mickiewicz\n_19702=1;2\n_19711=1;2;3"))},
        {"_19701\\1",
         cp(QStringLiteral("<p>Litwo! <a href=\"../_19702/1.htm\">Ojczyzno</a> moja!</p>"))},
        {"L197\\TypX\\_19702\\1\\Pola", cp(QStringLiteral("Autor=Adam Mickiewicz\nUrodzony=1798"))},
        {"L197\\TypX\\_19702\\2\\Pola",
         cp(QStringLiteral("Autor=Aleksander Fredro\nUrodzony=1793"))},
        {"L197\\TypX\\_19705\\1\\Pola", cp(QStringLiteral("Termin=Inwokacja"))},
        {"_19705\\1", cp(QStringLiteral("<p>Wezwanie na początku utworu.</p>"))},
    };
    for (int i = 1; i <= 3; ++i) {
        const QByteArray n = QByteArray::number(i);
        items.append({unid(100 + i), "_19711", n});
        entries.append({"L197\\TypX\\_19711\\" + n + "\\Pola",
                        cp(QStringLiteral("Tytuł=Ilustracja %1\n_19701=1").arg(i))});
        entries.append({"_19711\\" + n + "\\THUMB", picture("BMP", QSize(96, 72), Qt::darkGreen)});
    }
    entries.append({"_19711\\1\\FULL", picture("JPG", QSize(320, 200), Qt::darkGreen)});
    entries.append({"_19711\\1\\Opis", cp(QStringLiteral("<p>Opis.</p>"))});
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    QVERIFY(m_program.openData(container(entries)));
    TPulpit::Environment environment;
    environment.soundAvailable = false;
    TPulpit &pulpit = m_program.startPulpit(environment);
    pulpit.resize(1024, 768);
    pulpit.show();
    pulpit.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&pulpit));
}

void TestTabOrder::cleanup()
{
    m_program.stop();
    MessageBoxes::setHandler(nullptr);
}

void TestTabOrder::tabFollowsTheLayout_data()
{
    QTest::addColumn<QString>("typ");   // empty: the Index
    QTest::addColumn<QString>("numer"); // the entry, or the Index page
    QTest::addColumn<bool>("moved"); // a list: a row previewed; a document: its strip on the right
    QTest::addColumn<int>("least");  // so few stops would mean the window was not looked at

    QTest::newRow("index, start page")
        << QString() << QString::number(TfrmIndeks::tsStart) << false << 14;
    QTest::newRow("index, works list")
        << QString() << QString::number(TfrmIndeks::tsDziela) << false << 3;
    QTest::newRow("index, works previewed")
        << QString() << QString::number(TfrmIndeks::tsDziela) << true << 4;
    QTest::newRow("index, terms previewed")
        << QString() << QString::number(TfrmIndeks::tsTerminy) << true << 4;
    QTest::newRow("work") << QStringLiteral("_19701") << QStringLiteral("1") << false << 5;
    QTest::newRow("work, strip on the right")
        << QStringLiteral("_19701") << QStringLiteral("1") << true << 5;
    QTest::newRow("biography") << QStringLiteral("_19702") << QStringLiteral("1") << false << 1;
    QTest::newRow("illustration") << QStringLiteral("_19711") << QStringLiteral("1") << false << 2;
}

void TestTabOrder::tabFollowsTheLayout()
{
    QFETCH(QString, typ);
    QFETCH(QString, numer);
    QFETCH(bool, moved);
    QFETCH(int, least);
    TPulpit *pulpit = m_program.pulpit();
    QWidget *root = nullptr;
    if (typ.isEmpty()) {
        pulpit->btIndeksClick();
        auto *index = qobject_cast<TfrmIndeks *>(pulpit->ActiveChild());
        QVERIFY(index);
        index->pcIndeks()->setCurrentIndex(numer.toInt());
        if (TIndexListPage *page = index->ListPage(numer.toInt())) {
            QTRY_VERIFY(page->Model()->rowCount() > 0);
            if (moved) {
                page->List()->setCurrentIndex(page->Model()->index(0, 0));
                page->lvTimerTimer();
            }
        }
        root = index;
    } else {
        pulpit->OpenDocument(typ, numer);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        root = pulpit->ActiveChild();
        QVERIFY(root);
        QCOMPARE(qobject_cast<TfrmWzorBazowy *>(root)->Typ(), typ);
        if (moved) {
            QDockWidget *strip = qobject_cast<TfrmWzorDoc *>(root)->TWImage();
            qobject_cast<QMainWindow *>(strip->parentWidget())
                ->addDockWidget(Qt::RightDockWidgetArea, strip);
        }
    }
    QTest::qWait(50); // the layouts settle
    const QList<QWidget *> chain = tabChain(root);
    QVERIFY2(chain.size() >= least, qPrintable(describe(chain)));
    for (qsizetype i = 0; i < chain.size(); ++i) {
        for (qsizetype j = i + 1; j < chain.size(); ++j) {
            QVERIFY2(!readsBefore(onScreen(chain[j]), onScreen(chain[i])),
                     qPrintable(QStringLiteral("stop %1 comes after stop %2:\n  ").arg(j).arg(i) +
                                describe(chain)));
        }
    }
    // The Tab key itself goes that way, and comes round to the first stop again.
    root->window()->activateWindow(); // a list's load disables and enables it
    QVERIFY(QTest::qWaitForWindowActive(root->window()));
    chain.first()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), chain.first());
    for (qsizetype i = 1; i <= chain.size(); ++i) {
        QWidget *from = QApplication::focusWidget();
        QTest::keyClick(from, Qt::Key_Tab);
        // In a text view Tab first goes from link to link.
        for (int link = 0;
             QApplication::focusWidget() == from && qobject_cast<QTextBrowser *>(from) && link < 20;
             ++link)
            QTest::keyClick(from, Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() == chain[i % chain.size()],
                 qPrintable(QStringLiteral("Tab %1 went to %2")
                                .arg(i)
                                .arg(QApplication::focusWidget()
                                         ? QApplication::focusWidget()->objectName()
                                         : QStringLiteral("nothing"))));
    }
}

QTEST_MAIN(TestTabOrder)
#include "tst_taborder.moc"
