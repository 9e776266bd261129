#include "ContainerFixture.h"
#include "SearchIndex.h"
#include "SearchIndexBuilder.h"
#include "SearchIndexTask.h"
#include "SearchMatches.h"

#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace fixture;
using namespace Qt::StringLiterals;

namespace {

struct Entry
{
    QByteArray typ, numer;
    QString fields, text, description;
};

// A small encyclopedia: every entry has a field list, a text or a description, and an item
// record; the calendar event and the sound fragment belong to categories without windows.
const QList<Entry> Encyclopedia{
    {"_19701",
     "1",
     u"Tytuł=Pan Tadeusz\r\nAutor=Adam Mickiewicz"_s,
     u"<p>Epopeja narodowa Adama <b>Mickiewicza</b>. Litwo, ojczyzno moja!</p>"_s,
     {}},
    {"_19701", "2", u"Tytuł=Żółw"_s, u"Bajka o <b>żółwiu</b> i zającu."_s, {}},
    {"_19701",
     "3",
     u"Tytuł=Ballady"_s,
     u"Zbiór utworów, w którym pojawia się jeden upiór, a także rusałki, dziewczęta, "
     u"strzelcy, rybki, lasy, jeziora i inne stworzenia natury."_s,
     {}},
    {"_19701", "4", u"Tytuł=Dziady"_s, u"Upiór, upiór i upiór."_s, {}},
    {"_19702",
     "1",
     u"Autor=Adam Mickiewicz"_s,
     u"Poeta, autor <i>Pana Tadeusza</i>. Urodzony w Zaosiu."_s,
     {}},
    {"_19702", "2", u"Autor=Bolesław Prus"_s, u"Pisarz, bywał w Łodzi."_s, {}},
    {"_19703",
     "1",
     u"Epoka=Romantyzm"_s,
     u"Epoka, w której tworzył Mickiewicz; pan i poeta.<font color=red>x</font>"_s,
     {}},
    {"_19705", "1", u"Termin=Pan"_s, u"Termin dawny."_s, {}},
    {"_19705", "2", u"Termin=Zolw morski"_s, u"Gad."_s, {}},
    {"_19706",
     "1",
     u"Dzieło=Pan Tadeusz\r\nFragment=Inwokacja"_s,
     u"Litwo! Ojczyzno moja! ty jesteś jak zdrowie."_s,
     {}},
    {"_19799", "1", u"Nazwa=Tadeusz Soplica"_s, u"Bohater Pana Tadeusza."_s, {}},
    {"_19711", "1", u"Tytuł=Łódź nocą"_s, {}, u"Widok <b>miasta</b> nocą."_s},
    {"_19708", "1", u"Tytuł=Pan Tadeusz wydany"_s, u"Pan Tadeusz wydany w Paryżu. Soplica."_s, {}},
    {"_19721", "1", u"Tytuł=Soplica czyta"_s, u"Soplica."_s, {}},
    {"_19701", "5", u"Tytuł=Lalka\r\nAutor=Bolesław Prus"_s, u"Powieść o Warszawie."_s, {}},
    {"_19799", "2", u"Nazwa=Wokulski\r\nDzieło=Lalka"_s, u"Kupiec."_s, {}},
};

QByteArray encyclopedia(const QList<Entry> &entries)
{
    Entries files;
    QList<Item> items;
    int unid = 0;
    for (const Entry &e : entries) {
        const QByteArray name = e.typ + '\\' + e.numer;
        files.append({"L197\\TypX\\" + name + "\\Pola", cp(e.fields)});
        if (!e.text.isEmpty())
            files.append({name, cp(e.text)});
        if (!e.description.isEmpty())
            files.append({name + "\\Opis", cp(e.description)});
        items.append({QByteArray::number(++unid), e.typ, e.numer});
    }
    files.append({"L197\\UnidX", itemIndex(items)});
    return container(files);
}

// The snippet's text with its marks shown.
QString marked(const SearchIndex::Snippet &snippet)
{
    QString text = snippet.text;
    for (auto mark = snippet.marks.crbegin(); mark != snippet.marks.crend(); ++mark)
        text.insert(mark->start + mark->length, u']').insert(mark->start, u'[');
    return text;
}

QStringList found(const QList<SearchIndex::Result> &results)
{
    QStringList pairs;
    for (const SearchIndex::Result &r : results)
        pairs.append(r.typ + u'/' + r.numer);
    return pairs;
}

} // namespace

class TestSearchIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void ranking_data();
    void ranking();
    void titlesAndSnippets();
    void pagesOfCategories_data();
    void pagesOfCategories();
    void reusesAValidCache();
    void rebuildsAStaleCache();
    void rebuildsADamagedCache_data();
    void rebuildsADamagedCache();
    void rebuildsACacheChangedAfterItsBuild_data();
    void rebuildsACacheChangedAfterItsBuild();
    void rebuildsACacheWithoutItsDigest();
    void cancelledBuildLeavesNoFile();
    void removesPartsOfBuildsThatDied();
    void buildsOnAThreadOfItsOwn();
    void buildsForTheRunWhereTheCacheCannotBeWritten_data();
    void buildsForTheRunWhereTheCacheCannotBeWritten();

private:
    // Builds the index when needed; tells whether it was built.
    bool ensure(const QString &container);
    // Rebuilt, it answers as a fresh build does.
    void answersAsBuilt();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_container;
    QString m_index;
};

void TestSearchIndex::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSearchIndex::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_container = writeFile(*m_dir, encyclopedia(Encyclopedia));
    m_index = m_dir->filePath(u"index.sqlite"_s);
}

bool TestSearchIndex::ensure(const QString &container)
{
    bool built = false;
    const bool done =
        SearchIndexBuilder::ensure(container, m_index, [&built](int, int) { built = true; });
    return done && built;
}

void TestSearchIndex::ranking_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("expected");
    // Exact title, then titles starting with it, then titles holding it, then text; each
    // group in the Index's order of categories (works, creators, epochs, characters, ...).
    QTest::newRow("typing a word")
        << u"pan"_s << QStringList{u"_19705/1"_s, u"_19701/1"_s, u"_19706/1"_s,
                                   u"_19702/1"_s, u"_19703/1"_s, u"_19799/1"_s};
    QTest::newRow("a whole word") << u"pan "_s
                                  << QStringList{u"_19705/1"_s, u"_19701/1"_s, u"_19706/1"_s,
                                                 u"_19703/1"_s};
    QTest::newRow("a word inside titles")
        << u"tadeusz "_s << QStringList{u"_19799/1"_s, u"_19701/1"_s, u"_19706/1"_s};
    QTest::newRow("title word before text") << u"soplica"_s << QStringList{u"_19799/1"_s};
    QTest::newRow("relevance in the text")
        << u"upior"_s << QStringList{u"_19701/4"_s, u"_19701/3"_s};
    QTest::newRow("without Polish letters")
        << u"zolw"_s << QStringList{u"_19701/2"_s, u"_19705/2"_s};
    QTest::newRow("with Polish letters") << u"ŻÓŁW"_s << QStringList{u"_19701/2"_s, u"_19705/2"_s};
    QTest::newRow("a description") << u"lodz"_s << QStringList{u"_19711/1"_s, u"_19702/2"_s};
    QTest::newRow("several words all required")
        << u"mickiewicz poeta"_s << QStringList{u"_19702/1"_s, u"_19703/1"_s};
    QTest::newRow("a phrase") << u"\"litwo ojczyzno\""_s
                              << QStringList{u"_19701/1"_s, u"_19706/1"_s};
    QTest::newRow("a phrase in the wrong order") << u"\"ojczyzno litwo\""_s << QStringList{};
    QTest::newRow("the words in any order")
        << u"ojczyzno litwo"_s << QStringList{u"_19701/1"_s, u"_19706/1"_s};
    QTest::newRow("a tag is no text") << u"b "_s << QStringList{};
    QTest::newRow("an attribute is no text") << u"color "_s << QStringList{};
    // The fields a window shows around the text are searched, after the titles.
    QTest::newRow("a work's title finds its characters")
        << u"lalka "_s << QStringList{u"_19701/5"_s, u"_19799/2"_s};
    QTest::newRow("a writer's name finds the works he wrote")
        << u"prus"_s << QStringList{u"_19702/2"_s, u"_19701/5"_s};
    QTest::newRow("categories without windows") << u"wydany"_s << QStringList{};
    QTest::newRow("nothing to search") << u"\"\" ,"_s << QStringList{};
}

void TestSearchIndex::ranking()
{
    QFETCH(QString, query);
    QFETCH(QStringList, expected);
    QVERIFY(ensure(m_container));
    const SearchIndex index(m_index);
    QCOMPARE(index.entryCount(), Encyclopedia.size() - 2);
    QCOMPARE(found(index.search(SearchQuery(query))), expected);
    // The first results alone come in the same order.
    for (int limit = 0; limit < expected.size(); ++limit)
        QCOMPARE(found(index.search(SearchQuery(query), limit)), expected.mid(0, limit));
}

