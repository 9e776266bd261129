#include "SampleHelp.h"

#include "ContainerFixture.h"
#include "ContextHash.h"
#include "HelpFileSystem.h"
#include "HelpFormatError.h"
#include "Lz77.h"
#include "WinHelpFile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(PhraseTable::Kind)

namespace {

// Where an internal file's data starts in the bytes of the help file.
qsizetype fileOffset(const QByteArray &bytes, const char *name)
{
    const HelpFileSystem files(bytes);
    return files.file(QByteArray(name)).constData() - bytes.constData();
}

void putU16(QByteArray &bytes, qsizetype at, quint16 v)
{
    bytes[at] = char(v & 0xFF);
    bytes[at + 1] = char(v >> 8);
}

void putU32(QByteArray &bytes, qsizetype at, quint32 v)
{
    putU16(bytes, at, quint16(v & 0xFFFF));
    putU16(bytes, at + 2, quint16(v >> 16));
}

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) | (quint32(quint8(bytes[at + 1])) << 8) |
           (quint32(quint8(bytes[at + 2])) << 16) | (quint32(quint8(bytes[at + 3])) << 24);
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const HelpFormatError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestWinHelpReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextHash_data();
    void contextHash();
    void lz77RoundTrip();
    void writerFiles_data();
    void writerFiles();
    void version30File();
    void largeFiles_data();
    void largeFiles();
    void halibutFile();
    void damagedFiles_data();
    void damagedFiles();
    void everyTruncationIsRefused();
};

void TestWinHelpReader::contextHash_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<qint32>("hash");
    // h = h * 43 + weight, letters from 17, digits 1..9 and 0 as 10, '.' 12, '_' 13.
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("A") << QByteArray("A") << 17;
    QTest::newRow("case blind") << QByteArray("ab") << 17 * 43 + 18;
    QTest::newRow("AB") << QByteArray("AB") << 17 * 43 + 18;
    QTest::newRow("digits") << QByteArray("a1") << 17 * 43 + 1;
    QTest::newRow("zero") << QByteArray("0") << 10;
    QTest::newRow("dot and underscore") << QByteArray("_.") << 13 * 43 + 12;
    // Long names wrap around 32 bits.
    QTest::newRow("wraps") << QByteArray("contents_of_the_help") << qint32(-2073868664);
}

void TestWinHelpReader::contextHash()
{
    QFETCH(QByteArray, name);
    QFETCH(qint32, hash);
    QCOMPARE(::contextHash(name), hash);
}

void TestWinHelpReader::lz77RoundTrip()
{
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text.append(QByteArray::number(i % 37) + (i % 5 ? " abc" : " xyzzy"));
    const QByteArray packed = Lz77::compress(text);
    QVERIFY(packed.size() < text.size() / 2);
    QCOMPARE(Lz77::decompress(packed, text.size(), "test"), text);

    // A capacity stops at a whole token; what was consumed decompresses exactly.
    qsizetype consumed = 0;
    const QByteArray part = Lz77::compress(text, 100, &consumed);
    QVERIFY(part.size() <= 100 && part.size() >= 99);
    QCOMPARE(Lz77::decompress(part, 1 << 20, "test"), text.first(consumed));
}

void TestWinHelpReader::writerFiles_data()
{
    QTest::addColumn<int>("minor");
    QTest::addColumn<bool>("lz77");
    QTest::addColumn<PhraseTable::Kind>("phrases");
    QTest::addColumn<QString>("version");
    QTest::newRow("3.1 LZ77 phrases")
        << 21 << true << PhraseTable::Classic << QStringLiteral("3.1");
    QTest::newRow("3.1 LZ77") << 21 << true << PhraseTable::None << QStringLiteral("3.1");
    QTest::newRow("3.1 phrases") << 21 << false << PhraseTable::Classic << QStringLiteral("3.1");
    QTest::newRow("3.1 plain") << 21 << false << PhraseTable::None << QStringLiteral("3.1");
    QTest::newRow("4.0 LZ77 Hall") << 33 << true << PhraseTable::Hall << QStringLiteral("4.0");
    QTest::newRow("4.0 Hall") << 33 << false << PhraseTable::Hall << QStringLiteral("4.0");
}

