// bench_searchui: times the search field and the results pane on a synthetic encyclopedia,
// offscreen (QT_QPA_PLATFORM=offscreen), with its search index built and open.
//
//   bench_searchui [ENTRIES]      (default: 20000)
//
// Figures:
//   suggest_on_screen_<kind>  from a key press in the search field until its suggestions
//                             are painted (floor: the same key press into a plain line edit,
//                             painted)
//   pane_on_screen_<kind>     from Enter in the search field until the results pane's list
//                             is painted (same floor)
// where <kind> is "common" (a word in nearly every entry) or "typical".
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "SearchBenchData.h"
#include "TSearchBox.h"
#include "TSearchEngine.h"
#include "TSearchResultsPane.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

// Whether the watched widget has been painted since the last reset.
class PaintSeen : public QObject
{
public:
    explicit PaintSeen(QWidget *widget) { widget->installEventFilter(this); }
    void reset() { m_seen = false; }

    // Lets events run until the paint; false after five seconds without one.
    bool wait()
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_seen && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return m_seen;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_seen = true;
        return false;
    }

private:
    bool m_seen = false;
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_searchui: %s\n", what);
    std::exit(1);
}

// A key press into a plain line edit until it is painted.
double floorPress()
{
    QLineEdit edit;
    edit.resize(220, 30);
    edit.show();
    PaintSeen painted(&edit);
    settle();
    std::vector<double> times;
    for (int r = 0; r < 31; ++r) {
        edit.setText(QStringLiteral("pan"));
        settle();
        painted.reset();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&edit, Qt::Key_T);
        if (!painted.wait())
            fail("the line edit was never painted");
        times.push_back(bench::milliseconds(timer));
    }
    return bench::median(times);
}

void measure(int entries)
{
    ProgramFixture program;
    program.openData([entries](const QString &path) {
        if (!bench::writeEncyclopedia(path, entries))
            fail("cannot write the container");
    });
    TPulpit &pulpit = program.startWithIndex(nullptr, bench::WindowSize);
    TSearchEngine *engine = pulpit.SearchEngine();
    QEventLoop wait;
    QObject::connect(engine, &TSearchEngine::ready, &wait, &QEventLoop::quit);
    QObject::connect(engine, &TSearchEngine::failed, &wait, [&wait] { wait.exit(1); });
    engine->prepare();
    if (!engine->isReady() && wait.exec() != 0)
        fail("the search index could not be built");

    TSearchBox *box = pulpit.SearchBox();
    QAbstractItemView *popup = box->suggestions()->popup();
    PaintSeen suggestions(popup->viewport());
    TSearchResultsPane *pane = pulpit.SearchResults();
    PaintSeen results(pane->list()->viewport());
    box->setFocus();
    settle();

    const double floor = floorPress();
    const QStringList words = bench::vocabulary();
    for (const auto &[kind, word] : {std::tuple("common", 3), std::tuple("typical", 400)}) {
        const QString typed = words[word].left(4);
        std::vector<double> suggest, pass;
        for (int r = 0; r < 31; ++r) {
            popup->hide();
            box->setText(typed.chopped(1));
            settle();
            suggestions.reset();
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(box, typed.back().toLatin1());
            if (!suggestions.wait())
                fail("the suggestions were never painted");
            suggest.push_back(bench::milliseconds(timer));

            popup->hide();
            settle();
            results.reset();
            timer.start();
            QTest::keyClick(box, Qt::Key_Return);
            if (!results.wait())
                fail("the results were never painted");
            pass.push_back(bench::milliseconds(timer));
        }
        const std::string suffix = std::string("_on_screen_") + kind;
        bench::report(("suggest" + suffix).c_str(), entries, "ms", bench::median(suggest), floor);
        bench::report(("pane" + suffix).c_str(), entries, "ms", bench::median(pass), floor);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // The search index goes to the cache folder: a temporary one.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    MessageBoxes::setHandler([](const MessageBoxes::Message &) { return QMessageBox::Ok; });
    measure(argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000);
    return 0;
}
