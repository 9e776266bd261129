#include "ContainerFixture.h"
#include "ContentError.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace fixture;

namespace {

std::unique_ptr<TPSSDirectory> directoryOf(const Entries &entries)
{
    return std::make_unique<TPSSDirectory>(
        std::make_unique<TSimplePSS>(container(entries), QStringLiteral("mem")));
}

const QString Works = QStringLiteral("_19701");

} // namespace

class TestPSSDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void missingFileIsReportedByName();
    void readsTextAndDescription_data();
    void readsTextAndDescription();
    void readFieldsNeedsTheItem();
    void readPicture();
    void listNumbersKeepsStoredOrderAndAppends();
    void findByUnid();
    void findItemFindsEveryStoredPair();
    void itemsAreUpperCasedAsciiOnly();
    void damagedItemIndex_data();
    void damagedItemIndex();
    void extractSound();
    void extractSoundReusesExistingFile();
    void extractSoundRefusesUnsafeNames_data();
    void extractSoundRefusesUnsafeNames();
    void extractSoundReportsUncreatableFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TPSSDirectory> m_directory;
};

void TestPSSDirectory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QByteArray index = itemIndex({{"D0000000000000000000000000000003", "_19701", "3"},
                                        {"unid-1", "_19701", "1"},
                                        {"B1", "_19702", "1"},
                                        {"D0000000000000000000000000000003", "_19701", "20"},
                                        {"no-fields", "_19701", "abc"}});
    m_directory = directoryOf({
        {"L197\\UnidX", index},
        {"L197\\TypX\\_19701\\3\\Pola",
         cp(QStringLiteral("Tytuł=Pan Tadeusz\r\nAutor=Adam Mickiewicz\r\n"))},
        {"L197\\TypX\\_19701\\99\\Pola", "Tytuł=not indexed"},
        {"_19701\\3",
         cp(QStringLiteral("<p>Litwo! Ojczyzno moja!</p>\r\n<p>ty jesteś jak zdrowie.</p>"))},
        {"_19701\\3\\Opis", cp(QStringLiteral("Epopeja narodowa\rz 1834 roku\n"))},
        {"_19711\\7\\THUMB", "BMthumb"},
        {"_19711\\7\\FULL", "\xFF\xD8jpeg"},
        {"_197SND\\Glosy\\Mickiewicz", "ID3mp3-bytes"},
    });
}

void TestPSSDirectory::missingFileIsReportedByName()
{
    const QString path = m_dir->filePath(QStringLiteral("Verbarium.dat"));
    for (const QString &p : {path, m_dir->path()}) {
        try {
            TPSSDirectory directory(p);
            QFAIL("no error for a missing file");
        } catch (const ContentError &e) {
            QCOMPARE(e.message(), QStringLiteral("Could not find file: \"%1\"").arg(p));
        }
    }
}

void TestPSSDirectory::readsTextAndDescription_data()
{
    QTest::addColumn<bool>("description");
    QTest::addColumn<QString>("numer");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("text, CR LF") << false << QStringLiteral("3") << true
                                 << QStringList{QStringLiteral("<p>Litwo! Ojczyzno moja!</p>"),
                                                QStringLiteral("<p>ty jesteś jak zdrowie.</p>")};
    QTest::newRow("description, CR and LF")
        << true << QStringLiteral("3") << true
        << QStringList{QStringLiteral("Epopeja narodowa"), QStringLiteral("z 1834 roku")};
    QTest::newRow("absent text") << false << QStringLiteral("1") << false << QStringList();
    QTest::newRow("absent description") << true << QStringLiteral("20") << false << QStringList();
}

void TestPSSDirectory::readsTextAndDescription()
{
    QFETCH(bool, description);
    QFETCH(QString, numer);
    QFETCH(bool, found);
    QFETCH(QStringList, lines);

    QStringList result{QStringLiteral("old contents")};
    const bool ok = description
                        ? m_directory->ReadDescription(QStringLiteral("_19701"), numer, result)
                        : m_directory->ReadText(QStringLiteral("_19701"), numer, result);
    QCOMPARE(ok, found);
    QCOMPARE(result, lines);
}