void TestWinHelpReader::writerFiles()
{
    QFETCH(int, minor);
    QFETCH(bool, lz77);
    QFETCH(PhraseTable::Kind, phrases);
    QFETCH(QString, version);
    HelpFileWriter::Options options;
    options.minor = minor;
    options.lz77 = lz77;
    options.phrases = phrases;
    options.picturePacking = lz77 ? 2 : 1;
    const QByteArray bytes = sample::smallHelp(options);
    fixture::seedCorpus(bytes);
    const WinHelpFile help(bytes);

    QCOMPARE(help.versionName(), version);
    QCOMPARE(help.title(), QStringLiteral("Pomoc testowa"));
    QCOMPARE(help.lz77(), lz77);
    QCOMPARE(help.phraseKind(), phrases);
    QCOMPARE(help.charset(), 238);
    QCOMPARE(help.topics().size(), 3);
    const auto &topics = help.topics();
    QCOMPARE(topics[0].title, QStringLiteral("Spis treści"));
    QCOMPARE(topics[1].title, QStringLiteral("Drugi temat"));
    QCOMPARE(help.contentsOffset(), topics[0].offset);

    // Titles in offset order; context numbers and names lead to topics, names blind to case.
    const QList<WinHelpFile::TitleEntry> titles = help.titles();
    QCOMPARE(titles.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(titles[i].offset, topics[i].offset);
        QCOMPARE(titles[i].title, topics[i].title);
    }
    QCOMPARE(help.contextNumber(4001), std::optional<quint32>(topics[0].offset));
    QCOMPARE(help.contextNumber(4030), std::optional<quint32>(topics[1].offset));
    QCOMPARE(help.contextNumber(4007), std::optional<quint32>(topics[1].offset));
    QVERIFY(!help.contextNumber(4002));
    QCOMPARE(help.contextName("OKIENKO"), std::optional<quint32>(topics[2].offset));
    QCOMPARE(help.topicIndexAt(topics[2].offset + 3), 2);

    const HelpTopic first = help.topic(0);
    QCOMPARE(first.plainLines(),
             (QStringList{QStringLiteral("Zażółć gęślą jaźń"),
                          QStringLiteral("Przejdź do drugiego tematu albo otwórz okienko."),
                          QStringLiteral("a b c")}));
    QCOMPARE(first.paragraphs[0].runs[0].font, 1);
    QCOMPARE(first.paragraphs[1].spaceBelow, 6);
    QCOMPARE(first.paragraphs[2].alignment, HelpParagraph::Center);
    const QList<HelpRun> &runs = first.paragraphs[1].runs;
    QCOMPARE(runs.size(), 5);
    QCOMPARE(runs[1].text, QStringLiteral("drugiego tematu"));
    QCOMPARE(runs[1].link, HelpRun::Jump);
    QVERIFY(runs[1].targetKnown);
    QCOMPARE(runs[1].target, topics[1].offset);
    QCOMPARE(runs[3].text, QStringLiteral("okienko"));
    QCOMPARE(runs[3].link, HelpRun::Popup);
    QCOMPARE(runs[3].target, topics[2].offset);
    QCOMPARE(runs[4].link, HelpRun::NoLink);
    const QList<HelpRun> &third = first.paragraphs[2].runs;
    QCOMPARE(third[0].picture, 0);
    QCOMPARE(third[1].text, QStringLiteral("a\nb\tc"));

    QCOMPARE(help.fonts().size(), 2);
    QCOMPARE(help.fonts()[1].face, QStringLiteral("Arial"));
    QVERIFY(help.fonts()[1].bold && !help.fonts()[0].bold);
    QCOMPARE(help.fonts()[1].colour, 0x000080u);

    const HelpPicture picture = help.picture(0);
    QCOMPARE(picture.width, 3);
    QCOMPARE(picture.height, 2);
    QCOMPARE(picture.pixels, sample::picturePixels());

    const HelpTopic second = help.topic(1);
    QCOMPARE(
        second.plainLines(),
        (QStringList{
            QStringLiteral("Verbarium, encyklopedia literatury polskiej. Verbarium, encyklopedia."),
            QStringLiteral("Epoka"), QStringLiteral("Lata"), QStringLiteral("Barok"),
            QStringLiteral("1620–1764")}));
    QCOMPARE(second.tables.size(), 1);
    QCOMPARE(second.tables[0].columnWidths, (QList<int>{16000, 16767}));
    const HelpParagraph &cell = second.paragraphs[4];
    QCOMPARE(cell.table, 0);
    QCOMPARE(cell.row, 1);
    QCOMPARE(cell.column, 1);
}