void TestSearchIndex::titlesAndSnippets()
{
    QVERIFY(ensure(m_container));
    const SearchIndex index(m_index);
    const SearchQuery query(u"pan"_s);

    const QList<SearchIndex::Result> titles = index.titleMatches(query, 2);
    QCOMPARE(found(titles), (QStringList{u"_19705/1"_s, u"_19701/1"_s}));
    QCOMPARE(titles[1].title, u"Pan Tadeusz"_s);
    QCOMPARE(titles[0].group, SearchIndex::ExactTitle);
    QCOMPARE(titles[1].group, SearchIndex::TitleStart);

    const QList<SearchIndex::Result> all = index.search(query);
    QCOMPARE(marked(index.snippet(all[3], query, 20)), u"…autor [Pana] Tadeusza.…"_s);
    const SearchQuery lodz(u"lodz"_s);
    QCOMPARE(marked(index.snippet(index.search(lodz).at(1), lodz)), u"Pisarz, bywał w [Łodzi]."_s);
    // Every word found is marked, however often and in whatever order.
    const SearchQuery words(u"ojczyzno litwo"_s);
    QCOMPARE(marked(index.snippet(index.search(words).at(0), words)),
             u"Epopeja narodowa Adama Mickiewicza. [Litwo], [ojczyzno] moja!"_s);
    const SearchQuery upior(u"upior"_s);
    QCOMPARE(marked(index.snippet(index.search(upior).at(0), upior)),
             u"[Upiór], [upiór] i [upiór]."_s);
    // A match in the fields the window shows comes from there.
    const SearchQuery lalka(u"lalka "_s);
    QVERIFY(marked(index.snippet(index.search(lalka).at(1), lalka)).contains(u"[Lalka]"_s));
}

void TestSearchIndex::pagesOfCategories_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("orders"); // places of the categories kept
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("every category")
        << u"pan"_s << QList<int>{} << QStringList{u"_19705/1"_s, u"_19701/1"_s, u"_19706/1"_s,
                                                   u"_19702/1"_s, u"_19703/1"_s, u"_19799/1"_s};
    QTest::newRow("titles of two")
        << u"pan"_s << QList<int>{0, 7} << QStringList{u"_19701/1"_s, u"_19706/1"_s};
    QTest::newRow("text of three") << u"pan"_s << QList<int>{3, 1, 2}
                                   << QStringList{u"_19702/1"_s, u"_19703/1"_s, u"_19799/1"_s};
    QTest::newRow("title and text")
        << u"pan"_s << QList<int>{6, 3} << QStringList{u"_19705/1"_s, u"_19799/1"_s};
    QTest::newRow("relevance within one")
        << u"upior"_s << QList<int>{0} << QStringList{u"_19701/4"_s, u"_19701/3"_s};
    QTest::newRow("none there") << u"pan"_s << QList<int>{5} << QStringList{};
}

void TestSearchIndex::pagesOfCategories()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, orders);
    QFETCH(QStringList, expected);
    QVERIFY(ensure(m_container));
    const SearchIndex index(m_index);
    for (int page = 1; page <= 3; ++page) {
        // Read from the last page back, so later runs are ranked before earlier ones.
        SearchMatches matches = index.matches(SearchQuery(query));
        QCOMPARE(matches.count(orders), expected.size());
        QStringList read;
        for (int from = int((expected.size() - 1) / page) * page; from >= 0; from -= page)
            read = found(matches.results(from, page, orders)) + read;
        QCOMPARE(read, expected);
        QVERIFY(matches.results(int(expected.size()), page, orders).isEmpty());
    }
}

void TestSearchIndex::reusesAValidCache()
{
    QVERIFY(ensure(m_container));
    QVERIFY(!ensure(m_container));
    QVERIFY(SearchIndex::isValid(m_index, SearchIndexBuilder::containerKey(m_container)));
}

void TestSearchIndex::rebuildsAStaleCache()
{
    QVERIFY(ensure(m_container));
    QList<Entry> changed = Encyclopedia;
    changed[7].fields = u"Termin=Pani"_s;
    // The same size and the same table, only the time and the bytes of a text differ.
    changed[1].text = u"Bajka o <b>żółwiu</b> i zającu!"_s;
    const QString other = writeFile(*m_dir, encyclopedia(changed), u"other.dat"_s);
    QFile::remove(m_container);
    QVERIFY(QFile::rename(other, m_container));

    QVERIFY(ensure(m_container));
    const SearchIndex index(m_index);
    QCOMPARE(index.search(SearchQuery(u"pani"_s)).value(0).numer, u"1"_s);
    QCOMPARE(index.search(SearchQuery(u"pani"_s)).value(0).typ, u"_19705"_s);
}