void TestPSSDirectory::readFieldsNeedsTheItem()
{
    QStringList fields{QStringLiteral("old")};
    QVERIFY(m_directory->ReadFields(Works, QStringLiteral("3"), fields));
    QCOMPARE(fields, (QStringList{QStringLiteral("Tytuł=Pan Tadeusz"),
                                  QStringLiteral("Autor=Adam Mickiewicz")}));

    // A "Pola" entry without an item-index record is not read.
    fields = QStringList{QStringLiteral("old")};
    QVERIFY(!m_directory->ReadFields(Works, QStringLiteral("99"), fields));
    QCOMPARE(fields, QStringList{QStringLiteral("old")});

    // Indexed but without a field list: not found, and the list is emptied.
    QVERIFY(!m_directory->ReadFields(Works, QStringLiteral("ABC"), fields));
    QVERIFY(fields.isEmpty());
}

void TestPSSDirectory::readPicture()
{
    QByteArray picture;
    QVERIFY(m_directory->ReadPicture(QStringLiteral("_19711"), QStringLiteral("7"), true, picture));
    QCOMPARE(picture, QByteArray("BMthumb"));
    QVERIFY(
        m_directory->ReadPicture(QStringLiteral("_19711"), QStringLiteral("7"), false, picture));
    QCOMPARE(picture, QByteArray("\xFF\xD8jpeg"));

    picture = "kept";
    QVERIFY(
        !m_directory->ReadPicture(QStringLiteral("_19711"), QStringLiteral("8"), true, picture));
    QCOMPARE(picture, QByteArray("kept"));
}

void TestPSSDirectory::listNumbersKeepsStoredOrderAndAppends()
{
    QStringList list{QStringLiteral("x")};
    QVERIFY(m_directory->ListNumbers(QStringLiteral("_19701"), list));
    const QStringList works{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("20"),
                            QStringLiteral("ABC")};
    QCOMPARE(list, QStringList{QStringLiteral("x")} + works);

    QVERIFY(m_directory->ListNumbers(QStringLiteral("_19701"), list));
    QCOMPARE(list, QStringList{QStringLiteral("x")} + works + works);

    QCOMPARE(m_directory->ListNumbers(QStringLiteral("_19702")), QStringList{QStringLiteral("1")});
    QVERIFY(m_directory->ListNumbers(QStringLiteral("_19799")).isEmpty());
}

void TestPSSDirectory::findByUnid()
{
    const TItemInfo *item =
        m_directory->FindByUnid(QStringLiteral("d0000000000000000000000000000003"));
    QVERIFY(item);
    QCOMPARE(item->Typ(), QStringLiteral("_19701"));
    QCOMPARE(item->Numer(), QStringLiteral("3")); // the first of two with that identifier

    item = m_directory->FindByUnid(QStringLiteral("UNID-1"));
    QVERIFY(item);
    QCOMPARE(item->Numer(), QStringLiteral("1"));

    QVERIFY(!m_directory->FindByUnid(QStringLiteral("D0000000000000000000000000000004")));
    QVERIFY(!m_directory->FindByUnid(QString()));
}

void TestPSSDirectory::findItemFindsEveryStoredPair()
{
    // Keys of every length, sharing prefixes, with bytes on both sides of the backslash,
    // in random stored order.
    QList<Item> items;
    QList<QByteArray> keys;
    QRandomGenerator random(1997);
    const QByteArray alphabet("_0123456789AZ[]\\^`{\x7f\x80\xa5\xff");
    while (items.size() < 400) {
        QByteArray typ, numer;
        for (int n = 1 + random.bounded(10); n > 0; --n)
            typ += alphabet[random.bounded(alphabet.size())];
        for (int n = random.bounded(11); n > 0; --n)
            numer += alphabet[random.bounded(alphabet.size())];
        const QByteArray key = typ + '\\' + numer;
        if (typ.contains('\\') || numer.contains('\\') || keys.contains(key))
            continue;
        keys.append(key);
        items.append({"u", typ, numer});
    }
    const QByteArray file = container({{"L197\\UnidX", itemIndex(items)}});
    seedCorpus(file);
    TPSSDirectory directory(std::make_unique<TSimplePSS>(file, QStringLiteral("mem")));
    QCOMPARE(directory.ItemCount(), items.size());

    // The permutation orders the keys byte by byte, unsigned, shorter first.
    QList<QByteArray> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < sorted.size(); ++i)
        QCOMPARE(keys[directory.SortIndex(i)], sorted[i]);

    for (int i = 0; i < items.size(); ++i) {
        const QString typ = Cp1250::decode(items[i].typ);
        const QString numer = Cp1250::decode(items[i].numer);
        const int position = directory.FindItem(typ, numer);
        QVERIFY2(position >= 0, keys[i].constData());
        QCOMPARE(directory.SortIndex(position), i);
        QCOMPARE(directory.FindItem(typ, numer + u'0') >= 0, keys.contains(keys[i] + '0'));
    }
    QCOMPARE(directory.FindItem(QStringLiteral("_19701_19701"), QStringLiteral("1234567890")), -1);
}

