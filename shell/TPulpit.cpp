#include "TPulpit.h"

#include "AudioOutput.h"
#include "CategoryTable.h"
#include "ChildWindowManager.h"
#include "ContextHelpMode.h"
#include "FileVersionString.h"
#include "FrameActions.h"
#include "FramePrinter.h"
#include "Globals.h"
#include "HelpSystem.h"
#include "MessageBoxes.h"
#include "ReaderStore.h"
#include "ReaderTrail.h"
#include "TM3Player.h"
#include "TPSSDirectory.h"
#include "TSearchBox.h"
#include "TSearchController.h"
#include "TSimplePSS.h"
#include "TWebFileInfo.h"
#include "TfrmAbout2.h"
#include "TfrmCytatDnia.h"
#include "TfrmProps.h"
#include "TfrmWzorBazowy.h"
#include "ToolbarLayout.h"
#include "UpdateSigningKey.h"
#include "WidgetUpdateUi.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace {
TPulpit *g_pulpit = nullptr;
} // namespace

TPulpit *Pulpit()
{
    return g_pulpit;
}

void SetPulpit(TPulpit *pulpit)
{
    g_pulpit = pulpit;
}

TPulpit::TPulpit(const Environment &environment)
    : m_settings(*environment.settings), m_help(environment.help),
      m_printer(std::make_unique<FramePrinter>(environment.printDialogs)),
      m_splash(environment.splash), m_splashStatus(environment.splashStatus),
      m_runDialog(environment.runDialog)
{
    setObjectName(QStringLiteral("Pulpit"));
    m_narration = new Narration(environment.soundAvailable.value_or(AudioOutput::available()),
                                environment.mp3Library, this);
    setWindowTitle(QStringLiteral("Verbarium"));
    setMinimumSize(540, 360);
    setProperty(ContextHelpMode::ContextProperty, int(FrameContext));
    if (!m_help) {
        m_ownHelp = std::make_unique<HelpFile>(this, QCoreApplication::applicationDirPath() +
                                                         QStringLiteral("/VERB97.HLP"));
        m_help = m_ownHelp.get();
    }

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth =
        environment.screenDepth >= 0 ? environment.screenDepth : (screen ? screen->depth() : 32);
    if (depth <= 8)
        MessageBoxes::show(nullptr,
                           {QStringLiteral("Komputer pracuje w trybie 256 lub mniej kolorów!\n"
                                           "Encyklopedia najlepiej pracuje w trybie 32 lub 65 "
                                           "tysięcy kolorów.\n"
                                           "Jakość obrazu może być niezadowalająca!\n"),
                            QStringLiteral("Uwaga!"), QMessageBox::Warning, QMessageBox::Ok});

    if (m_splash && m_splashStatus) {
        m_splashStatus(QStringLiteral("Ładowanie danych z rejestru..."));
        m_splashStatus(QStringLiteral("Inicjalizacja zmiennych..."));
    }

    m_helpMode = new ContextHelpMode(*m_help, this);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setProperty(ContextHelpMode::ContextProperty, int(FrameContext));
    m_mdi->viewport()->setProperty(ContextHelpMode::ContextProperty, int(FrameContext));
    m_helpMode->watch(m_mdi->viewport());
    setCentralWidget(m_mdi);
    m_children = new ChildWindowManager(m_mdi);
    m_dispatcher = new DocumentDispatcher(*m_children, this);
    m_quizPool = std::make_unique<QuizPoolLoader>(*m_dispatcher);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setProperty(ContextHelpMode::ContextProperty, int(StatusBarContext));
    m_helpMode->watch(statusBar());

    // The banners of works and illustration windows move on a steady tick, which runs only
    // while such a window is open.
    m_idleTick = new QTimer(this);
    // 250 ticks a second: the banners move about 23 pixels a second (one every 11 ticks).
    m_idleTick->setInterval(4);
    connect(m_idleTick, &QTimer::timeout, this, &TPulpit::idleTick);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TPulpit::updateIdleTick);
    connect(m_children, &ChildWindowManager::childGone, this, &TPulpit::updateIdleTick);
    connect(m_dispatcher, &DocumentDispatcher::documentOpened, this, &TPulpit::updateIdleTick);

    ReaderStore *store = environment.readerStore;
    if (!store) {
        m_ownReaderStore = std::make_unique<ReaderStore>(ReaderStore::defaultPath());
        store = m_ownReaderStore.get();
    }
    // The history is worth no dialog: what goes wrong with it is said in the status bar.
    m_trail = new ReaderTrail(*store, *m_dispatcher, this);
    connect(m_trail, &ReaderTrail::problem, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    if (!store->problem().isEmpty())
        statusBar()->showMessage(store->problem());

    m_actions = new FrameActions(*this, *m_helpMode, *m_trail);
    createSearch();

    ToolbarLayout::Stored stored;
    for (QToolBar *toolbar : m_actions->toolbars())
        stored.append({toolbar, m_settings.readToolbar(toolbar->objectName())});
    ToolbarLayout::restore(*this, stored);
    // The button that shows what does not fit a toolbar is said by name too.
    for (QToolBar *toolbar : m_actions->toolbars()) {
        if (auto *more = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("Więcej przycisków"));
    }

    m_prefs = m_settings.readPreferences();
    m_dispatcher->setWindowLimit(m_prefs.windCount);
    m_settings.writeRunning(true);
}