void TestSearchIndex::rebuildsADamagedCache_data()
{
    QTest::addColumn<int>("keep"); // bytes of the built file kept, -1 for all
    QTest::addColumn<QByteArray>("overwrite");
    QTest::newRow("empty") << 0 << QByteArray();
    QTest::newRow("cut short") << 4096 << QByteArray();
    QTest::newRow("not a database") << 0 << QByteArray(8192, 'x');
    QTest::newRow("pages overwritten") << -1 << QByteArray(6000, '\xff');
}

void TestSearchIndex::rebuildsADamagedCache()
{
    QFETCH(int, keep);
    QFETCH(QByteArray, overwrite);
    QVERIFY(ensure(m_container));
    {
        QFile file(m_index);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (keep >= 0)
            QVERIFY(file.resize(keep));
        // Past the first page, where the tables' own pages are.
        QVERIFY(file.seek(keep >= 0 ? keep : 4096));
        file.write(overwrite);
    }
    QVERIFY(!SearchIndex::isValid(m_index, SearchIndexBuilder::containerKey(m_container)));
    QVERIFY(ensure(m_container));
    const SearchIndex index(m_index);
    QCOMPARE(found(index.search(SearchQuery(u"soplica"_s))), QStringList{u"_19799/1"_s});
}

void TestSearchIndex::answersAsBuilt()
{
    const SearchIndex index(m_index);
    QCOMPARE(found(index.search(SearchQuery(u"pan"_s))),
             (QStringList{u"_19705/1"_s, u"_19701/1"_s, u"_19706/1"_s, u"_19702/1"_s, u"_19703/1"_s,
                          u"_19799/1"_s}));
    const SearchQuery epopeja(u"epopeja"_s);
    QCOMPARE(marked(index.snippet(index.search(epopeja).value(0), epopeja, 24)),
             u"[Epopeja] narodowa Adama M…"_s);
}

void TestSearchIndex::rebuildsACacheChangedAfterItsBuild_data()
{
    QTest::addColumn<qint64>("cut");    // bytes cut off its end
    QTest::addColumn<qint64>("flip");   // the byte with a bit flipped: from the start, or from
                                        // the end when negative
    QTest::addColumn<QByteArray>("in"); // the byte counts from where this text is, if given
    QTest::addColumn<int>("bit");
    QTest::newRow("cut inside its last page") << 1000LL << 0LL << QByteArray() << -1;
    QTest::newRow("a byte cut off") << 1LL << 0LL << QByteArray() << -1;
    QTest::newRow("a bit of the header") << 0LL << 28LL << QByteArray() << 0;
    QTest::newRow("a bit of the second page") << 0LL << 4100LL << QByteArray() << 3;
    QTest::newRow("a bit of the last byte") << 0LL << -1LL << QByteArray() << 7;
    // Only the letters change: the pages stay sound, and SQLite's own checks pass.
    QTest::newRow("a letter of a text") << 0LL << 2LL << QByteArray("Epopeja") << 1;
    QTest::newRow("a letter of a title") << 0LL << 1LL << QByteArray("Ballady") << 5;
}

void TestSearchIndex::rebuildsACacheChangedAfterItsBuild()
{
    QFETCH(qint64, cut);
    QFETCH(qint64, flip);
    QFETCH(QByteArray, in);
    QFETCH(int, bit);
    QVERIFY(ensure(m_container));
    {
        QFile file(m_index);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        if (bit >= 0) {
            qint64 at = flip < 0 ? bytes.size() + flip : flip;
            if (!in.isEmpty()) {
                QVERIFY(bytes.indexOf(in) >= 0);
                at += bytes.indexOf(in);
            }
            bytes[at] = char(bytes[at] ^ (1 << bit));
        }
        bytes.chop(cut);
        QVERIFY(file.resize(0));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QVERIFY(!SearchIndex::isValid(m_index, SearchIndexBuilder::containerKey(m_container)));
    QVERIFY(ensure(m_container));
    answersAsBuilt();
}

void TestSearchIndex::rebuildsACacheWithoutItsDigest()
{
    QVERIFY(ensure(m_container));
    QVERIFY(QFile::remove(m_index + u".b2"_s));
    QVERIFY(!SearchIndex::isValid(m_index, SearchIndexBuilder::containerKey(m_container)));
    QVERIFY(ensure(m_container));
    answersAsBuilt();
    QVERIFY(!ensure(m_container));
}

void TestSearchIndex::cancelledBuildLeavesNoFile()
{
    std::atomic_bool cancel{false};
    int calls = 0;
    const bool done = SearchIndexBuilder::ensure(
        m_container, m_index,
        [&](int, int) {
            ++calls;
            cancel = true;
        },
        &cancel);
    QVERIFY(!done);
    QCOMPARE(calls, 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"Verbarium.dat"_s});
}

