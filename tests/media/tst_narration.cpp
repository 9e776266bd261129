#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TM3Player.h"
#include "TPulpit.h"
#include "TestFiles.h"
#include "TfrmWzorBazowy.h"
#include "VolumeList.h"

#include <QAction>
#include <QSettings>
#include <QTest>

using namespace fixture;

namespace {

class SoundWindow : public TfrmWzorBazowy
{
public:
    QString last;
    QString LastSound() const override { return last; }
};

} // namespace

class TestNarration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void playsTheExtractedFileAndDeletesIt();
    void introductionAtTheFirstIndexCommand();
    void nothingWithoutSound();
    void newNarrationDuringPlayPlaysTheNewOne();
    void replayButton_data();
    void replayButton();
    void buttonsHonourHelpMode();

private:
    void makePulpit(bool sound);
    QStringList played(); // file names, in the order their playback ended

    ProgramFixture m_program;
    TPulpit *m_pulpit = nullptr; // the fixture's
    QStringList m_started;
    QList<int> m_results;
};

void TestNarration::init()
{
    QVERIFY(m_program.openData(
        container({{"_197SND\\Glosy\\Mickiewicz", sampleSound("Glosy/mickiewicz.mp3")},
                   {"_197SND\\Glosy\\prus", sampleSound("Glosy/prus.mp3")},
                   {"_197SND\\guide\\Wprowadz", sampleSound("guide/Wprowadz.mp3")},
                   {"_197SND\\podpisy\\3", sampleSound("podpisy/3.mp3")}})));
    qputenv("VERBARIUM_AUDIO_OUT",
            "wav:" + QFile::encodeName(m_program.dir().filePath(QStringLiteral("out.wav"))));
    m_started.clear();
    m_results.clear();
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
}

void TestNarration::cleanup()
{
    m_program.stop();
    m_pulpit = nullptr;
    MessageBoxes::setHandler(nullptr);
    qunsetenv("VERBARIUM_AUDIO_OUT");
}

void TestNarration::makePulpit(bool sound)
{
    TPulpit::Environment environment;
    environment.soundAvailable = sound;
    environment.mp3Library = QStringLiteral(VERBARIUM_MP3_LIBRARY);
    m_pulpit = &m_program.startPulpit(environment);
    TM3Player *player = m_pulpit->M3Play();
    connect(player, &TM3Player::AfterFileChange, this, [this, player] {
        if (!player->FileName().isEmpty())
            m_started.append(QFileInfo(player->FileName()).fileName());
    });
    connect(player, &TM3Player::OnTerminate, this,
            [this](int result) { m_results.append(result); });
}

void TestNarration::playsTheExtractedFileAndDeletesIt()
{
    makePulpit(true);
    m_pulpit->PlayNarration(QStringLiteral("GLOSY"), QStringLiteral("MICKIEWICZ"));
    TM3Player *player = m_pulpit->M3Play();
    QVERIFY(player->Running());
    const QString file = player->FileName();
    QCOMPARE(file, m_program.data().TempFolder() + QStringLiteral("mickiewicz.MP3"));
    QVERIFY(QFile::exists(file));
    QTRY_VERIFY(!player->Running());
    QCOMPARE(m_results, QList<int>{0});
    QVERIFY(!QFile::exists(file));

    // Absent from the container: no file, nothing played, nothing said.
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Brak"));
    QTRY_VERIFY(!player->Running());
    QCOMPARE(m_results, (QList<int>{0, -2}));
}

void TestNarration::introductionAtTheFirstIndexCommand()
{
    makePulpit(true);
    m_pulpit->btIndeksClick();
    QCOMPARE(m_started, QStringList{QStringLiteral("wprowadz.MP3")});
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
    m_pulpit->btIndeksClick(); // only brings the Index to the front
    QCOMPARE(m_started.size(), 1);
}

void TestNarration::nothingWithoutSound()
{
    makePulpit(false);
    QVERIFY(!m_pulpit->SoundAvailable());
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"));
    m_pulpit->StopSound();
    m_pulpit->btIndeksClick();
    QVERIFY(!m_pulpit->M3Play()->Running());
    QVERIFY(m_started.isEmpty());
    QVERIFY(QDir(m_program.data().TempFolder()).isEmpty());
}

void TestNarration::newNarrationDuringPlayPlaysTheNewOne()
{
    makePulpit(true);
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"));
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Prus"));
    QTRY_VERIFY(m_results.size() == 2 && !m_pulpit->M3Play()->Running());
    QCOMPARE(m_started,
             (QStringList{QStringLiteral("mickiewicz.MP3"), QStringLiteral("prus.MP3")}));
    QCOMPARE(m_results.last(), 0);
    // Both temporary files are gone once played.
    QTRY_VERIFY(QDir(m_program.data().TempFolder()).isEmpty());

    // A stop in between cancels a narration still waiting for the stop to end.
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"));
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Prus"));
    m_pulpit->StopSound();
    QTRY_VERIFY(m_results.size() == 3);
    QTest::qWait(50);
    QCOMPARE(m_started.size(), 3);
}

void TestNarration::replayButton_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("played");
    QTest::newRow("biography") << QStringLiteral("_19702") << QStringLiteral("Mickiewicz")
                               << QStringLiteral("mickiewicz.MP3");
    QTest::newRow("epoch") << QStringLiteral("_19703") << QStringLiteral("prus")
                           << QStringLiteral("prus.MP3");
    QTest::newRow("illustration") << QStringLiteral("_19711") << QStringLiteral("3")
                                  << QStringLiteral("3.MP3");
    QTest::newRow("works window") << QStringLiteral("_19701") << QStringLiteral("prus")
                                  << QString();
    QTest::newRow("nothing played yet") << QStringLiteral("_19702") << QString() << QString();
}

void TestNarration::replayButton()
{
    QFETCH(QString, typ);
    QFETCH(QString, last);
    QFETCH(QString, played);
    makePulpit(true);
    m_pulpit->RegisterDocumentClass(typ, [last] {
        auto *w = new SoundWindow;
        w->last = last;
        return w;
    });
    m_pulpit->show();
    m_pulpit->OpenDocument(typ, QStringLiteral("1"));
    m_pulpit->Action(QStringLiteral("ToolbarButton971"))->trigger();
    QCOMPARE(m_started, played.isEmpty() ? QStringList() : QStringList{played});
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
}

void TestNarration::buttonsHonourHelpMode()
{
    makePulpit(true);
    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"));
    m_pulpit->SetHelpMode(true);
    m_pulpit->Action(QStringLiteral("btSoundStop"))->trigger();
    QVERIFY(!m_pulpit->HelpMode());
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
    QCOMPARE(m_results, QList<int>{0}); // played to its end: the stop did not run

    m_pulpit->PlayNarration(QStringLiteral("Glosy"), QStringLiteral("Mickiewicz"));
    m_pulpit->Action(QStringLiteral("btSoundStop"))->trigger();
    QTRY_VERIFY(!m_pulpit->M3Play()->Running());
    QCOMPARE(m_results, (QList<int>{0, 1}));
}

QTEST_MAIN(TestNarration)
#include "tst_narration.moc"
