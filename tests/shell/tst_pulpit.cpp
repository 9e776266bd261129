#include "AppIcons.h"
#include "ContentError.h"
#include "FakeHelp.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "TPulpit.h"
#include "TSearchBox.h"
#include "TfrmIndeks.h"
#include "TfrmSplasher.h"
#include "TfrmWzorBazowy.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

class FakeDocument : public TfrmWzorBazowy
{
public:
    std::function<void()> onLoad;
    bool busy = false;
    bool banner = false;
    int bannerSteps = 0;

    void LoadDocument(const QString &typ, const QString &numer) override
    {
        setWindowTitle(typ + u'/' + numer);
        if (onLoad)
            onLoad();
    }
    bool IsLoading() const override { return busy; }
    bool HasBanner() const override { return banner; }
    void BannerStep() override { ++bannerSteps; }
};

// A child that records what the frame asks of it.
class RecordingChild : public TfrmWzorBazowy
{
public:
    QStringList calls;
    void ApplyDocumentLook(const Preferences &prefs) override
    {
        calls.append(QStringLiteral("look ") + prefs.docFont);
    }
    void LoadSettings(const SettingsStore &) override { calls.append(QStringLiteral("load")); }
    void SaveSettings(SettingsStore &) const override { m_saved->append(QStringLiteral("save")); }
    void btRefreshClick() override { calls.append(QStringLiteral("refresh")); }
    void btShowClick() override { calls.append(QStringLiteral("show")); }
    void btPreviewShowClick() override { calls.append(QStringLiteral("preview")); }
    QStringList *m_saved = nullptr;
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestPulpit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstRunWritesRunningMarkerThenEverything();
    void toolbarOfAnOldRevisionIsIgnoredAndRewritten();
    void toolbarLayoutSurvivesARestart();
    void colourDepthWarning_data();
    void colourDepthWarning();
    void menusAndToolbars();
    void toolbarPicturesAreOurOwn();
    void helpModeMarksAndCursor();
    void helpModeOnToolbarButton_data();
    void helpModeOnToolbarButton();
    void helpModeOnMenuCommandShowsNothing();
    void helpModeStopsEveryCommand_data();
    void helpModeStopsEveryCommand();
    void helpModeOnFrameAndStatusBar();
    void contextHelpOfAControl();
    void f1ShowsTheTopicOfTheWindow_data();
    void f1ShowsTheTopicOfTheWindow();
    void indexCommandTwice();
    void childrenHooks();
    void openingAnOpenEntry();
    void windowLimit_data();
    void windowLimit();
    void requestWhileOpeningIsDropped();
    void codesWithoutAWindow_data();
    void codesWithoutAWindow();
    void busyWindowKeepsItsRecord();
    void failedLoadClearsOpening();
    void closingForgetsTheWindow();
    void quizRecords();
    void windowCommands();
    void bannersTickOnlyWhileShown();

private:
    TPulpit *makePulpit(int depth = 32, TfrmSplasher *splash = nullptr);
    FakeDocument *open(const QString &typ, const QString &numer);
    void registerFakes();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<TPulpit> m_pulpit;
    FakeHelp m_help;
    QList<MessageBoxes::Message> m_messages;
    QList<FakeDocument *> m_created;
    QStringList m_saved;
};

void TestPulpit::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.conf")),
                                             QSettings::IniFormat);
    m_store = std::make_unique<SettingsStore>(*m_settings);
    useSkin(*m_dir);
    m_help = FakeHelp();
    m_messages.clear();
    m_created.clear();
    recordMessages(m_messages);
}

void TestPulpit::cleanup()
{
    SetPulpit(nullptr);
    m_pulpit.reset();
    m_store.reset();
    m_settings.reset();
    MessageBoxes::setHandler(nullptr);
    Paths::setBmpsFolder(QString());
    QVERIFY(!QGuiApplication::overrideCursor());
}

TPulpit *TestPulpit::makePulpit(int depth, TfrmSplasher *splash)
{
    TPulpit::Environment environment;
    environment.settings = m_store.get();
    environment.help = &m_help;
    environment.splash = splash;
    if (splash)
        environment.splashStatus = [splash](const QString &text) { splash->SetStatus(text); };
    environment.screenDepth = depth;
    environment.soundAvailable = false;
    m_pulpit = std::make_unique<TPulpit>(environment);
    SetPulpit(m_pulpit.get());
    m_pulpit->resize(1000, 700);
    m_pulpit->show();
    return m_pulpit.get();
}