void TestSearchIndex::removesPartsOfBuildsThatDied()
{
    // A process that has ended: its pid names no process now.
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    QVERIFY(dead > 0);
    QCOMPARE(waitpid(dead, nullptr, 0), dead);

    const auto touch = [this](const QString &name) {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("partial");
    };
    const QString ofDead = u"index.sqlite.%1-1.part"_s.arg(dead);
    const QString ofLive = u"index.sqlite.%1-7.part"_s.arg(QCoreApplication::applicationPid());
    const QString deadLink = u"index.sqlite.%1-2.part"_s.arg(dead);
    const QStringList kept{ofLive, u"index.sqlite.x-1.part"_s, u"notes.part"_s,
                           u"other.sqlite.%1-1.part"_s.arg(dead)};
    touch(ofDead);
    for (const QString &name : kept)
        touch(name);
    QVERIFY(QFile::link(m_dir->filePath(ofLive), m_dir->filePath(deadLink)));

    QVERIFY(ensure(m_container));
    QStringList expected = kept;
    expected << deadLink << u"Verbarium.dat"_s << u"index.sqlite"_s << u"index.sqlite.b2"_s;
    expected.sort();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::System, QDir::Name), expected);
    QVERIFY(QFileInfo(m_dir->filePath(deadLink)).isSymLink());
}

void TestSearchIndex::buildsOnAThreadOfItsOwn()
{
    const QString cache = SearchIndexBuilder::cacheFile(m_container);
    QVERIFY(cache.startsWith(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
    QVERIFY(cache != SearchIndexBuilder::cacheFile(m_dir->filePath(u"other.dat"_s)));
    QFile::remove(cache);

    SearchIndexTask task(m_container, cache);
    QSignalSpy progress(&task, &SearchIndexTask::progress);
    QSignalSpy ready(&task, &SearchIndexTask::ready);
    task.start();
    // The spy counts on the task's thread: the signal may come before a wait would begin.
    QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 10000);
    QCOMPARE(ready.at(0).at(0).toString(), cache);
    QCOMPARE(progress.last().at(0).toInt(), Encyclopedia.size() - 2);
    QCOMPARE(SearchIndex(cache).entryCount(), Encyclopedia.size() - 2);

    SearchIndexTask missing(m_dir->filePath(u"missing.dat"_s), m_index);
    QSignalSpy failed(&missing, &SearchIndexTask::failed);
    missing.start();
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
    QVERIFY(failed.at(0).at(0).toString().contains(u"missing.dat"_s));
    QFile::remove(cache);
}

void TestSearchIndex::buildsForTheRunWhereTheCacheCannotBeWritten_data()
{
    QTest::addColumn<QString>("index"); // under the test's folder
    QTest::addColumn<bool>("readOnly"); // the index's folder
    QTest::newRow("index path is a folder") << u"index.sqlite"_s << false;
    QTest::newRow("folder is a file") << u"Verbarium.dat/index.sqlite"_s << false;
    QTest::newRow("read-only folder") << u"kept/index.sqlite"_s << true;
}

void TestSearchIndex::buildsForTheRunWhereTheCacheCannotBeWritten()
{
    QFETCH(QString, index);
    QFETCH(bool, readOnly);
    const QString path = m_dir->filePath(index);
    const QString folder = QFileInfo(path).absolutePath();
    if (index == u"index.sqlite"_s)
        QVERIFY(QDir().mkpath(path));
    if (readOnly) {
        if (::geteuid() == 0)
            QSKIP("Permissions do not stop root from writing; the other rows stand for it.");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto writable = qScopeGuard([&folder] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    QString built;
    {
        SearchIndexTask task(m_container, path);
        QSignalSpy ready(&task, &SearchIndexTask::ready);
        QSignalSpy failed(&task, &SearchIndexTask::failed);
        task.start();
        QTRY_VERIFY_WITH_TIMEOUT(ready.count() + failed.count() > 0, 10000);
        QCOMPARE(failed.count(), 0);
        built = ready.at(0).at(0).toString();
        QVERIFY(!built.startsWith(folder + u'/'));
        m_index = built;
        answersAsBuilt();
        // The same task builds no more for the rest of the run.
        task.start();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 2, 10000);
        QCOMPARE(ready.at(1).at(0).toString(), built);
    }
    // Nothing is left behind once the run is over, and the cache's place is as it was.
    QVERIFY(!QFileInfo::exists(built));
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_GUILESS_MAIN(TestSearchIndex)
#include "tst_searchindex.moc"
