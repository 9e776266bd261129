#include "ReaderPath.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

HistoryEntry place(const QString &numer)
{
    return {0, u"_19701"_s, numer, numer, {}, 1};
}

// The path as the reader could walk it, "a [b] c" with the current place in brackets, found
// through back() and forward() only.
QString walk(ReaderPath path)
{
    int stepsBack = 0;
    while (path.back())
        ++stepsBack;
    QStringList places;
    if (const auto first = path.current())
        places.append(first->numer);
    while (const auto next = path.forward())
        places.append(next->numer);
    if (!places.isEmpty())
        places[stepsBack] = u'[' + places[stepsBack] + u']';
    return places.join(u' ');
}

} // namespace

class TestReaderPath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<QString>("script"); // a letter visits that place, < is back, > forward
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing seen") << u""_s << u""_s;
        QTest::newRow("visits") << u"a b c"_s << u"a b [c]"_s;
        QTest::newRow("back") << u"a b c <"_s << u"a [b] c"_s;
        QTest::newRow("back past the start") << u"a b < < <"_s << u"[a] b"_s;
        QTest::newRow("forward again") << u"a b c < < >"_s << u"a [b] c"_s;
        QTest::newRow("forward past the end") << u"a b >"_s << u"a [b]"_s;
        QTest::newRow("a visit from back drops the places ahead") << u"a b c < < d"_s << u"a [d]"_s;
        QTest::newRow("the place ahead visited again") << u"a b c < < b"_s << u"a [b]"_s;
        QTest::newRow("a reload") << u"a b b"_s << u"a [b]"_s;
        QTest::newRow("an earlier place again") << u"a b a"_s << u"a b [a]"_s;
    }

    void steps()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        ReaderPath path;
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"<"_s) {
                const bool could = path.canGoBack();
                const auto shown = path.back();
                QCOMPARE(shown.has_value(), could);
                QVERIFY(!could || path.current()->numer == shown->numer);
            } else if (step == u">"_s) {
                const bool could = path.canGoForward();
                const auto shown = path.forward();
                QCOMPARE(shown.has_value(), could);
                QVERIFY(!could || path.current()->numer == shown->numer);
            } else {
                path.visit(place(step));
                QCOMPARE(path.current()->numer, step);
                QVERIFY(!path.canGoForward());
            }
        }
        const QString walked = walk(path);
        QCOMPARE(walked, expected);
        QCOMPARE(path.canGoBack(), !walked.isEmpty() && !walked.startsWith(u'['));
        QCOMPARE(path.canGoForward(), !walked.isEmpty() && !walked.endsWith(u']'));
    }
};

QTEST_GUILESS_MAIN(TestReaderPath)
#include "tst_readerpath.moc"
