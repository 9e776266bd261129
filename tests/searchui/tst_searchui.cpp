#include "FakeHelp.h"
#include "ProgramFixture.h"
#include "SearchIndexBuilder.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"
#include "TSearchBox.h"
#include "TSearchEngine.h"
#include "TSearchResultsPane.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace fixture;
using namespace Qt::StringLiterals;

namespace {

QByteArray encyclopedia()
{
    const QList<std::tuple<QByteArray, QByteArray, QString, QString>> entries{
        {"_19701", "1", u"Tytuł=Pan Tadeusz\r\nAutor=Adam Mickiewicz"_s, u"Litwo, ojczyzno moja!"_s},
        {"_19702", "1", u"Autor=Adam Mickiewicz"_s, u"Poeta, autor <i>Pana Tadeusza</i>."_s},
        {"_19705", "1", u"Termin=Pan"_s, u"Termin dawny."_s},
    };
    Entries files;
    QList<Item> items;
    for (const auto &[typ, numer, fields, text] : entries) {
        files.append({"L197\\TypX\\" + typ + '\\' + numer + "\\Pola", cp(fields)});
        files.append({typ + '\\' + numer, cp(text)});
        items.append({typ + numer, typ, numer});
    }
    files.append({"L197\\UnidX", itemIndex(items)});
    return container(files);
}

QStringList lines(QAbstractItemModel *model)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString().section(u'\n', 0, 0));
    return texts;
}

} // namespace

class TestSearchUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchWhileTheIndexIsBuilt();
    void suggestionsOpenEntries();

private:
    bool lastOpened(const QString &typ, const QString &numer);

    ProgramFixture m_program;
    FakeHelp m_help;
    TPulpit *m_pulpit = nullptr;
};

void TestSearchUi::init()
{
    QVERIFY(m_program.openData(encyclopedia()));
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = false;
    m_pulpit = &m_program.startPulpit(environment);
    m_pulpit->resize(1000, 700);
    m_pulpit->show();
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit));
}

void TestSearchUi::cleanup()
{
    QFile::remove(SearchIndexBuilder::cacheFile(Directory()->container().fileName()));
    m_program.stop();
}

bool TestSearchUi::lastOpened(const QString &typ, const QString &numer)
{
    const TFormList &open = m_pulpit->OpenWindows();
    TFormRecord record;
    return open.Count() > 0 && open.GetAt(open.Count() - 1, record) && record.Typ == typ &&
           record.Numer == numer;
}

void TestSearchUi::searchWhileTheIndexIsBuilt()
{
    TSearchBox *box = m_pulpit->SearchBox();
    QCOMPARE(box->placeholderText(), u"Szukaj w encyklopedii"_s);
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QVERIFY(box->hasFocus());

    // Typed and asked for at once: the list comes when the index is ready.
    QSignalSpy ready(m_pulpit->SearchEngine(), &TSearchEngine::ready);
    QTest::keyClicks(box, u"pan"_s);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(ready.wait(10000));
    QTRY_VERIFY(m_pulpit->SearchResults()->isVisible());
    QListWidget *list = m_pulpit->SearchResults()->list();
    QCOMPARE(lines(list->model()), (QStringList{u"Pan"_s, u"Pan Tadeusz"_s, u"Adam Mickiewicz"_s}));
    QVERIFY(list->item(2)->text().contains(u"«Pana»"_s));

    list->setFocus();
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"1"_s));

    // Nothing found is said, and choosing that line opens nothing.
    const qsizetype open = m_pulpit->OpenWindows().Count();
    QVERIFY(m_pulpit->SearchResults()->showResults(u"xyz"_s));
    QCOMPARE(list->count(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(m_pulpit->OpenWindows().Count(), open);
}

void TestSearchUi::suggestionsOpenEntries()
{
    m_pulpit->SearchEngine()->prepare();
    QSignalSpy ready(m_pulpit->SearchEngine(), &TSearchEngine::ready);
    QVERIFY(ready.wait(10000));

    TSearchBox *box = m_pulpit->SearchBox();
    QTest::keyClick(m_pulpit, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClicks(box, u"PAN t"_s);
    QAbstractItemView *popup = box->suggestions()->popup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(lines(popup->model()), QStringList{u"Pan Tadeusz"_s});

    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());

    box->clear();
    QTest::keyClicks(box, u"pan"_s);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(lines(popup->model()), (QStringList{u"Pan"_s, u"Pan Tadeusz"_s}));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_VERIFY(lastOpened(u"_19701"_s, u"1"_s));
    QVERIFY(!m_pulpit->SearchResults()->isVisible());
}

QTEST_MAIN(TestSearchUi)
#include "tst_searchui.moc"