void TestPulpit::registerFakes()
{
    for (const char *code : {"_19701", "_19702", "_19711"}) {
        m_pulpit->RegisterDocumentClass(QLatin1String(code), [this] {
            auto *d = new FakeDocument;
            m_created.append(d);
            return d;
        });
    }
}

FakeDocument *TestPulpit::open(const QString &typ, const QString &numer)
{
    m_pulpit->OpenDocument(typ, numer);
    flushDeletes();
    return m_created.isEmpty() ? nullptr : m_created.last();
}

void TestPulpit::firstRunWritesRunningMarkerThenEverything()
{
    makePulpit();
    const Preferences &p = m_pulpit->Prefs();
    QCOMPARE(p.docFont, QStringLiteral("Arial CE"));
    QCOMPARE(m_pulpit->WindowLimit(), 12);
    QSettings during(m_settings->fileName(), QSettings::IniFormat);
    QCOMPARE(during.allKeys(), QStringList{QStringLiteral("Prefs/Runing")});
    QCOMPARE(during.value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("1")));

    m_pulpit->SetWindowLimit(4);
    m_pulpit.reset();
    QSettings after(m_settings->fileName(), QSettings::IniFormat);
    QCOMPARE(after.value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("0")));
    QCOMPARE(after.value(QStringLiteral("Prefs/fWindCount")), QVariant(QStringLiteral("4")));
    QCOMPARE(after.value(QStringLiteral("Prefs/fDocFontSize")), QVariant(QStringLiteral("10")));
    QCOMPARE(after.value(QStringLiteral("Prefs/Autorun")), QVariant(QStringLiteral("1")));
    // The volumes are read, never written.
    QVERIFY(!after.contains(QStringLiteral("Prefs/fKomentVol")));
    for (const char *toolbar : {"tbMenu", "tbIndeks"}) {
        const QString group = QStringLiteral("Toolbars/") + QLatin1String(toolbar);
        QCOMPARE(after.value(group + QStringLiteral("/Rev")), QVariant(QStringLiteral("3")));
        QCOMPARE(after.value(group + QStringLiteral("/DockedTo")),
                 QVariant(QStringLiteral("Dock971")));
        QCOMPARE(after.value(group + QStringLiteral("/DockRow")), QVariant(QStringLiteral("0")));
    }
}

void TestPulpit::toolbarOfAnOldRevisionIsIgnoredAndRewritten()
{
    m_settings->setValue(QStringLiteral("Toolbars/tbMenu/Rev"), QStringLiteral("1"));
    m_settings->setValue(QStringLiteral("Toolbars/tbMenu/DockedTo"), QStringLiteral("Dock972"));
    makePulpit();
    QCOMPARE(m_pulpit->toolBarArea(m_pulpit->MenuToolbar()), Qt::TopToolBarArea);
    m_pulpit.reset();
    QSettings after(m_settings->fileName(), QSettings::IniFormat);
    QCOMPARE(after.value(QStringLiteral("Toolbars/tbMenu/Rev")), QVariant(QStringLiteral("3")));
    QCOMPARE(after.value(QStringLiteral("Toolbars/tbMenu/DockedTo")),
             QVariant(QStringLiteral("Dock971")));
}

void TestPulpit::toolbarLayoutSurvivesARestart()
{
    // A floating toolbar, as a previous run left it.
    m_settings->beginGroup(QStringLiteral("Toolbars/tbMenu"));
    m_settings->setValue(QStringLiteral("Rev"), QStringLiteral("3"));
    m_settings->setValue(QStringLiteral("DockedTo"), QStringLiteral("+"));
    m_settings->setValue(QStringLiteral("LastDock"), QStringLiteral("Dock972"));
    m_settings->setValue(QStringLiteral("FloatLeft"), QStringLiteral("300"));
    m_settings->setValue(QStringLiteral("FloatTop"), QStringLiteral("200"));
    m_settings->endGroup();

    for (int run = 0; run < 2; ++run) {
        makePulpit();
        QToolBar *menu = m_pulpit->MenuToolbar();
        QVERIFY(menu->isFloating());
        QCOMPARE(menu->pos(), QPoint(300, 200));
        if (run == 0) {
            m_pulpit->addToolBar(Qt::LeftToolBarArea, m_pulpit->IndexToolbar());
            m_pulpit->IndexToolbar()->hide();
        } else {
            QCOMPARE(m_pulpit->toolBarArea(m_pulpit->IndexToolbar()), Qt::LeftToolBarArea);
            QVERIFY(m_pulpit->IndexToolbar()->isHidden());
        }
        m_pulpit.reset();
        QSettings stored(m_settings->fileName(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Toolbars/tbMenu/DockedTo")),
                 QVariant(QStringLiteral("+")));
        QCOMPARE(stored.value(QStringLiteral("Toolbars/tbMenu/LastDock")),
                 QVariant(QStringLiteral("Dock972")));
        QCOMPARE(stored.value(QStringLiteral("Toolbars/tbIndeks/DockedTo")),
                 QVariant(QStringLiteral("Dock973")));
        QCOMPARE(stored.value(QStringLiteral("Toolbars/tbIndeks/Visible")),
                 QVariant(QStringLiteral("0")));
    }
}

void TestPulpit::colourDepthWarning_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("warned");
    QTest::newRow("256 colours") << 8 << true;
    QTest::newRow("16 colours") << 4 << true;
    QTest::newRow("high colour") << 16 << false;
}

