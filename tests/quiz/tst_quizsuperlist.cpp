#include "ContainerFixture.h"
#include "TPSSDirectory.h"
#include "TQuizSuperList.h"

#include <QTest>

#include <memory>
#include <optional>

using namespace fixture;

namespace {

struct Question
{
    QByteArray numer;
    std::optional<QString> fields; // none: the item has no field list
};

// A directory over a container holding the questions, in this item-index order.
std::unique_ptr<TPSSDirectory> directoryOf(const QTemporaryDir &dir,
                                           const QList<Question> &questions,
                                           const QString &name = QStringLiteral("Verbarium.dat"))
{
    QList<Item> items;
    Entries entries;
    for (const Question &q : questions) {
        items.append({"U" + q.numer, "_19710", q.numer});
        if (q.fields)
            entries.append({"L197\\TypX\\_19710\\" + q.numer + "\\Pola", cp(*q.fields)});
    }
    entries.prepend({"L197\\UnidX", itemIndex(items)});
    return std::make_unique<TPSSDirectory>(writeFile(dir, container(entries), name));
}

Question question(const QByteArray &numer, const QString &difficulty, const QString &epoch)
{
    return {numer, QStringLiteral("Trudność=%1\r\nKategoria=%2\r\n").arg(difficulty, epoch)};
}

constexpr quint8 AllDifficulties = 0x07;
constexpr quint16 AllEpochButtons = 0x01FF;

} // namespace

class TestQuizSuperList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void eligibility_data();
    void eligibility();
    void emptySetsMakeNothingAvailable();
    void drawsEachEligibleQuestionOnce();
    void drawPicksTheGeneratorsPlace_data();
    void drawPicksTheGeneratorsPlace();
    void narrowedSelectionLeavesNothingToDraw();
    void loadsOnceThenOnlyMakesQuestionsAvailable();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    LcgRandom m_random;
};

void TestQuizSuperList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestQuizSuperList::eligibility_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<quint8>("difficultySet");
    QTest::addColumn<quint16>("epochSet");
    QTest::addColumn<int>("difficulty");
    QTest::addColumn<int>("epoch");
    QTest::addColumn<bool>("eligible");

    const QString romantic = QStringLiteral("Trudność=%1\nKategoria=5");
    QTest::newRow("Łatwe, bit 0") << romantic.arg(QStringLiteral("Łatwe")) << quint8(0x01)
                                  << quint16(0x10) << 0 << 4 << true;
    QTest::newRow("Średnie needs bit 1") << romantic.arg(QStringLiteral("Średnie")) << quint8(0x05)
                                         << quint16(0x10) << 1 << 4 << false;
    QTest::newRow("Trudne, bit 2") << romantic.arg(QStringLiteral("Trudne")) << quint8(0x04)
                                   << quint16(0x10) << 2 << 4 << true;
    QTest::newRow("epoch 5 needs bit 4") << romantic.arg(QStringLiteral("Łatwe")) << AllDifficulties
                                         << quint16(0x1EF) << 0 << 4 << false;
    QTest::newRow("lower-case word") << romantic.arg(QStringLiteral("łatwe")) << quint8(0xFF)
                                     << AllEpochButtons << 255 << 4 << false;
    QTest::newRow("trailing blank") << romantic.arg(QStringLiteral("Trudne ")) << quint8(0xFF)
                                    << AllEpochButtons << 255 << 4 << false;
    QTest::newRow("no difficulty")
        << QStringLiteral("Kategoria=5") << quint8(0xFF) << AllEpochButtons << 255 << 4 << false;

    const QString easy = QStringLiteral("Trudność=Łatwe\nKategoria=%1");
    QTest::newRow("Kategoria 0") << easy.arg(QStringLiteral("0")) << AllDifficulties
                                 << quint16(0xFFFF) << 0 << 255 << false;
    QTest::newRow("Kategoria 9") << easy.arg(QStringLiteral("9")) << AllDifficulties
                                 << quint16(0x100) << 0 << 8 << true;
    QTest::newRow("Kategoria 10, buttons")
        << easy.arg(QStringLiteral("10")) << AllDifficulties << AllEpochButtons << 0 << 9 << false;
    QTest::newRow("Kategoria 16, buttons")
        << easy.arg(QStringLiteral("16")) << AllDifficulties << AllEpochButtons << 0 << 15 << false;
    QTest::newRow("Kategoria 16, bit 15")
        << easy.arg(QStringLiteral("16")) << AllDifficulties << quint16(0x8000) << 0 << 15 << true;
    QTest::newRow("Kategoria 17") << easy.arg(QStringLiteral("17")) << AllDifficulties
                                  << quint16(0xFFFF) << 0 << 16 << false;
    QTest::newRow("Kategoria -1") << easy.arg(QStringLiteral("-1")) << AllDifficulties
                                  << quint16(0xFFFF) << 0 << 254 << false;
    QTest::newRow("Kategoria 257 wraps to epoch 1")
        << easy.arg(QStringLiteral("257")) << AllDifficulties << quint16(0x01) << 0 << 0 << true;
    QTest::newRow("no Kategoria: epoch 1")
        << QStringLiteral("Trudność=Łatwe") << AllDifficulties << quint16(0x01) << 0 << 0 << true;
    QTest::newRow("empty Kategoria: epoch 1")
        << easy.arg(QString()) << AllDifficulties << quint16(0x01) << 0 << 0 << true;
    QTest::newRow("Kategoria V: epoch 1")
        << easy.arg(QStringLiteral("V")) << AllDifficulties << quint16(0x01) << 0 << 0 << true;
    QTest::newRow("Kategoria 5a: epoch 1")
        << easy.arg(QStringLiteral("5a")) << AllDifficulties << quint16(0x10) << 0 << 0 << false;
}