TPulpit::~TPulpit()
{
    m_prefs.windCount = m_dispatcher->windowLimit();
    m_settings.writePreferencesAtExit(m_prefs);
    for (QToolBar *toolbar : m_actions->toolbars())
        m_settings.writeToolbar(toolbar->objectName(), ToolbarLayout::capture(*this, *toolbar));
    m_narration->player()->Stop();
    for (TfrmWzorBazowy *window : ChildWindows())
        window->SaveSettings(m_settings);
    m_settings.sync();
    // The child windows go while the main window is whole: they and the frame's signals
    // still reach it as they are destroyed. Nothing follows the area's signals meanwhile.
    disconnect(m_mdi, nullptr, nullptr, nullptr);
    delete m_mdi;
}

void TPulpit::createSearch()
{
    auto *search = new TSearchController(*this, m_settings, [] {
        return Directory() ? Directory()->container().fileName() : QString();
    });
    m_searchEngine = search->engine();
    m_searchBox = search->box();
    m_searchResults = search->pane();
    connect(search, &TSearchController::entryChosen, this, &TPulpit::openFound);
}

void TPulpit::openFound(const QString &typ, const QString &numer, const QString &found)
{
    OpenDocument(typ, numer);
    TfrmWzorBazowy *window = ActiveChild();
    if (window && window->Typ() == typ && window->Numer() == numer)
        window->ShowFound(found);
}

QToolBar *TPulpit::MenuToolbar() const
{
    return m_actions->menuToolbar();
}

QToolBar *TPulpit::IndexToolbar() const
{
    return m_actions->indexToolbar();
}

QAction *TPulpit::Action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void TPulpit::RunCommand(QObject *sender, void (TPulpit::*command)())
{
    m_actions->run(sender, command);
}

QList<TfrmWzorBazowy *> TPulpit::ChildWindows() const
{
    return m_children->windows();
}

TfrmWzorBazowy *TPulpit::ActiveChild() const
{
    return m_children->active();
}