void TestPulpit::colourDepthWarning()
{
    QFETCH(int, depth);
    QFETCH(bool, warned);
    makePulpit(depth);
    QCOMPARE(m_messages.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(m_messages[0].caption, QStringLiteral("Uwaga!"));
        QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
        QCOMPARE(m_messages[0].text,
                 QStringLiteral("Komputer pracuje w trybie 256 lub mniej kolorów!\n"
                                "Encyklopedia najlepiej pracuje w trybie 32 lub 65 tysięcy "
                                "kolorów.\nJakość obrazu może być niezadowalająca!\n"));
    }
}

void TestPulpit::menusAndToolbars()
{
    makePulpit();
    QCOMPARE(m_pulpit->windowTitle(), QStringLiteral("Verbarium"));
    QCOMPARE(m_pulpit->minimumSize(), QSize(540, 360));

    const auto texts = [](const QList<QAction *> &actions) {
        QStringList t;
        for (QAction *a : actions)
            t.append(a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return t;
    };
    QCOMPARE(
        texts(m_pulpit->MenuToolbar()->actions()),
        (QStringList{
            QStringLiteral("btOpcje"), QStringLiteral("-"), QStringLiteral("btKopiuj"),
            QStringLiteral("btDrukuj"), QStringLiteral("-"), QStringLiteral("ToolbarButton971"),
            QStringLiteral("btSoundStop"), QStringLiteral("-"), QStringLiteral("btPrevWind"),
            QStringLiteral("btNextWind"), QStringLiteral("-"), QStringLiteral("btCascadeWind"),
            QStringLiteral("btTileVert"), QStringLiteral("btTileHoriz"), QStringLiteral("-"),
            QStringLiteral("btHelp"), QStringLiteral("-"), QStringLiteral("btExit")}));
    QCOMPARE(
        texts(m_pulpit->IndexToolbar()->actions()),
        (QStringList{QStringLiteral("btIndeks"), QStringLiteral("-"), QStringLiteral("btRefresh"),
                     QStringLiteral("btShow"), QStringLiteral("btPreviewShow")}));
    QCOMPARE(m_pulpit->Action(QStringLiteral("btTileHoriz"))->toolTip(),
             QStringLiteral("Okna - Sąsiadująco w poziomie"));
    QVERIFY(!m_pulpit->Action(QStringLiteral("btOpcje"))->isEnabled());

    struct Item
    {
        const char *name;
        QKeySequence keys;
        const char16_t *hint;
    };
    const Item items[] = {
        {"miDrukuj", QKeySequence(Qt::CTRL | Qt::Key_P), u""},
        {"miKopiuj", QKeySequence(Qt::CTRL | Qt::Key_C), u"Kopiowanie dokumentu do schowka"},
        {"miSzukajWEncyklopedii", QKeySequence(Qt::CTRL | Qt::Key_K),
         u"Wyszukiwanie haseł w całej encyklopedii"},
        {"miZnajdz", QKeySequence(Qt::CTRL | Qt::Key_F), u"Wyszukiwanie w tekście dokumentu"},
        {"miZnajdzNastepny", QKeySequence(Qt::Key_F3), u""},
        {"miZnajdzPoprzedni", QKeySequence(Qt::SHIFT | Qt::Key_F3), u""},
        {"miIndeks", QKeySequence(Qt::CTRL | Qt::Key_I), u""},
        {"miPoprzednie", QKeySequence(Qt::CTRL | Qt::Key_F5), u"Poprzednie okno"},
        {"miNastepne", QKeySequence(Qt::CTRL | Qt::Key_F6), u"Następne okno"},
        {"miKaskada", QKeySequence(Qt::SHIFT | Qt::Key_F5), u"Okna - kaskada"},
        {"miPionowo", QKeySequence(Qt::SHIFT | Qt::Key_F4), u"Okna - sąsiadująco"},
        {"miPoziomo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4), u""},
        {"miPomocOkna", QKeySequence(Qt::Key_F1), u"Temat pomocy aktywnego okna"},
        {"miSpisTresci", QKeySequence(Qt::SHIFT | Qt::Key_F1), u"Spis treści systemu pomocy"},
    };
    for (const Item &item : items) {
        QAction *a = m_pulpit->Action(QLatin1String(item.name));
        QVERIFY2(a, item.name);
        QCOMPARE(a->shortcut(), item.keys);
        QCOMPARE(a->statusTip(), QString::fromUtf16(item.hint));
    }
}

void TestPulpit::toolbarPicturesAreOurOwn()
{
    makePulpit();
    const auto picture = [](const QIcon &icon) {
        return icon.pixmap(QSize(24, 24), 1.0).toImage();
    };
    QList<QImage> ours;
    for (const QString &name : AppIcons::CommandNames())
        ours.append(picture(AppIcons::Command(name)));
    // Every button shows one of the program's command pictures, and no two the same.
    QList<QImage> shown;
    for (QToolBar *toolbar : {m_pulpit->MenuToolbar(), m_pulpit->IndexToolbar()}) {
        for (QAction *action : toolbar->actions()) {
            if (action->isSeparator())
                continue;
            const QImage image = picture(action->icon());
            QVERIFY2(ours.contains(image), qPrintable(action->objectName()));
            QVERIFY2(!shown.contains(image), qPrintable(action->objectName()));
            shown.append(image);
        }
    }
    QCOMPARE(shown.size(), 16);
}

void TestPulpit::helpModeMarksAndCursor()
{
    makePulpit();
    QAction *item = m_pulpit->Action(QStringLiteral("miCoToJest"));
    item->trigger();
    QVERIFY(m_pulpit->HelpMode());
    QVERIFY(item->isChecked());
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
    item->trigger();
    QVERIFY(!m_pulpit->HelpMode());
    QVERIFY(!item->isChecked());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPulpit::helpModeOnToolbarButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("context");
    QTest::newRow("exit on the Menu toolbar") << QStringLiteral("btExit") << 4004;
    QTest::newRow("help on the Menu toolbar") << QStringLiteral("btHelp") << 4004;
    QTest::newRow("index on the Indeks toolbar") << QStringLiteral("btIndeks") << 4005;
    QTest::newRow("preview on the Indeks toolbar") << QStringLiteral("btPreviewShow") << 4005;
}

void TestPulpit::helpModeOnToolbarButton()
{
    QFETCH(QString, button);
    QFETCH(int, context);
    makePulpit();
    m_pulpit->SetHelpMode(true);
    QTest::mouseClick(m_pulpit->findChild<QWidget *>(button), Qt::LeftButton);
    QCOMPARE(m_help.popups, QList<int>{context});
    QVERIFY(!m_pulpit->HelpMode());
    // The command itself did not run.
    QVERIFY(m_pulpit->isVisible());
    QVERIFY(m_pulpit->ChildWindows().isEmpty());
    QCOMPARE(m_help.contents, 0);
}

void TestPulpit::helpModeOnMenuCommandShowsNothing()
{
    makePulpit();
    m_pulpit->SetHelpMode(true);
    m_pulpit->Action(QStringLiteral("miKoniec"))->trigger();
    m_pulpit->SetHelpMode(true);
    m_pulpit->Action(QStringLiteral("miIndeks"))->trigger();
    QVERIFY(m_help.popups.isEmpty());
    QVERIFY(!m_pulpit->HelpMode());
    QVERIFY(m_pulpit->isVisible());
    QVERIFY(m_pulpit->ChildWindows().isEmpty());
}

void TestPulpit::helpModeStopsEveryCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("popups");
    for (const char *name :
         {"btOpcje", "btKopiuj", "btDrukuj", "ToolbarButton971", "btSoundStop", "btPrevWind",
          "btNextWind", "btCascadeWind", "btTileVert", "btTileHoriz", "btHelp", "btExit"})
        QTest::newRow(name) << QString::fromLatin1(name) << QList<int>{4004};
    for (const char *name : {"btIndeks", "btRefresh", "btShow", "btPreviewShow"})
        QTest::newRow(name) << QString::fromLatin1(name) << QList<int>{4005};
    // A menu command or a key has no help of its own.
    for (const char *name :
         {"miOpcje", "miDrukuj", "miKopiuj", "miPoprzednie", "miKaskada", "miSpisTresci",
          "miSzukaj", "miOProgramie", "acZamknijOkno", "acNastepneOkno"})
        QTest::newRow(name) << QString::fromLatin1(name) << QList<int>{};
}

void TestPulpit::helpModeStopsEveryCommand()
{
    QFETCH(QString, command);
    QFETCH(QList<int>, popups);
    makePulpit();
    RecordingChild *index = nullptr;
    m_pulpit->RegisterIndexClass([&] {
        index = new RecordingChild;
        index->m_saved = &m_saved; // written when the frame goes, after the test
        return index;
    });
    m_pulpit->btIndeksClick(); // the Index is open and active, the options enabled
    QVERIFY(index);
    const QRect place = index->parentWidget()->geometry();
    index->calls.clear();
    m_pulpit->SetHelpMode(true);
    // A dialog would be a fault; it is closed so the test goes on to say so.
    QWidget *dialog = nullptr;
    QTimer::singleShot(0, this, [&dialog] {
        if ((dialog = QApplication::activeModalWidget()))
            dialog->close();
    });
    QAction *action = m_pulpit->Action(command);
    QVERIFY(action && action->isEnabled());
    action->trigger();
    QCoreApplication::processEvents();
    flushDeletes();
    QCOMPARE(m_help.popups, popups);
    QVERIFY(!m_pulpit->HelpMode());
    QVERIFY(!dialog);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_help.contents, 0);
    QVERIFY(m_pulpit->isVisible());
    QCOMPARE(m_pulpit->ChildWindows(), QList<TfrmWzorBazowy *>{index});
    QCOMPARE(index->parentWidget()->geometry(), place);
    QVERIFY(index->calls.isEmpty());
}

