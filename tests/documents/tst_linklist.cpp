#include "ContainerFixture.h"
#include "LinkMenu.h"
#include "TLinkList.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"
#include "TextLines.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

using namespace fixture;

namespace {

const QString Works = QStringLiteral("_19701");
const QString Title = QStringLiteral("Tytuł");

struct Entry
{
    QByteArray numer;
    QString fields;
};

// Works entries with field lists; numbers not given here are unknown to the item index.
std::unique_ptr<TPSSDirectory> worksDirectory(const QList<Entry> &entries)
{
    QList<Item> items;
    Entries files;
    for (const Entry &e : entries) {
        items.append({"U" + e.numer, "_19701", e.numer});
        files.append({"L197\\TypX\\_19701\\" + e.numer + "\\Pola", cp(e.fields)});
    }
    files.prepend({"L197\\UnidX", itemIndex(items)});
    return std::make_unique<TPSSDirectory>(
        std::make_unique<TSimplePSS>(container(files), QStringLiteral("mem")));
}

QStringList numbersOf(const TLinkList &links)
{
    QStringList numbers;
    QString typ;
    QString numer;
    for (int i = 0; links.GetLink(i, typ, numer); ++i)
        numbers.append(numer);
    return numbers;
}

QStringList captionsOf(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions.append(action->text());
    return captions;
}

QList<int> tagsOf(const QMenu *menu)
{
    QList<int> tags;
    for (const QAction *action : menu->actions())
        tags.append(action->data().toInt());
    return tags;
}

} // namespace

class TestLinkList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void loadFromValue_data();
    void loadFromValue();
    void getLinkOutOfRangeLeavesResults();
    void removeSpacesTakesBlanksOnly();
    void dropFirstItem_data();
    void dropFirstItem();
    void stripLeadingParagraph_data();
    void stripLeadingParagraph();
    void captionLess_data();
    void captionLess();

    void menuCaption_data();
    void menuCaption();
    void tagsAreLinkIndices();
    void buttonVisibility_data();
    void buttonVisibility();
    void menuIsSortedByCaption();
    void buttonOnlyDropsTheMenu();
    void sortMenuByCaption();

private:
    std::unique_ptr<QWidget> m_window;
    QToolButton *m_button = nullptr;
    TLinkList m_links;
};

void TestLinkList::init()
{
    m_window = std::make_unique<QWidget>();
    m_button = new QToolButton(m_window.get());
    m_links.Clear();
}

void TestLinkList::loadFromValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("numbers");

    const QString n12 = QStringLiteral("12");
    const QString n34 = QStringLiteral("34");
    QTest::newRow("two") << QStringLiteral("12;34") << QStringList{n12, n34};
    QTest::newRow("trailing semicolon") << QStringLiteral("12;34;") << QStringList{n12, n34};
    QTest::newRow("leading semicolon") << QStringLiteral(";12") << QStringList{QString(), n12};
    QTest::newRow("empty middle") << QStringLiteral("12;;34") << QStringList{n12, QString(), n34};
    QTest::newRow("only a semicolon") << QStringLiteral(";") << QStringList{QString()};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("only blanks") << QStringLiteral("   ") << QStringList();
    QTest::newRow("blanks around") << QStringLiteral(" 12 ; 34 ") << QStringList{n12, n34};
    QTest::newRow("other white space kept")
        << QStringLiteral("1\t2;\n34")
        << QStringList{QStringLiteral("1\t2"), QStringLiteral("\n34")};
}

void TestLinkList::loadFromValue()
{
    QFETCH(QString, value);
    QFETCH(QStringList, numbers);

    // Earlier contents are replaced, never added to.
    QCOMPARE(m_links.LoadFromValue(QStringLiteral("_19702"), QStringLiteral("7;8;9")), 3);

    QCOMPARE(m_links.LoadFromValue(Works, value), numbers.size());
    QCOMPARE(m_links.Count(), numbers.size());
    QCOMPARE(numbersOf(m_links), numbers);
    for (int i = 0; i < m_links.Count(); ++i) {
        QString typ;
        QString numer;
        QVERIFY(m_links.GetLink(i, typ, numer));
        QCOMPARE(typ, Works);
    }
}

void TestLinkList::getLinkOutOfRangeLeavesResults()
{
    QString typ = QStringLiteral("typ");
    QString numer = QStringLiteral("numer");
    QVERIFY(!m_links.GetLink(0, typ, numer));

    m_links.LoadFromValue(Works, QStringLiteral("1;2"));
    QVERIFY(!m_links.GetLink(2, typ, numer));
    QVERIFY(!m_links.GetLink(7, typ, numer));
    QCOMPARE(typ, QStringLiteral("typ"));
    QCOMPARE(numer, QStringLiteral("numer"));

    QVERIFY(m_links.GetLink(1, typ, numer));
    QCOMPARE(numer, QStringLiteral("2"));
}