void TPulpit::RequestTermination()
{
    m_terminationRequested = true;
    // Queued on this window, so a request dies with it if the window goes first.
    QMetaObject::invokeMethod(
        this, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

void TPulpit::btIndeksClick()
{
    if (!m_dispatcher->bringIndexToFront() && m_dispatcher->hasIndexClass()) {
        if (m_splash && m_splashStatus)
            m_splashStatus(QStringLiteral("Inicjalizacja indeksu..."));
        m_dispatcher->openIndex(m_settings);
        if (m_splash) {
            m_splash->close();
            m_splash->deleteLater();
            m_splash = nullptr;
        }
        if (m_prefs.cytatShow)
            showQuoteOfTheDay();
        PlayNarration(QStringLiteral("guide"), QStringLiteral("Wprowadz"));
        Q_EMIT IndexShown();
    }
    m_actions->enableOptions();
}

int TPulpit::runDialog(QDialog &dialog)
{
    return m_runDialog ? m_runDialog(dialog) : dialog.exec();
}

void TPulpit::showQuoteOfTheDay()
{
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    TfrmCytatDnia dialog(
        *directory, m_prefs.cytatShow, [this](int context) { m_help->showPopup(context); }, this);
    // The close box leaves the setting as it was, whatever the check box says.
    if (runDialog(dialog) == QDialog::Accepted)
        m_prefs.cytatShow = dialog.ShowAtStart();
    update();
}

void TPulpit::Oprogramie1Click()
{
    TfrmAbout2 dialog(QCoreApplication::applicationDirPath(), this);
    runDialog(dialog);
}

void TPulpit::WsteczClick()
{
    m_trail->back();
}

void TPulpit::DalejClick()
{
    m_trail->forward();
}

void TPulpit::btExitClick()
{
    close();
}

void TPulpit::btPrevWindClick()
{
    m_mdi->activatePreviousSubWindow();
}

void TPulpit::btNextWindClick()
{
    m_mdi->activateNextSubWindow();
}

void TPulpit::closeActiveChild()
{
    m_children->closeActive();
}

void TPulpit::btCascadeWindClick()
{
    m_children->cascade();
}

void TPulpit::btTileVertClick()
{
    m_children->tile(true);
}

void TPulpit::btTileHorizClick()
{
    m_children->tile(false);
}

void TPulpit::btHelpClick()
{
    m_help->showContents();
}

void TPulpit::WindowHelpClick()
{
    QWidget *focus = QApplication::focusWidget();
    const int context = ContextHelpMode::contextOf(focus && isAncestorOf(focus) ? focus : this);
    m_help->showTopic(context != 0 ? context : int(FrameContext));
}

void TPulpit::SzukajClick()
{
    m_searchBox->activate();
}

void TPulpit::ZnajdzClick()
{
    if (TfrmWzorBazowy *window = ActiveChild())
        window->FindInPage();
}

void TPulpit::ZnajdzNastepnyClick()
{
    if (TfrmWzorBazowy *window = ActiveChild())
        window->FindAgain(false);
}

void TPulpit::ZnajdzPoprzedniClick()
{
    if (TfrmWzorBazowy *window = ActiveChild())
        window->FindAgain(true);
}

void TPulpit::SzukajnowejwersjiwsieciWWW1Click()
{
    if (!WWCheck) {
        m_updateUi = std::make_unique<WidgetUpdateUi>(this);
        TWebFileInfo::Settings settings;
        settings.HomeURL = TWebFileInfo::DefaultHomeURL();
        settings.PublicKey = UpdateSigningKey();
        settings.ApplicationTitle = QStringLiteral("Verbarium");
        WWCheck = std::make_unique<TWebFileInfo>(*m_updateUi, settings);
    }
    WWCheck->SetCurrentVersion(GetFileVersionString());
    WWCheck->CheckForUpdate();
}

void TPulpit::closeEvent(QCloseEvent *event)
{
    m_narration->player()->Stop();
    QMainWindow::closeEvent(event);
}

void TPulpit::ToolbarButton971Click()
{
    TfrmWzorBazowy *active = ActiveChild();
    if (!active || active->LastSound().isEmpty())
        return;
    if (active->Typ() == CategoryTable::Biographies || active->Typ() == CategoryTable::Epochs)
        PlayNarration(QStringLiteral("Glosy"), active->LastSound());
    else if (active->Typ() == CategoryTable::Illustrations)
        PlayNarration(QStringLiteral("podpisy"), active->LastSound());
}

void TPulpit::btRefreshClick()
{
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btRefreshClick();
}

void TPulpit::btPreviewShowClick()
{
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btPreviewShowClick();
}

void TPulpit::btShowClick()
{
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btShowClick();
}

void TPulpit::btDrukujClick()
{
    const QPointer<TfrmWzorBazowy> active = ActiveChild();
    if (!active || !active->CanPrint())
        return;
    StopSound();
    m_printer->print(active, this);
}

void TPulpit::UstawieniaDrukarkiClick()
{
    m_printer->setup(this);
}

void TPulpit::btKopiujClick()
{
    if (TfrmWzorBazowy *active = ActiveChild())
        active->CopyToClipboard();
}

void TPulpit::btOpcjeClick()
{
    bool changed = false;
    {
        const TfrmProps::Values current{m_prefs.docFont,   m_prefs.docFontSize, m_prefs.indeksState,
                                        m_prefs.cytatShow, WindowLimit(),       m_prefs.autorun};
        TfrmProps dialog(
            current, [this](int context) { m_help->showPopup(context); }, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const TfrmProps::Values &chosen = dialog.Result();
        // Only the font and the layout are worth updating the open windows for. The names
        // compare with letter case: the font box may spell a stored name otherwise.
        changed = chosen.fontName != m_prefs.docFont || chosen.fontSize != m_prefs.docFontSize ||
                  chosen.indexLayout != m_prefs.indeksState;
        m_prefs.docFont = chosen.fontName;
        m_prefs.docFontSize = chosen.fontSize;
        m_prefs.indeksState = chosen.indexLayout;
        m_prefs.cytatShow = chosen.showQuote;
        SetWindowLimit(chosen.docCount);
        m_prefs.autorun = chosen.autorun;
    }
    if (changed)
        applyLookToChildren();
}

void TPulpit::SetDocumentFont(const QString &name, int points)
{
    m_prefs.docFont = name;
    m_prefs.docFontSize = points;
    applyLookToChildren();
}

void TPulpit::applyLookToChildren()
{
    for (TfrmWzorBazowy *window : ChildWindows())
        window->ApplyDocumentLook(m_prefs);
}

void TPulpit::btSoundStopClick()
{
    StopSound();
}

void TPulpit::updateIdleTick()
{
    bool banner = false;
    for (TfrmWzorBazowy *window : ChildWindows())
        banner = banner || window->HasBanner();
    if (banner && !m_idleTick->isActive())
        m_idleTick->start();
    else if (!banner)
        m_idleTick->stop();
}

void TPulpit::idleTick()
{
    for (TfrmWzorBazowy *window : ChildWindows()) {
        if (window->Typ() == CategoryTable::Works || window->Typ() == CategoryTable::Illustrations)
            window->BannerStep();
    }
}