void TestPulpit::helpModeOnFrameAndStatusBar()
{
    makePulpit();
    QTest::mouseClick(m_pulpit->MdiArea()->viewport(), Qt::LeftButton);
    QVERIFY(m_help.popups.isEmpty()); // outside help mode a click there does nothing
    m_pulpit->SetHelpMode(true);
    QTest::mouseClick(m_pulpit->MdiArea()->viewport(), Qt::LeftButton);
    m_pulpit->SetHelpMode(true);
    QTest::mouseClick(m_pulpit->statusBar(), Qt::LeftButton);
    QCOMPARE(m_help.popups, (QList<int>{4001, 4007}));
}

void TestPulpit::contextHelpOfAControl()
{
    makePulpit();
    registerFakes();
    FakeDocument *doc = open(QStringLiteral("_19701"), QStringLiteral("1"));
    doc->setProperty("helpContext", 4030);
    auto *control = new QWidget(doc);
    m_pulpit->SetHelpMode(true);
    m_pulpit->ShowContextHelp(control);
    m_pulpit->SetHelpMode(true);
    m_pulpit->ShowContextHelp(nullptr);
    QCOMPARE(m_help.popups, QList<int>{4030});
}

void TestPulpit::f1ShowsTheTopicOfTheWindow_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("topic");
    QTest::newRow("a control of a document") << QStringLiteral("control") << 4030;
    QTest::newRow("a control with a topic of its own") << QStringLiteral("own") << 4026;
    QTest::newRow("the search field") << QStringLiteral("search") << 4050;
    QTest::newRow("nothing") << QString() << 4001;
}

