#include "LastSession.h"
#include "ReaderStore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLastSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedSessionReplacesTheLastOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"czytelnik.sqlite"_s);
        const QList<SessionWindow> three{
            {u"_19701"_s, u"7"_s, QRect(10, 20, 640, 480), false, false, 120},
            {u"_19702"_s, u"1"_s, QRect(-5, 0, 800, 600), true, true, 0},
            {u"_19705"_s, u"2"_s, QRect(300, 40, 320, 200), false, false, 9999},
        };
        const QList<SessionWindow> one{three[2]};
        for (const QList<SessionWindow> &windows : {three, one, QList<SessionWindow>{}}) {
            {
                ReaderStore store(path);
                LastSession(store).save(windows);
            }
            ReaderStore store(path);
            QCOMPARE(LastSession(store).load(), windows);
        }
    }
};

QTEST_GUILESS_MAIN(TestLastSession)
#include "tst_lastsession.moc"