void TestWinHelpReader::version30File()
{
    // Files of the 3.0 compiler: a title in |SYSTEM, 2 KB blocks linked by distances, text
    // records without a text length, phrases stored as they are.
    HelpFileWriter::Options options;
    options.minor = 15;
    options.lz77 = false;
    options.charset = 0;
    HelpFileWriter writer(options);
    writer.setTitle(QStringLiteral("Stara pomoc"));
    writer.addPicture(3, 2, sample::picturePixels());
    for (int i = 0; i < 120; ++i) {
        HelpTopicBuilder &topic = writer.addTopic(QStringLiteral("Temat %1").arg(i));
        topic.text(QStringLiteral("Pierwszy akapit tematu %1, akapit pierwszy.").arg(i));
        topic.endParagraph();
        topic.text(QStringLiteral("Drugi akapit tematu %1.").arg(i));
        topic.endParagraph();
    }
    const QByteArray bytes = writer.build();
    fixture::seedCorpus(bytes);
    const WinHelpFile help(bytes);
    QCOMPARE(help.versionName(), QStringLiteral("3.0"));
    QCOMPARE(help.title(), QStringLiteral("Stara pomoc"));
    QCOMPARE(help.topicBlockSize(), 2048);
    QCOMPARE(help.phraseKind(), PhraseTable::Classic);
    QVERIFY2(help.files().file("|TOPIC").size() > 4 * 2048,
             QByteArray::number(help.files().file("|TOPIC").size()));
    QCOMPARE(help.topics().size(), 120);
    QVERIFY(help.titles().isEmpty());
    for (int i = 0; i < 120; ++i) {
        QCOMPARE(help.topics()[i].title, QStringLiteral("Temat %1").arg(i));
        QCOMPARE(help.topic(i).plainLines(),
                 (QStringList{QStringLiteral("Pierwszy akapit tematu %1, akapit pierwszy.").arg(i),
                              QStringLiteral("Drugi akapit tematu %1.").arg(i)}));
    }
    QCOMPARE(help.picture(0).pixels, sample::picturePixels());
}

void TestWinHelpReader::largeFiles_data()
{
    QTest::addColumn<bool>("lz77");
    QTest::addColumn<PhraseTable::Kind>("phrases");
    QTest::newRow("LZ77 and phrases") << true << PhraseTable::Classic;
    QTest::newRow("plain") << false << PhraseTable::None;
    QTest::newRow("Hall") << false << PhraseTable::Hall;
}

void TestWinHelpReader::largeFiles()
{
    // Hundreds of topics: records cross topic blocks, and small pages give the B+ trees
    // index levels.
    QFETCH(bool, lz77);
    QFETCH(PhraseTable::Kind, phrases);
    HelpFileWriter::Options options;
    options.lz77 = lz77;
    options.phrases = phrases;
    options.minor = phrases == PhraseTable::Hall ? 33 : 21;
    options.treePageSize = 128;
    constexpr int Count = 400;
    const WinHelpFile help(sample::largeHelp(options, Count));
    QVERIFY2(help.files().file("|TOPIC").size() > 8 * 4096,
             QByteArray::number(help.files().file("|TOPIC").size()));
    QCOMPARE(help.topics().size(), Count);
    const QList<WinHelpFile::TitleEntry> titles = help.titles();
    QCOMPARE(titles.size(), Count);
    for (int i = 0; i < Count; ++i) {
        const quint32 offset = help.topics()[i].offset;
        QCOMPARE(titles[i].offset, offset);
        QCOMPARE(titles[i].title, QStringLiteral("Temat %1").arg(i));
        QCOMPARE(help.contextName("t" + QByteArray::number(i)), std::optional<quint32>(offset));
        QCOMPARE(help.contextNumber(10000 + i), std::optional<quint32>(offset));
        QCOMPARE(
            help.topic(i).plainLines(),
            (QStringList{sample::largeTopicText(i), QStringLiteral("Koniec tematu %1.").arg(i)}));
    }
}