void TestLinkList::removeSpacesTakesBlanksOnly()
{
    QString text = QStringLiteral(" 1 2\t3\u00a04 ;\n ");
    RemoveSpaces(text);
    QCOMPARE(text, QStringLiteral("12\t3\u00a04;\n"));
}

void TestLinkList::dropFirstItem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rest");

    QTest::newRow("first of three") << QStringLiteral("1;2;3") << QStringLiteral("2;3");
    QTest::newRow("leading semicolon") << QStringLiteral(";2") << QStringLiteral("2");
    QTest::newRow("trailing semicolon") << QStringLiteral("1;") << QString();
    QTest::newRow("no semicolon") << QStringLiteral("12") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestLinkList::dropFirstItem()
{
    QFETCH(QString, text);
    QFETCH(QString, rest);
    DropFirstItem(text);
    QCOMPARE(text, rest);
}

void TestLinkList::stripLeadingParagraph_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("result");

    QTest::newRow("upper-case P removed")
        << QStringList{QStringLiteral("<P>Litwo!"), QStringLiteral("<P>dalej")}
        << QStringList{QStringLiteral("Litwo!"), QStringLiteral("<P>dalej")};
    QTest::newRow("only the tag") << QStringList{QStringLiteral("<P>")} << QStringList{QString()};
    QTest::newRow("lower-case p kept")
        << QStringList{QStringLiteral("<p>Litwo!")} << QStringList{QStringLiteral("<p>Litwo!")};
    QTest::newRow("blank before kept")
        << QStringList{QStringLiteral(" <P>Litwo!")} << QStringList{QStringLiteral(" <P>Litwo!")};
    QTest::newRow("later lines untouched")
        << QStringList{QStringLiteral("Litwo!"), QStringLiteral("<P>dalej")}
        << QStringList{QStringLiteral("Litwo!"), QStringLiteral("<P>dalej")};
    QTest::newRow("longer tag kept")
        << QStringList{QStringLiteral("<PRE>x")} << QStringList{QStringLiteral("<PRE>x")};
    QTest::newRow("empty list") << QStringList() << QStringList();
}

void TestLinkList::stripLeadingParagraph()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, result);
    StripLeadingParagraph(lines);
    QCOMPARE(lines, result);
}

void TestLinkList::captionLess_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("aBeforeB");
    QTest::addColumn<bool>("bBeforeA");

    QTest::newRow("upper before lower letter")
        << QStringLiteral("A") << QStringLiteral("b") << true << false;
    QTest::newRow("case ignored for ASCII")
        << QStringLiteral("a") << QStringLiteral("A") << false << false;
    QTest::newRow("prefix first") << QStringLiteral("Ala") << QStringLiteral("alan") << true
                                  << false;
    QTest::newRow("empty first") << QString() << QStringLiteral("a") << true << false;
    QTest::newRow("Polish letter after ASCII")
        << QStringLiteral("Zebra") << QStringLiteral("Ćma") << true << false;
    QTest::newRow("code page order, not Unicode")
        << QStringLiteral("Łódź") << QStringLiteral("Ćma") << true << false;
    QTest::newRow("Polish letters keep their case")
        << QStringLiteral("Ąb") << QStringLiteral("ąa") << true << false;
}

void TestLinkList::captionLess()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, aBeforeB);
    QFETCH(bool, bBeforeA);
    QCOMPARE(CaptionLess(a, b), aBeforeB);
    QCOMPARE(CaptionLess(b, a), bBeforeA);
}

void TestLinkList::menuCaption_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("caption");

    const QString letters = QStringLiteral("abcdefghij").repeated(5);
    QTest::newRow("39 characters whole") << letters.first(39) << letters.first(39);
    QTest::newRow("40 characters cut")
        << letters.first(40) << letters.first(40) + QStringLiteral("...");
    QTest::newRow("41 characters cut")
        << letters.first(41) << letters.first(40) + QStringLiteral("...");
    const QString polish = QStringLiteral("żółć").repeated(11);
    QTest::newRow("Polish letters count once")
        << polish.first(41) << polish.first(40) + QStringLiteral("...");
    QTest::newRow("no such field") << QString() << QString();
}

void TestLinkList::menuCaption()
{
    QFETCH(QString, value);
    QFETCH(QString, caption);

    const QString fields = value.isNull() ? QStringLiteral("Autor=x") : Title + u'=' + value;
    const auto directory = worksDirectory({{"5", fields}});
    LinkMenu::BuildMenu(
        m_links, Works, QStringLiteral("5"), [](QAction *) {}, m_window.get(), Title, m_button,
        *directory);

    QMenu *menu = m_button->menu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 1);
    const QAction *action = menu->actions().constFirst();
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->statusTip(), QStringLiteral("Tytuł: ") + value);
    QCOMPARE(action->data(), QVariant(0));
}