void TestPSSDirectory::itemsAreUpperCasedAsciiOnly()
{
    const auto directory = directoryOf(
        {{"L197\\UnidX",
          itemIndex({{"abc-ą", cp(QStringLiteral("_typ")), cp(QStringLiteral("nr-ł"))}})},
         {"L197\\TypX\\_TYP\\NR-\xb3\\Pola", "a=1"}});
    const TItemInfo &item = directory->itemAt(0);
    QCOMPARE(item.Typ(), QStringLiteral("_TYP"));
    QCOMPARE(item.Numer(), QStringLiteral("NR-ł"));
    QVERIFY(directory->FindItem(QStringLiteral("_typ"), QStringLiteral("nr-ł")) >= 0);
    // Only ASCII is upper-cased, so a letter outside it must match exactly.
    QCOMPARE(directory->FindItem(QStringLiteral("_typ"), QStringLiteral("nr-Ł")), -1);
    QStringList fields;
    QVERIFY(directory->ReadFields(QStringLiteral("_Typ"), QStringLiteral("Nr-ł"), fields));
    QCOMPARE(fields, QStringList{QStringLiteral("a=1")});
}

void TestPSSDirectory::damagedItemIndex_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("unids");
    QTest::addColumn<bool>("reported"); // by the checking tool

    const auto record = [](const QByteArray &unid, const QByteArray &numer) {
        return QByteArray(Bytes().field(unid, 32).field("_19701", 10).field(numer, 10));
    };
    QTest::newRow("no index entry")
        << false << QByteArray() << QStringList() << QStringList() << false;
    QTest::newRow("count 0") << true << QByteArray(Bytes().i32(0).raw(record("U", "1")))
                             << QStringList() << QStringList() << false;
    QTest::newRow("shorter than the count")
        << true << QByteArray("\1\0", 2) << QStringList() << QStringList() << true;
    QTest::newRow("negative count") << true << QByteArray(Bytes().i32(-7).raw(record("U", "1")))
                                    << QStringList() << QStringList() << true;
    QTest::newRow("count 2^31-1 keeps what is held")
        << true << QByteArray(Bytes().i32(2147483647).raw(record("U1", "1")).raw(record("U2", "2")))
        << QStringList{QStringLiteral("1"), QStringLiteral("2")}
        << QStringList{QStringLiteral("U1"), QStringLiteral("U2")} << true;
    QTest::newRow("cut-off record is filled with zeros")
        << true
        << QByteArray(Bytes().i32(3).raw(record("U1", "1")).raw(record("U2", "22").left(44)))
        << QStringList{QStringLiteral("1"), QString()}
        << QStringList{QStringLiteral("U1"), QStringLiteral("U2")} << true;
    QTest::newRow("lengths beyond the widths are cut")
        << true
        << QByteArray(Bytes()
                          .i32(1)
                          .field(QByteArray(32, 'u'), 32, 255)
                          .field("_19701", 10)
                          .field("1234567890", 10, 40))
        << QStringList{QStringLiteral("1234567890")} << QStringList{QString(32, u'U')} << true;
    QTest::newRow("bytes beyond the length are ignored")
        << true
        << QByteArray(
               Bytes().i32(1).field("U1xxxx", 32, 2).field("_19701", 10).field("77zz", 10, 2))
        << QStringList{QStringLiteral("77")} << QStringList{QStringLiteral("U1")} << false;
}