void TestQuizSuperList::eligibility()
{
    QFETCH(QString, fields);
    QFETCH(quint8, difficultySet);
    QFETCH(quint16, epochSet);
    QFETCH(int, difficulty);
    QFETCH(int, epoch);
    QFETCH(bool, eligible);

    const auto directory = directoryOf(*m_dir, {{"1", fields}});
    TQuizSuperList pool(m_random);
    pool.Load(*directory);
    QCOMPARE(pool.Count(), 1);
    QCOMPARE(int(pool.At(0).Difficulty), difficulty);
    QCOMPARE(int(pool.At(0).Epoch), epoch);
    pool.SetDifficultySet(difficultySet);
    pool.SetEpochSet(epochSet);
    QCOMPARE(pool.CountAvailable(), eligible ? 1 : 0);
    QCOMPARE(pool.DrawQuestion(), eligible ? QStringLiteral("1") : QString());
}

void TestQuizSuperList::emptySetsMakeNothingAvailable()
{
    const auto directory =
        directoryOf(*m_dir, {question("1", QStringLiteral("Łatwe"), QStringLiteral("1")),
                             question("2", QStringLiteral("Trudne"), QStringLiteral("9"))});
    TQuizSuperList pool(m_random);
    pool.Load(*directory);
    QCOMPARE(pool.CountAvailable(), 0); // the sets start empty
    pool.SetDifficultySet(AllDifficulties);
    QCOMPARE(pool.CountAvailable(), 0);
    QCOMPARE(pool.DrawQuestion(), QString());
    pool.SetDifficultySet(0);
    pool.SetEpochSet(AllEpochButtons);
    QCOMPARE(pool.CountAvailable(), 0);
    pool.SetDifficultySet(AllDifficulties);
    QCOMPARE(pool.CountAvailable(), 2);
}

void TestQuizSuperList::drawsEachEligibleQuestionOnce()
{
    QList<Question> questions;
    for (int i = 1; i <= 12; ++i) // easy ones in epochs 1 and 2, hard ones in epoch 1
        questions.append(question(QByteArray::number(i),
                                  i % 3 ? QStringLiteral("Łatwe") : QStringLiteral("Trudne"),
                                  QString::number(1 + i % 2)));
    const auto directory = directoryOf(*m_dir, questions);
    TQuizSuperList pool(m_random);
    pool.Load(*directory);
    pool.SetDifficultySet(0x01);
    pool.SetEpochSet(0x01);
    // In sorted order.
    const QStringList expected{QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("4"),
                               QStringLiteral("8")};
    QCOMPARE(pool.CountAvailable(), 4);

    for (quint32 seed : {0u, 7u, 4000000000u}) {
        m_random.Seed(seed);
        QStringList drawn;
        for (int i = 0; i < 4; ++i) {
            drawn.append(pool.DrawQuestion());
            QCOMPARE(pool.CountAvailable(), 3 - i);
        }
        QCOMPARE(pool.DrawQuestion(), QString());
        drawn.sort();
        QCOMPARE(drawn, expected);
        pool.ClearUsed();
        QCOMPARE(pool.CountAvailable(), 4);
    }
}