void TestPulpit::f1ShowsTheTopicOfTheWindow()
{
    QFETCH(QString, focus);
    QFETCH(int, topic);
    makePulpit();
    QVERIFY(QTest::qWaitForWindowActive(m_pulpit.get()));
    registerFakes();
    FakeDocument *doc = open(QStringLiteral("_19701"), QStringLiteral("1"));
    doc->setProperty("helpContext", 4030);
    auto *layout = new QVBoxLayout(doc);
    auto *control = new QLineEdit;
    auto *own = new QLineEdit;
    own->setProperty("helpContext", 4026);
    layout->addWidget(control);
    layout->addWidget(own);
    const QHash<QString, QWidget *> targets{{QStringLiteral("control"), control},
                                            {QStringLiteral("own"), own},
                                            {QStringLiteral("search"), m_pulpit->SearchBox()}};
    if (QWidget *target = targets.value(focus)) {
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key_F1);
    } else {
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        QTest::keyClick(m_pulpit.get(), Qt::Key_F1);
    }
    QCOMPARE(m_help.topics, QList<int>{topic});
    QVERIFY(m_help.popups.isEmpty());
    QCOMPARE(m_help.contents, 0);
}

void TestPulpit::indexCommandTwice()
{
    auto *splash = new TfrmSplasher;
    QPointer<TfrmSplasher> watch(splash);
    makePulpit(32, splash);
    QCOMPARE(splash->Status(), QStringLiteral("Inicjalizacja zmiennych..."));
    QSignalSpy shown(m_pulpit.get(), &TPulpit::IndexShown);
    m_pulpit->RegisterIndexClass([] { return new TfrmIndeks; });

    m_pulpit->btIndeksClick();
    flushDeletes();
    QVERIFY(!watch);
    QCOMPARE(m_pulpit->ChildWindows().size(), 1);
    auto *index = qobject_cast<TfrmIndeks *>(m_pulpit->ChildWindows().first());
    QVERIFY(index);
    QCOMPARE(index->Typ(), QStringLiteral("_19700"));
    QCOMPARE(index->Numer(), QStringLiteral("197"));
    QCOMPARE(index->windowTitle(), QStringLiteral("Indeks"));
    QStringList tabs;
    for (int i = 0; i < index->pcIndeks()->count(); ++i)
        tabs.append(index->pcIndeks()->tabText(i));
    QCOMPARE(tabs, (QStringList{QStringLiteral("Dzieła"), QStringLiteral("Twórcy"),
                                QStringLiteral("Epoki"), QStringLiteral("Bohaterowie"),
                                QStringLiteral("Rodzaje"), QStringLiteral("Gatunki"),
                                QStringLiteral("Terminy"), QStringLiteral("Wypisy"),
                                QStringLiteral("Cytaty"), QStringLiteral("Filmografia"),
                                QStringLiteral("Sztuka polska"), QStringLiteral("Kalendarium"),
                                QStringLiteral("Quiz"), QStringLiteral("Wprowadzenie")}));
    QCOMPARE(index->pcIndeks()->currentIndex(), int(TfrmIndeks::tsStart));
    QVERIFY(m_pulpit->Action(QStringLiteral("btOpcje"))->isEnabled());
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0); // the Index is not counted

    // Again: only brought to the front. OpenDocument on its pair does the same.
    registerFakes();
    open(QStringLiteral("_19701"), QStringLiteral("1"));
    m_pulpit->Action(QStringLiteral("miIndeks"))->trigger();
    QCOMPARE(m_pulpit->ActiveChild(), index);
    m_pulpit->OpenDocument(QStringLiteral("_19700"), QStringLiteral("197"));
    QCOMPARE(m_pulpit->ChildWindows().size(), 2);
    QCOMPARE(shown.count(), 1);
    QVERIFY(m_messages.isEmpty());

    // The reader cannot close it.
    index->parentWidget()->close();
    flushDeletes();
    QCOMPARE(m_pulpit->ChildWindows().size(), 2);
}