void TestPSSDirectory::damagedItemIndex()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, index);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, unids);
    QFETCH(bool, reported);

    Entries entries{{"L197\\TypX\\_19701\\1\\Pola", "a=b"}};
    if (present)
        entries.append({"L197\\UnidX", index});
    seedCorpus(container(entries));
    const auto directory = directoryOf(entries);

    QCOMPARE(directory->ItemCount(), numbers.size());
    QCOMPARE(directory->ListNumbers(Works), numbers);
    for (int i = 0; i < unids.size(); ++i)
        QCOMPARE(directory->itemAt(i).Unid(), unids[i]);
    QStringList fields;
    QCOMPARE(directory->ReadFields(Works, QStringLiteral("1"), fields),
             numbers.contains(QStringLiteral("1")));
    QCOMPARE(directory->FindItem(Works, QStringLiteral("2")) >= 0,
             numbers.contains(QStringLiteral("2")));
    QVERIFY(!directory->FindByUnid(QStringLiteral("U3")));
    if (present)
        QCOMPARE(!TPSSDirectory::itemIndexProblem(index).isEmpty(), reported);
}

void TestPSSDirectory::extractSound()
{
    const QString folder = m_dir->filePath(QStringLiteral("snd"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(
        m_directory->ExtractSound(QStringLiteral("GLOSY"), QStringLiteral("Mickiewicz"), folder));
    QFile file(folder + QStringLiteral("/Mickiewicz.MP3"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("ID3mp3-bytes"));

    // Absent: false, nothing written, and still false next time.
    for (int attempt = 0; attempt < 2; ++attempt)
        QVERIFY(
            !m_directory->ExtractSound(QStringLiteral("Glosy"), QStringLiteral("Brak"), folder));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Mickiewicz.MP3")});
}

void TestPSSDirectory::extractSoundReusesExistingFile()
{
    const QString folder = m_dir->path() + u'/';
    writeFile(*m_dir, "kept bytes", QStringLiteral("Wprowadz.MP3"));
    QVERIFY(m_directory->ExtractSound(QStringLiteral("guide"), QStringLiteral("Wprowadz"), folder));
    QFile file(folder + QStringLiteral("Wprowadz.MP3"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept bytes"));
}

void TestPSSDirectory::extractSoundRefusesUnsafeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << QStringLiteral("../Mickiewicz");
    QTest::newRow("slash") << QStringLiteral("sub/Mickiewicz");
    QTest::newRow("backslash") << QStringLiteral("..\\Mickiewicz");
    QTest::newRow("dots only") << QStringLiteral("..");
    QTest::newRow("absolute") << QStringLiteral("/tmp/Mickiewicz");
}

void TestPSSDirectory::extractSoundRefusesUnsafeNames()
{
    QFETCH(QString, name);
    const QString folder = m_dir->filePath(QStringLiteral("a/b"));
    QVERIFY(QDir().mkpath(folder));
    // The container holds an entry under exactly that name, so only the check stops it.
    const auto directory = directoryOf({{"_197SND\\Glosy\\" + Cp1250::encode(name), "evil"}});
    QVERIFY(!directory->ExtractSound(QStringLiteral("Glosy"), name, folder));
    QStringList written;
    for (const QString &dir : {folder, m_dir->filePath(QStringLiteral("a")), m_dir->path()})
        written += QDir(dir).entryList(QDir::Files);
    QVERIFY2(written.isEmpty(), qPrintable(written.join(u',')));
}

void TestPSSDirectory::extractSoundReportsUncreatableFile()
{
    const QString folder = m_dir->filePath(QStringLiteral("no-such-folder/deeper"));
    QVERIFY_THROWS_EXCEPTION(
        ContentError,
        m_directory->ExtractSound(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"), folder));
}

QTEST_GUILESS_MAIN(TestPSSDirectory)
#include "tst_pssdirectory.moc"