void TestWinHelpReader::halibutFile()
{
    const QString halibut = QStandardPaths::findExecutable(QStringLiteral("halibut"));
    if (halibut.isEmpty())
        QSKIP("halibut is not installed");
    QTemporaryDir dir;
    QFile source(dir.filePath(QStringLiteral("manual.but")));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("\\title Test manual\n\n"
                 "\\C{intro} Introduction\n\n"
                 "This is \\e{emphasised} text. See \\k{second} for more.\n\n"
                 "\\H{second} Second section\n\n"
                 "Some more text here.\n\n"
                 "\\b bullet one\n\n"
                 "\\b bullet two\n");
    source.close();
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(halibut, {QStringLiteral("--winhelp=manual.hlp"), QStringLiteral("manual.but")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);

    QFile file(dir.filePath(QStringLiteral("manual.hlp")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    fixture::seedCorpus(bytes);
    const WinHelpFile help(bytes);
    QCOMPARE(help.versionName(), QStringLiteral("4.0"));
    QCOMPARE(help.title(), QStringLiteral("Test manual"));
    QStringList topicTitles;
    for (const WinHelpFile::TopicEntry &topic : help.topics())
        topicTitles.append(topic.title);
    QCOMPARE(topicTitles,
             (QStringList{QStringLiteral("Contents"), QStringLiteral("Chapter 1: Introduction"),
                          QStringLiteral("Section 1.1: Second section")}));
    // Halibut names its topics "Top" and by number; the names hash to the topics' offsets.
    QCOMPARE(help.contextName("Top"), std::optional<quint32>(help.topics()[0].offset));
    const QList<WinHelpFile::TitleEntry> titles = help.titles();
    QCOMPARE(titles.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(titles[i].offset, help.topics()[i].offset);

    const HelpTopic intro = help.topic(1);
    QVERIFY(intro.plainLines().contains(
        QStringLiteral("This is emphasised text. See section 1.1 for more.")));
    bool jumpFound = false;
    for (const HelpParagraph &paragraph : intro.paragraphs) {
        for (const HelpRun &run : paragraph.runs) {
            if (run.text == u"section 1.1") {
                QCOMPARE(run.link, HelpRun::Jump);
                QCOMPARE(run.target, help.topics()[2].offset);
                jumpFound = true;
            }
        }
    }
    QVERIFY(jumpFound);
    const QStringList section = help.topic(2).plainLines();
    QVERIFY(section.contains(QStringLiteral("Some more text here.")));
    QVERIFY(section.last().endsWith(QStringLiteral(" bullet two")));
}

void TestWinHelpReader::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("topic"); // the topic whose reading fails; -1 for opening
    QTest::addColumn<QString>("error");

    HelpFileWriter::Options plain;
    plain.lz77 = false;
    plain.treePageSize = 64;
    const QByteArray base = sample::largeHelp(plain, 12);
    HelpFileWriter::Options packed = plain;
    packed.lz77 = true;
    const QByteArray compressed = sample::largeHelp(packed, 12);
    const quint32 directory = u32At(base, 4);

    QTest::newRow("not a help file") << QByteArray("GIF89a...........") << -1
                                     << QStringLiteral("not a help file (wrong magic number)");
    QTest::newRow("truncated header")
        << base.left(10) << -1 << QStringLiteral("help file header: truncated at byte 8");
    QTest::newRow("truncated before the directory")
        << base.left(directory - 100) << -1
        << QStringLiteral("directory offset %1 past the end of the file").arg(directory);
    QTest::newRow("truncated in the directory")
        << base.left(base.size() - 1) << -1
        << QStringLiteral("directory: file of %1 bytes runs past the end of the help file")
               .arg(base.size() - directory - 9);

    {
        QByteArray bytes = base;
        const qsizetype entry = bytes.indexOf(QByteArray("|CTXOMAP", 9), directory);
        putU32(bytes, entry + 9, 99999999);
        QTest::newRow("file offset past the end")
            << bytes << -1 << QStringLiteral("|CTXOMAP: offset 99999999 past the end of the file");
    }
    {
        QByteArray bytes = base;
        putU16(bytes, fileOffset(base, "|CTXOMAP"), 0xFFFF);
        QTest::newRow("huge count")
            << bytes << -1 << QStringLiteral("|CTXOMAP: 65535 entries larger than the file holds");
    }
    {
        QByteArray bytes = base;
        putU32(bytes, fileOffset(base, "|SYSTEM") - 9, 0);
        QTest::newRow("used beyond reserved")
            << bytes << -1
            << QStringLiteral("|SYSTEM: used space %1 exceeds reserved space 0")
                   .arg(u32At(base, fileOffset(base, "|SYSTEM") - 5));
    }
    {
        // Leaf page 1 of |CONTEXT leads back to page 0.
        QByteArray bytes = base;
        const qsizetype tree = fileOffset(base, "|CONTEXT");
        QVERIFY(u32At(base, tree + 34) > 7); // more entries than one page holds
        putU16(bytes, tree + 38 + 64 + 6, 0);
        QTest::newRow("B+ tree pages loop")
            << bytes << -1 << QStringLiteral("|CONTEXT: B+ tree pages loop at page 0");
    }
    {
        QByteArray bytes = base;
        putU16(bytes, directory + 9 + 26, 99);
        QTest::newRow("B+ tree root outside")
            << bytes << -1
            << QStringLiteral("directory: B+ tree page 99 outside the tree (1 pages)");
    }
    {
        // The first topic link points back at itself.
        QByteArray bytes = base;
        putU32(bytes, fileOffset(base, "|TOPIC") + 12 + 12, 12);
        QTest::newRow("topic links loop")
            << bytes << -1 << QStringLiteral("|TOPIC: topic links loop back at 0x0000000c");
    }
    {
        QByteArray bytes = base;
        putU32(bytes, fileOffset(base, "|TOPIC") + 12, 0x7FFFFFFF);
        QTest::newRow("topic link too large")
            << bytes << -1
            << QStringLiteral("|TOPIC: topic link at 0x0000000c has impossible sizes");
    }
    {
        // A copy from 4096 bytes back at the very start of the first block.
        QByteArray bytes = compressed;
        const qsizetype topic = fileOffset(compressed, "|TOPIC");
        bytes[topic + 12] = char(0x01);
        bytes[topic + 13] = char(0xFF);
        bytes[topic + 14] = char(0x0F);
        QTest::newRow("LZ77 distance before the start")
            << bytes << -1 << QStringLiteral("|TOPIC: LZ77 copy from before the start of the data");
    }
    {
        // Phrase codes 0x0F 0xFF name phrase 1919 of a table of two. The text of topic 1 is
        // the sixth record; in a small plain file the records follow one another.
        HelpFileWriter::Options phrased = plain;
        phrased.phrases = PhraseTable::Classic;
        QByteArray bytes = sample::smallHelp(phrased);
        qsizetype link = fileOffset(bytes, "|TOPIC") + 12;
        for (int i = 0; i < 5; ++i)
            link += u32At(bytes, link);
        const qsizetype text = link + u32At(bytes, link + 16);
        bytes[text] = char(0x0F);
        bytes[text + 1] = char(0xFF);
        QTest::newRow("phrase out of range")
            << bytes << 1 << QStringLiteral("phrase 1919 out of range (2 phrases)");
    }
}

void TestWinHelpReader::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, topic);
    QFETCH(QString, error);
    fixture::seedCorpus(bytes);
    if (topic < 0) {
        QCOMPARE(errorOf([&] { WinHelpFile help(bytes); }), error);
        return;
    }
    const WinHelpFile help(bytes);
    QCOMPARE(errorOf([&] { help.topic(topic); }), error);
}

void TestWinHelpReader::everyTruncationIsRefused()
{
    HelpFileWriter::Options options;
    options.treePageSize = 64;
    const QByteArray bytes = sample::smallHelp(options);
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        const QString error = errorOf([&] {
            const WinHelpFile help(bytes.left(cut));
            for (int i = 0; i < help.topics().size(); ++i)
                help.topic(i);
        });
        QVERIFY2(!error.isEmpty(), qPrintable(QStringLiteral("accepted when cut at %1").arg(cut)));
    }
}

QTEST_GUILESS_MAIN(TestWinHelpReader)
#include "tst_winhelpreader.moc"