void TestPulpit::childrenHooks()
{
    // The frame knows its children only through their base: the Index class is registered,
    // made by the first Index command, and asked for its commands and settings.
    makePulpit();
    QStringList saved;
    RecordingChild *index = nullptr;
    m_pulpit->RegisterIndexClass([&] {
        index = new RecordingChild;
        index->m_saved = &saved;
        return index;
    });
    m_pulpit->btIndeksClick();
    QVERIFY(index);
    QCOMPARE(index->Typ(), QStringLiteral("_19700"));
    for (const char *command : {"btRefresh", "btShow", "btPreviewShow"})
        m_pulpit->Action(QLatin1String(command))->trigger();
    m_pulpit->SetDocumentFont(QStringLiteral("Tahoma"), 12);
    QCOMPARE(index->calls,
             (QStringList{QStringLiteral("load"), QStringLiteral("refresh"), QStringLiteral("show"),
                          QStringLiteral("preview"), QStringLiteral("look Tahoma")}));

    // With a document active the commands reach the document, whose base does nothing.
    registerFakes();
    open(QStringLiteral("_19701"), QStringLiteral("1"));
    index->calls.clear();
    m_pulpit->Action(QStringLiteral("btRefresh"))->trigger();
    QVERIFY(index->calls.isEmpty());

    SetPulpit(nullptr);
    m_pulpit.reset();
    QCOMPARE(saved, QStringList{QStringLiteral("save")});
}

