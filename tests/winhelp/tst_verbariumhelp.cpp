#include "SampleHelp.h"
#include "ToolRun.h"

#include "WinHelpFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

using Result = ToolResult;

Result runTool(const QStringList &args)
{
    return runToolProgram(QStringLiteral(VERBARIUM_HELP), args);
}

QString hex(quint32 v)
{
    return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace

class TestVerbariumHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void commands_data();
    void commands();

private:
    QTemporaryDir m_dir;
    QString m_help;
    QString m_damaged;
};

void TestVerbariumHelp::initTestCase()
{
    m_help = m_dir.filePath(QStringLiteral("VERB97.HLP"));
    QFile file(m_help);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray bytes = sample::smallHelp();
    file.write(bytes);
    file.close();
    m_damaged = m_dir.filePath(QStringLiteral("damaged.hlp"));
    QFile damaged(m_damaged);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes.left(bytes.size() / 2));
}

void TestVerbariumHelp::commands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    const WinHelpFile help(sample::smallHelp());
    const auto offset = [&](int topic) { return help.topics()[topic].offset; };
    const QString file = m_help;

    QTest::newRow("info")
        << QStringList{file, QStringLiteral("info")} << 0
        << QByteArray("version: 3.1\ntitle: Pomoc testowa\ncompression: LZ77, phrases\ntopics: 3\n")
        << QByteArray();
    QTest::newRow("titles") << QStringList{file, QStringLiteral("titles")} << 0
                            << QStringLiteral("%1\tSpis treści\n%2\tDrugi temat\n%3\tOkienko\n")
                                   .arg(hex(offset(0)), hex(offset(1)), hex(offset(2)))
                                   .toUtf8()
                            << QByteArray();
    QTest::newRow("context") << QStringList{file, QStringLiteral("context"), QStringLiteral("4030")}
                             << 0
                             << QStringLiteral("%1\tDrugi temat\n").arg(hex(offset(1))).toUtf8()
                             << QByteArray();
    QTest::newRow("context not mapped")
        << QStringList{file, QStringLiteral("context"), QStringLiteral("4003")} << 1 << QByteArray()
        << QByteArray("verbarium-help: context number 4003 is not mapped\n");
    QTest::newRow("text")
        << QStringList{file, QStringLiteral("text"), hex(offset(0)).toLower()} << 0
        << QStringLiteral(
               "Zażółć gęślą jaźń\nPrzejdź do drugiego tematu albo otwórz okienko.\na b c\n")
               .toUtf8()
        << QByteArray();
    QTest::newRow("text inside a topic")
        << QStringList{file, QStringLiteral("text"), hex(offset(2) + 2)} << 0
        << QByteArray("Treść okienka.\n") << QByteArray();
    QTest::newRow("damaged")
        << QStringList{m_damaged, QStringLiteral("info")} << 2 << QByteArray()
        << QStringLiteral("verbarium-help: directory offset %1 past the end of the file\n")
               .arg(qFromLittleEndian<quint32>(sample::smallHelp().constData() + 4))
               .toUtf8();
    QTest::newRow("missing") << QStringList{m_dir.filePath(QStringLiteral("none.hlp")),
                                            QStringLiteral("info")}
                             << 2 << QByteArray()
                             << QStringLiteral(
                                    "verbarium-help: cannot open %1: No such file or directory\n")
                                    .arg(m_dir.filePath(QStringLiteral("none.hlp")))
                                    .toUtf8();
    QTest::newRow("no command") << QStringList{file} << 64 << QByteArray() << QByteArray();
    QTest::newRow("unknown command")
        << QStringList{file, QStringLiteral("dump")} << 64 << QByteArray() << QByteArray();
    QTest::newRow("bad number") << QStringList{file, QStringLiteral("context"), QStringLiteral("x")}
                                << 64 << QByteArray() << QByteArray();
}

void TestVerbariumHelp::commands()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const Result result = runTool(args);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, out);
    if (exitCode == 64)
        QVERIFY(result.err.startsWith("usage: verbarium-help"));
    else
        QCOMPARE(result.err, err);
}

QTEST_GUILESS_MAIN(TestVerbariumHelp)
#include "tst_verbariumhelp.moc"