void TestQuizSuperList::drawPicksTheGeneratorsPlace_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<quint16>("epochSet");
    QTest::addColumn<QString>("numer");

    // Ten questions, one per epoch 1..9 and a tenth in epoch 1. The first draws of 10 are 0
    // for seed 0, 3 for seed 12345 and 7 for seed 86399999.
    QTest::newRow("first of ten") << quint32(0) << AllEpochButtons << QStringLiteral("E1");
    QTest::newRow("fourth of ten") << quint32(12345) << AllEpochButtons << QStringLiteral("E4");
    QTest::newRow("eighth of ten") << quint32(86399999) << AllEpochButtons << QStringLiteral("E8");
    QTest::newRow("the one eligible") << quint32(86399999) << quint16(0x20) << QStringLiteral("E6");
}

void TestQuizSuperList::drawPicksTheGeneratorsPlace()
{
    QFETCH(quint32, seed);
    QFETCH(quint16, epochSet);
    QFETCH(QString, numer);

    QList<Question> questions;
    for (int i = 1; i <= 10; ++i)
        questions.append(question("E" + QByteArray::number(i), QStringLiteral("Średnie"),
                                  QString::number(i == 10 ? 1 : i)));
    const auto directory = directoryOf(*m_dir, questions);
    TQuizSuperList pool(m_random);
    pool.Load(*directory);
    pool.SetDifficultySet(0x02);
    pool.SetEpochSet(epochSet);
    m_random.Seed(seed);
    QCOMPARE(pool.DrawQuestion(), numer);
}

void TestQuizSuperList::narrowedSelectionLeavesNothingToDraw()
{
    const auto directory =
        directoryOf(*m_dir, {question("1", QStringLiteral("Łatwe"), QStringLiteral("3")),
                             question("2", QStringLiteral("Łatwe"), QStringLiteral("3")),
                             question("3", QStringLiteral("Łatwe"), QStringLiteral("4"))});
    TQuizSuperList pool(m_random);
    pool.Load(*directory);
    pool.SetDifficultySet(0x01);
    pool.SetEpochSet(0x04);
    QVERIFY(!pool.DrawQuestion().isEmpty());
    // "Barok" released, "Oświecenie" pressed while the quiz runs.
    pool.SetEpochSet(0x08);
    QVERIFY(!pool.DrawQuestion().isEmpty());
    QCOMPARE(pool.CountAvailable(), 0);
    QCOMPARE(pool.DrawQuestion(), QString());
}

void TestQuizSuperList::loadsOnceThenOnlyMakesQuestionsAvailable()
{
    // "3" is in the index without a field list; "b2" is upper-cased by the directory.
    auto first =
        directoryOf(*m_dir, {question("7", QStringLiteral("Łatwe"), QStringLiteral("1")),
                             question("1", QStringLiteral("Łatwe"), QStringLiteral("1")),
                             {"3", std::nullopt},
                             question("b2", QStringLiteral("Trudne"), QStringLiteral("2"))});
    TQuizSuperList pool(m_random);
    pool.Load(*first);
    QCOMPARE(pool.Count(), 3);
    QCOMPARE(pool.At(0).Numer, QStringLiteral("7"));
    QCOMPARE(pool.At(1).Numer, QStringLiteral("1"));
    QCOMPARE(pool.At(2).Numer, QStringLiteral("B2"));
    pool.SetDifficultySet(AllDifficulties);
    pool.SetEpochSet(AllEpochButtons);
    while (!pool.DrawQuestion().isEmpty()) {
    }
    QCOMPARE(pool.CountAvailable(), 0);

    // A second load reads nothing: another container's questions do not come in.
    const auto second =
        directoryOf(*m_dir, {question("99", QStringLiteral("Łatwe"), QStringLiteral("1"))},
                    QStringLiteral("other.dat"));
    pool.Load(*second);
    QCOMPARE(pool.Count(), 3);
    QCOMPARE(pool.CountAvailable(), 3);
    QCOMPARE(pool.DifficultySet(), AllDifficulties);

    pool.Clear();
    QCOMPARE(pool.Count(), 0);
    pool.Load(*second);
    QCOMPARE(pool.Count(), 1);
    QCOMPARE(pool.At(0).Numer, QStringLiteral("99"));
}

QTEST_GUILESS_MAIN(TestQuizSuperList)
#include "tst_quizsuperlist.moc"