void TestPulpit::openingAnOpenEntry()
{
    makePulpit();
    registerFakes();
    FakeDocument *first = open(QStringLiteral("_19701"), QStringLiteral("1"));
    open(QStringLiteral("_19702"), QStringLiteral("1"));
    QCOMPARE(first->Typ(), QStringLiteral("_19701"));
    QCOMPARE(first->windowTitle(), QStringLiteral("_19701/1"));
    m_pulpit->OpenDocument(QStringLiteral("_19701"), QStringLiteral("1"));
    QCOMPARE(m_created.size(), 2);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 2);
    QCOMPARE(m_pulpit->ActiveChild(), first);
}

void TestPulpit::windowLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("12") << 12;
    QTest::newRow("1") << 1;
}

void TestPulpit::windowLimit()
{
    QFETCH(int, limit);
    makePulpit();
    registerFakes();
    m_pulpit->SetWindowLimit(limit);
    for (int i = 1; i <= limit + 2; ++i)
        open(QStringLiteral("_19701"), QString::number(i));

    QCOMPARE(m_pulpit->ChildWindows().size(), limit);
    QCOMPARE(m_pulpit->OpenWindows().Count(), limit);
    // The oldest went first: what is left is the newest, oldest first.
    for (int k = 0; k < limit; ++k) {
        TFormRecord record;
        QVERIFY(m_pulpit->OpenWindows().GetAt(k, record));
        QCOMPARE(record.Numer, QString::number(k + 3));
    }
}

void TestPulpit::requestWhileOpeningIsDropped()
{
    makePulpit();
    registerFakes();
    m_pulpit->RegisterDocumentClass(QStringLiteral("_19701"), [this] {
        auto *d = new FakeDocument;
        d->onLoad = [this] {
            QVERIFY(m_pulpit->Opening());
            m_pulpit->OpenDocument(QStringLiteral("_19702"), QStringLiteral("9"));
        };
        m_created.append(d);
        return d;
    });
    open(QStringLiteral("_19701"), QStringLiteral("1"));
    QCOMPARE(m_created.size(), 1);
    QVERIFY(!m_pulpit->Opening());
    open(QStringLiteral("_19702"), QStringLiteral("9"));
    QCOMPARE(m_created.size(), 2);
}

void TestPulpit::codesWithoutAWindow_data()
{
    QTest::addColumn<QString>("typ");
    for (const char *code : {"_19721", "_19710", "_19708", "_19709", "_19799", "19701", "_19701 "})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestPulpit::codesWithoutAWindow()
{
    QFETCH(QString, typ);
    makePulpit();
    registerFakes();
    m_pulpit->OpenDocument(typ, QStringLiteral("1"));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("To okno nie zaimplementowane"));
    QCOMPARE(m_messages[0].caption, QStringLiteral("???????"));
    QVERIFY(m_created.isEmpty());
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0);
    QVERIFY(!m_pulpit->Opening());
}

void TestPulpit::busyWindowKeepsItsRecord()
{
    makePulpit();
    registerFakes();
    m_pulpit->SetWindowLimit(2);
    FakeDocument *busy = open(QStringLiteral("_19701"), QStringLiteral("1"));
    busy->busy = true;
    open(QStringLiteral("_19701"), QStringLiteral("2"));
    open(QStringLiteral("_19701"), QStringLiteral("3"));
    QCOMPARE(m_pulpit->ChildWindows().size(), 3);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 3);
    TFormRecord oldest;
    m_pulpit->OpenWindows().GetAt(0, oldest);
    QCOMPARE(oldest.Numer, QStringLiteral("1"));

    busy->busy = false;
    open(QStringLiteral("_19701"), QStringLiteral("4"));
    QCOMPARE(m_pulpit->ChildWindows().size(), 3);
    m_pulpit->OpenWindows().GetAt(0, oldest);
    QCOMPARE(oldest.Numer, QStringLiteral("2"));
}

void TestPulpit::failedLoadClearsOpening()
{
    makePulpit();
    registerFakes();
    m_pulpit->RegisterDocumentClass(QStringLiteral("_19702"), [] {
        auto *d = new FakeDocument;
        d->onLoad = [] { throw ContentError(QStringLiteral("Błąd odczytu pliku \"x\"")); };
        return d;
    });
    m_pulpit->OpenDocument(QStringLiteral("_19702"), QStringLiteral("1"));
    QVERIFY(!m_pulpit->Opening());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("Błąd odczytu pliku \"x\""));
    QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
    flushDeletes();
    QVERIFY(m_pulpit->ChildWindows().isEmpty());
    QVERIFY(open(QStringLiteral("_19701"), QStringLiteral("1")));
    QCOMPARE(m_pulpit->OpenWindows().Count(), 1);
}

