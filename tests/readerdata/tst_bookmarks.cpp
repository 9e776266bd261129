#include "Bookmarks.h"
#include "ReaderStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList captions(const QList<Bookmark> &bookmarks)
{
    QStringList list;
    for (const Bookmark &bookmark : bookmarks)
        list.append(bookmark.caption);
    return list;
}

// The example of readerdata/README.md.
const QByteArray DocumentedExample = R"({
  "format": "verbarium-zakladki",
  "wersja": 1,
  "zakladki": [
    {"typ": "_19701", "numer": "7", "tytul": "Pan Tadeusz", "notatka": "Księga IV"}
  ],
  "foldery": [
    {"nazwa": "Romantyzm", "zakladki": [
      {"typ": "_19702", "numer": "1", "tytul": "Adam Mickiewicz"}
    ]}
  ]
})";

} // namespace

class TestBookmarks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_stores = 0;

    QString newPath() { return m_dir.filePath(u"s%1.sqlite"_s.arg(++m_stores)); }

    // Top-level bookmarks a, b, c, d (numbers 1 to 4).
    static void addFour(Bookmarks &bookmarks)
    {
        for (int i = 1; i <= 4; ++i)
            bookmarks.add(u"_19701"_s, QString::number(i), QString(QChar(u'a' + i - 1)));
    }

    // A store with folders, one of them empty, notes, and text that JSON has to escape.
    void fill(Bookmarks &bookmarks)
    {
        addFour(bookmarks);
        bookmarks.setNote(bookmarks.find(u"_19701"_s, u"2"_s)->id, u"„cytat” i \\ ukośnik\n"_s);
        const qint64 romanticism = bookmarks.addFolder(u"Romantyzm"_s);
        bookmarks.addFolder(u"Na później"_s);
        bookmarks.add(u"_19702"_s, u"1"_s, u"Adam Mickiewicz"_s, romanticism);
        bookmarks.add(u"_19702"_s, u"2"_s, u"Juliusz Słowacki"_s, romanticism);
    }

