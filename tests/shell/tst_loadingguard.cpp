#include "ContainerFixture.h"
#include "FakeHelp.h"
#include "LoadingGuard.h"
#include "ProgramFixture.h"
#include "TPulpit.h"
#include "TfrmSearcher.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <stdexcept>

using namespace fixture;

class TestLoadingGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setForTheLoadRestoredAfterAnError_data();
    void setForTheLoadRestoredAfterAnError();

private:
    ProgramFixture m_program;
    FakeHelp m_help;
};

void TestLoadingGuard::init()
{
    QVERIFY(m_program.openData(container({{"L197\\UnidX", itemIndex({})}})));
    TPulpit::Environment environment;
    environment.help = &m_help;
    environment.soundAvailable = false;
    m_program.startPulpit(environment).show();
}

void TestLoadingGuard::cleanup()
{
    m_program.stop();
}

void TestLoadingGuard::setForTheLoadRestoredAfterAnError_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("text");
    QTest::newRow("a list") << int(LoadingGuard::All) << QStringLiteral("Trwa ładowanie danych...");
    QTest::newRow("an illustration") << int(LoadingGuard::Progress | LoadingGuard::ProgressBar)
                                     << QStringLiteral("Wczytywanie danych...");
    QTest::newRow("a thumbnail") << int(LoadingGuard::Hourglass) << QString();
}

void TestLoadingGuard::setForTheLoadRestoredAfterAnError()
{
    QFETCH(int, options);
    QFETCH(QString, text);
    TfrmSearcher &searcher = m_program.searcher();
    TPulpit &pulpit = *m_program.pulpit();
    const auto load = [&] {
        LoadingGuard loading(text, options);
        QCOMPARE(bool(QGuiApplication::overrideCursor()), bool(options & LoadingGuard::Hourglass));
        QCOMPARE(pulpit.isEnabled(), !(options & LoadingGuard::DisableMain));
        QCOMPARE(searcher.isVisible(), bool(options & LoadingGuard::Progress));
        QCOMPARE(searcher.ProgressBar1()->isVisible(), bool(options & LoadingGuard::ProgressBar));
        if (options & LoadingGuard::Progress) {
            // The text goes to the plain line, which the bar over the bold line leaves in sight.
            QCOMPARE(searcher.Label1()->text(), QStringLiteral("Proszę czekać"));
            QCOMPARE(searcher.Label2()->text(), text);
            QVERIFY(searcher.Label2()->isVisible());
            QVERIFY(!searcher.ProgressBar1()->geometry().intersects(searcher.Label2()->geometry()));
        }
        throw std::runtime_error("Błąd odczytu pliku");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, load());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(pulpit.isEnabled());
    QVERIFY(searcher.isHidden());
    QVERIFY(searcher.ProgressBar1()->isHidden());
}

QTEST_MAIN(TestLoadingGuard)
#include "tst_loadingguard.moc"