void TestPulpit::closingForgetsTheWindow()
{
    makePulpit();
    registerFakes();
    open(QStringLiteral("_19701"), QStringLiteral("1"));
    FakeDocument *second = open(QStringLiteral("_19702"), QStringLiteral("1"));
    second->parentWidget()->close();
    flushDeletes();
    QCOMPARE(m_pulpit->OpenWindows().Count(), 1);
    QCOMPARE(m_pulpit->ChildWindows().size(), 1);
}

void TestPulpit::quizRecords()
{
    makePulpit();
    m_pulpit->OpenQuiz(10, 30);
    QCOMPARE(m_messages.size(), 1); // no quiz window class yet
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0);

    QList<std::pair<int, int>> started;
    m_pulpit->RegisterQuizClass([&started](int questions, int seconds) {
        started.append({questions, seconds});
        return new FakeDocument;
    });
    m_pulpit->OpenQuiz(10, 30);
    m_pulpit->OpenQuiz(5, 60);
    m_pulpit->OpenQuiz(5, 60);
    QCOMPARE(started, (QList<std::pair<int, int>>{{10, 30}}));
    QCOMPARE(m_pulpit->ChildWindows().size(), 1);
    QCOMPARE(m_pulpit->OpenWindows().Count(), 3);
    m_pulpit->ChildWindows().first()->parentWidget()->close();
    flushDeletes();
    QCOMPARE(m_pulpit->OpenWindows().Count(), 0);
}

void TestPulpit::windowCommands()
{
    makePulpit();
    registerFakes();
    FakeDocument *a = open(QStringLiteral("_19701"), QStringLiteral("1"));
    FakeDocument *b = open(QStringLiteral("_19701"), QStringLiteral("2"));
    QWidget *subA = a->parentWidget();
    QWidget *subB = b->parentWidget();

    m_pulpit->Action(QStringLiteral("btTileVert"))->trigger();
    QCOMPARE(subA->y(), subB->y());
    QVERIFY(subA->x() != subB->x());
    QCOMPARE(subA->height(), m_pulpit->MdiArea()->viewport()->height());

    m_pulpit->Action(QStringLiteral("btTileHoriz"))->trigger();
    QCOMPARE(subA->x(), subB->x());
    QVERIFY(subA->y() != subB->y());
    QCOMPARE(subA->width(), m_pulpit->MdiArea()->viewport()->width());

    m_pulpit->Action(QStringLiteral("btCascadeWind"))->trigger();
    QVERIFY(subA->pos() != subB->pos());

    QCOMPARE(m_pulpit->ActiveChild(), b);
    m_pulpit->Action(QStringLiteral("btNextWind"))->trigger();
    QCOMPARE(m_pulpit->ActiveChild(), a);
    m_pulpit->Action(QStringLiteral("btPrevWind"))->trigger();
    QCOMPARE(m_pulpit->ActiveChild(), b);

    m_pulpit->Action(QStringLiteral("btHelp"))->trigger();
    QCOMPARE(m_help.contents, 1);
    m_pulpit->Action(QStringLiteral("btExit"))->trigger();
    QVERIFY(!m_pulpit->isVisible());
}

void TestPulpit::bannersTickOnlyWhileShown()
{
    makePulpit();
    registerFakes();
    m_pulpit->RegisterDocumentClass(QStringLiteral("_19711"), [this] {
        auto *d = new FakeDocument;
        d->banner = true;
        m_created.append(d);
        return d;
    });
    FakeDocument *plain = open(QStringLiteral("_19702"), QStringLiteral("1"));
    plain->banner = true; // a banner outside works and illustrations is not moved
    FakeDocument *illustration = open(QStringLiteral("_19711"), QStringLiteral("1"));
    QTRY_VERIFY(illustration->bannerSteps >= 3);
    QCOMPARE(plain->bannerSteps, 0);
    illustration->parentWidget()->close();
    plain->parentWidget()->close();
    flushDeletes();
    QCoreApplication::processEvents();
    const QTimer *tick = m_pulpit->findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(tick);
    QVERIFY(!tick->isActive());
}

QTEST_MAIN(TestPulpit)
#include "tst_pulpit.moc"