private Q_SLOTS:
    void addsOnceAndToggles()
    {
        ReaderStore store(newPath());
        Bookmarks bookmarks(store);
        const qint64 id = bookmarks.add(u"_19701"_s, u"7"_s, u"Pan Tadeusz"_s);
        QCOMPARE(bookmarks.add(u"_19701"_s, u"7"_s, u"Inny tytuł"_s), id);
        QCOMPARE(captions(bookmarks.list()), QStringList{u"Pan Tadeusz"_s});

        QVERIFY(!bookmarks.toggle(u"_19701"_s, u"7"_s, u"Pan Tadeusz"_s));
        QVERIFY(!bookmarks.find(u"_19701"_s, u"7"_s));
        QVERIFY(bookmarks.toggle(u"_19701"_s, u"7"_s, u"Pan Tadeusz"_s));
        QCOMPARE(bookmarks.find(u"_19701"_s, u"7"_s)->caption, u"Pan Tadeusz"_s);
        bookmarks.remove(bookmarks.find(u"_19701"_s, u"7"_s)->id);
        QVERIFY(bookmarks.list().isEmpty());
    }

    void keepsCaptionAndNoteAcrossReopening()
    {
        const QString path = newPath();
        {
            ReaderStore store(path);
            Bookmarks bookmarks(store);
            const qint64 id = bookmarks.add(u"_19701"_s, u"7"_s, u"Pan Tadeusz"_s);
            bookmarks.rename(id, u"Epopeja"_s);
            bookmarks.setNote(id, u"Przeczytać inwokację."_s);
        }
        ReaderStore store(path);
        const std::optional<Bookmark> bookmark = Bookmarks(store).find(u"_19701"_s, u"7"_s);
        QVERIFY(bookmark);
        QCOMPARE(bookmark->caption, u"Epopeja"_s);
        QCOMPARE(bookmark->note, u"Przeczytać inwokację."_s);
    }

    void movesWithinItsFolder_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("to the front") << u"c"_s << 0 << u"c a b d"_s;
        QTest::newRow("to the end") << u"a"_s << 3 << u"b c d a"_s;
        QTest::newRow("one down") << u"b"_s << 2 << u"a c b d"_s;
        QTest::newRow("past the end") << u"a"_s << 10 << u"b c d a"_s;
        QTest::newRow("before the start") << u"d"_s << -5 << u"d a b c"_s;
        QTest::newRow("where it is") << u"b"_s << 1 << u"a b c d"_s;
    }

    void movesWithinItsFolder()
    {
        QFETCH(QString, caption);
        QFETCH(int, index);
        QFETCH(QString, expected);
        ReaderStore store(newPath());
        Bookmarks bookmarks(store);
        addFour(bookmarks);
        const qint64 folder = bookmarks.addFolder(u"Inne"_s);
        bookmarks.add(u"_19709"_s, u"1"_s, u"w folderze"_s, folder);
        for (const Bookmark &bookmark : bookmarks.list()) {
            if (bookmark.caption == caption)
                bookmarks.move(bookmark.id, index);
        }
        QCOMPARE(captions(bookmarks.list()).join(u' '), expected);
        QCOMPARE(captions(bookmarks.list(folder)), QStringList{u"w folderze"_s});
        // Added after a move, a bookmark still goes last.
        bookmarks.add(u"_19701"_s, u"5"_s, u"e"_s);
        QCOMPARE(captions(bookmarks.list()).join(u' '), expected + u" e"_s);
    }

    void keepsFoldersOneLevelDeep()
    {
        ReaderStore store(newPath());
        Bookmarks bookmarks(store);
        addFour(bookmarks);
        const qint64 poets = bookmarks.addFolder(u"Poeci"_s);
        QCOMPARE(bookmarks.addFolder(u"Poeci"_s), poets);
        const qint64 later = bookmarks.addFolder(u"Na później"_s);
        bookmarks.add(u"_19702"_s, u"1"_s, u"Mickiewicz"_s, poets);
        bookmarks.moveToFolder(bookmarks.find(u"_19701"_s, u"2"_s)->id, poets);
        QCOMPARE(captions(bookmarks.list()), (QStringList{u"a"_s, u"c"_s, u"d"_s}));
        QCOMPARE(captions(bookmarks.list(poets)), (QStringList{u"Mickiewicz"_s, u"b"_s}));

        QVERIFY(!bookmarks.renameFolder(later, u"Poeci"_s));
        QVERIFY(bookmarks.renameFolder(later, u"Kiedyś"_s));
        QCOMPARE(bookmarks.folders(),
                 (QList<BookmarkFolder>{{poets, u"Poeci"_s}, {later, u"Kiedyś"_s}}));

        bookmarks.removeFolder(poets);
        QCOMPARE(bookmarks.folders(), (QList<BookmarkFolder>{{later, u"Kiedyś"_s}}));
        QCOMPARE(captions(bookmarks.list()),
                 (QStringList{u"a"_s, u"c"_s, u"d"_s, u"Mickiewicz"_s, u"b"_s}));
    }

    void exportsAndImportsEverything()
    {
        ReaderStore source(newPath());
        Bookmarks original(source);
        fill(original);
        const QByteArray json = original.exportJson();

        ReaderStore target(newPath());
        Bookmarks copy(target);
        QString error;
        QVERIFY2(copy.importJson(json, &error), qPrintable(error));
        QCOMPARE(copy.exportJson(), json);
        QCOMPARE(copy.folders().size(), 2);
        QCOMPARE(copy.find(u"_19701"_s, u"2"_s)->note, u"„cytat” i \\ ukośnik\n"_s);
        QCOMPARE(captions(copy.list(copy.folders()[0].id)),
                 (QStringList{u"Adam Mickiewicz"_s, u"Juliusz Słowacki"_s}));
    }

    void importMergesWithWhatIsThere()
    {
        ReaderStore store(newPath());
        Bookmarks bookmarks(store);
        bookmarks.add(u"_19701"_s, u"7"_s, u"Mój tytuł"_s);
        const qint64 romanticism = bookmarks.addFolder(u"Romantyzm"_s);
        bookmarks.add(u"_19702"_s, u"2"_s, u"Słowacki"_s, romanticism);

        QString error;
        QVERIFY2(bookmarks.importJson(DocumentedExample, &error), qPrintable(error));
        QCOMPARE(captions(bookmarks.list()), QStringList{u"Mój tytuł"_s});
        QCOMPARE(bookmarks.folders().size(), 1);
        QCOMPARE(captions(bookmarks.list(romanticism)),
                 (QStringList{u"Słowacki"_s, u"Adam Mickiewicz"_s}));
    }

    void refusesMalformedImportChangingNothing_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not JSON") << QByteArray("{\"format\": \"verbarium-zakladki\",");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("a list") << QByteArray("[]");
        QTest::newRow("another format") << QByteArray(R"({"format": "zakladki", "wersja": 1})");
        QTest::newRow("a later version")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 2, "zakladki": []})");
        QTest::newRow("no number") << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "zakladki": [{"typ": "_19701", "tytul": "X"}]})");
        QTest::newRow("a number that is not text")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "zakladki": [{"typ": "_19701", "numer": 7, "tytul": "X"}]})");
        QTest::newRow("an empty caption")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "zakladki": [{"typ": "_19701", "numer": "7", "tytul": " "}]})");
        QTest::newRow("a note that is not text")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "zakladki": [{"typ": "_19701", "numer": "7", "tytul": "X", "notatka": 1}]})");
        QTest::newRow("bookmarks not a list")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1, "zakladki": {}})");
        QTest::newRow("a folder without a name")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "foldery": [{"zakladki": []}]})");
        QTest::newRow("the last bookmark wrong, after good ones")
            << QByteArray(R"({"format": "verbarium-zakladki", "wersja": 1,
                "zakladki": [{"typ": "_19703", "numer": "1", "tytul": "Nowa"}],
                "foldery": [{"nazwa": "Nowy", "zakladki": [
                    {"typ": "_19703", "numer": "2", "tytul": "Też nowa"}, "zakładka"]}]})");
    }

    void refusesMalformedImportChangingNothing()
    {
        QFETCH(QByteArray, json);
        ReaderStore store(newPath());
        Bookmarks bookmarks(store);
        fill(bookmarks);
        const QByteArray before = bookmarks.exportJson();
        const QList<BookmarkFolder> folders = bookmarks.folders();

        QString error;
        QVERIFY(!bookmarks.importJson(json, &error));
        QVERIFY2(error.startsWith(u"Nie zaimportowano zakładek: "_s), qPrintable(error));
        QVERIFY2(error.endsWith(u"Dotychczasowe zakładki pozostały bez zmian."_s),
                 qPrintable(error));
        QCOMPARE(bookmarks.exportJson(), before);
        QCOMPARE(bookmarks.folders(), folders);
    }

    void documentedFormatMatchesTheReadme()
    {
        QFile readme(QStringLiteral(VERBARIUM_READERDATA_DIR "/README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QByteArray text = readme.readAll();
        const qsizetype start = text.indexOf("```json\n") + 8;
        const qsizetype end = text.indexOf("```", start);
        QVERIFY(start >= 8 && end > start);
        QCOMPARE(text.mid(start, end - start).trimmed(), DocumentedExample.trimmed());
    }
};

QTEST_GUILESS_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"