void TestLinkList::tagsAreLinkIndices()
{
    const auto directory = worksDirectory(
        {{"1", QStringLiteral("Tytuł=Dziady")}, {"3", QStringLiteral("Tytuł=Lalka")}});
    QList<QAction *> chosen;
    LinkMenu::BuildMenu(
        m_links, Works, QStringLiteral("1;2;3"),
        [&chosen](QAction *action) { chosen.append(action); }, m_window.get(), Title, m_button,
        *directory);

    QVERIFY(m_button->isVisibleTo(m_window.get()));
    QMenu *menu = m_button->menu();
    QVERIFY(menu);
    QCOMPARE(menu->parent(), m_window.get());
    QCOMPARE(captionsOf(menu), (QStringList{QStringLiteral("Dziady"), QStringLiteral("Lalka")}));
    QCOMPARE(tagsOf(menu), (QList<int>{0, 2}));
    for (const QAction *action : menu->actions())
        QCOMPARE(action->parent(), m_window.get());

    // Choosing the second item leads to the third link.
    QAction *second = menu->actions().at(1);
    second->trigger();
    QCOMPARE(chosen, QList<QAction *>{second});
    QString typ;
    QString numer;
    QVERIFY(m_links.GetLink(second->data().toInt(), typ, numer));
    QCOMPARE(typ, Works);
    QCOMPARE(numer, QStringLiteral("3"));
}

void TestLinkList::buttonVisibility_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("shown");

    QTest::newRow("no links") << QString() << false;
    QTest::newRow("only blanks") << QStringLiteral("  ") << false;
    QTest::newRow("all links unreadable") << QStringLiteral("8;9") << true;
    QTest::newRow("empty links") << QStringLiteral(";;") << true;
}

void TestLinkList::buttonVisibility()
{
    QFETCH(QString, value);
    QFETCH(bool, shown);

    const auto directory = worksDirectory({{"1", QStringLiteral("Tytuł=Dziady")}});
    m_button->setVisible(!shown);
    LinkMenu::BuildMenu(
        m_links, Works, value, [](QAction *) {}, m_window.get(), Title, m_button, *directory);

    QCOMPARE(m_button->isVisibleTo(m_window.get()), shown);
    if (shown) {
        QVERIFY(m_button->menu());
        QVERIFY(m_button->menu()->actions().isEmpty());
    } else {
        QVERIFY(!m_button->menu());
    }
}

void TestLinkList::menuIsSortedByCaption()
{
    const auto directory = worksDirectory({{"1", QStringLiteral("Tytuł=b")},
                                           {"2", QStringLiteral("Tytuł=A")},
                                           {"3", QStringLiteral("Tytuł=a")}});
    LinkMenu::BuildMenu(
        m_links, Works, QStringLiteral("1;2;3"), [](QAction *) {}, m_window.get(), Title, m_button,
        *directory);

    QMenu *menu = m_button->menu();
    QVERIFY(menu);
    QCOMPARE(captionsOf(menu),
             (QStringList{QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(tagsOf(menu), (QList<int>{1, 2, 0}));
}

void TestLinkList::buttonOnlyDropsTheMenu()
{
    int clicks = 0;
    connect(m_button, &QToolButton::clicked, this, [&clicks] { ++clicks; });
    const auto directory = worksDirectory({{"1", QStringLiteral("Tytuł=Dziady")}});
    LinkMenu::BuildMenu(
        m_links, Works, QStringLiteral("1"), [](QAction *) {}, m_window.get(), Title, m_button,
        *directory);

    QCOMPARE(m_button->popupMode(), QToolButton::InstantPopup);
    // Pressing drops the menu down and waits in it until it closes.
    bool dropped = false;
    QTimer::singleShot(0, m_button->menu(), [this, &dropped] {
        dropped = m_button->menu()->isVisible();
        m_button->menu()->close();
    });
    m_button->click();
    QVERIFY(dropped);
    QCOMPARE(clicks, 0);
}

void TestLinkList::sortMenuByCaption()
{
    const QStringList captions{QStringLiteral("Żaba"), QStringLiteral("zebra"),
                               QStringLiteral("ala"),  QStringLiteral("Al"),
                               QStringLiteral("Ala"),  QStringLiteral("Ąb")};
    QMenu menu;
    QList<QAction *> actions;
    for (const QString &caption : captions)
        actions.append(menu.addAction(caption));

    LinkMenu::SortMenuByCaption(&menu);

    QCOMPARE(captionsOf(&menu),
             (QStringList{QStringLiteral("Al"), QStringLiteral("ala"), QStringLiteral("Ala"),
                          QStringLiteral("zebra"), QStringLiteral("Ąb"), QStringLiteral("Żaba")}));
    const QList<QAction *> sorted = menu.actions();
    QVERIFY(std::is_permutation(sorted.begin(), sorted.end(), actions.begin(), actions.end()));
}

QTEST_MAIN(TestLinkList)
#include "tst_linklist.moc"
