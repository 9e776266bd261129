#include "TPulpit.h"

#include "AppIcons.h"
#include "AudioOutput.h"
#include "ChildWindowManager.h"
#include "FileVersionString.h"
#include "Globals.h"
#include "HelpSystem.h"
#include "LoadingGuard.h"
#include "MessageBoxes.h"
#include "Narration.h"
#include "PrintDialogs.h"
#include "TfrmAbout2.h"
#include "TfrmCytatDnia.h"
#include "TfrmProps.h"
#include "TfrmWzorBazowy.h"
#include "TM3Player.h"
#include "ToolbarLayout.h"
#include "TPSSDirectory.h"
#include "TQuizSuperList.h"
#include "TSearchController.h"
#include "TSimplePSS.h"
#include "TWebFileInfo.h"
#include "UpdateSigningKey.h"
#include "WidgetUpdateUi.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <exception>
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

namespace {

const char HelpContextProperty[] = "helpContext";
const QString IndexTyp = QStringLiteral("_19700");
const QString IndexNumer = QStringLiteral("197");
const QString QuizTyp = QStringLiteral("_19710");
const QString QuizNumer = QStringLiteral("0");

// Sets a flag for the length of a scope, and clears it however the scope is left.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }

private:
    bool &m_flag;
};

TfrmWzorBazowy *windowOf(QMdiSubWindow *sub)
{
    return sub ? qobject_cast<TfrmWzorBazowy *>(sub->widget()) : nullptr;
}

} // namespace

TPulpit::TPulpit(const Environment &environment)
    : m_settings(*environment.settings), m_help(environment.help),
      m_printDialogs(environment.printDialogs), m_splash(environment.splash), m_splashStatus(environment.splashStatus),
      m_runDialog(environment.runDialog), m_quizPool(std::make_unique<TQuizSuperList>())
{
    setObjectName(QStringLiteral("Pulpit"));
    m_narration = new Narration(environment.soundAvailable.value_or(AudioOutput::available()),
                                environment.mp3Library, this);
    setWindowTitle(QStringLiteral("Verbarium"));
    setMinimumSize(540, 360);
    setProperty(HelpContextProperty, int(FrameContext));
    if (!m_help) {
        m_ownHelp = std::make_unique<HelpFile>(
            this, QCoreApplication::applicationDirPath() + QStringLiteral("/VERB97.HLP"));
        m_help = m_ownHelp.get();
    }
    if (!m_printDialogs) {
        m_ownPrintDialogs = std::make_unique<PrintDialogs>();
        m_printDialogs = m_ownPrintDialogs.get();
    }

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = environment.screenDepth >= 0 ? environment.screenDepth
                                                   : (screen ? screen->depth() : 32);
    if (depth <= 8)
        MessageBoxes::show(nullptr, {QStringLiteral("Komputer pracuje w trybie 256 lub mniej kolorów!\n"
                                                    "Encyklopedia najlepiej pracuje w trybie 32 lub 65 "
                                                    "tysięcy kolorów.\n"
                                                    "Jakość obrazu może być niezadowalająca!\n"),
                                     QStringLiteral("Uwaga!"), QMessageBox::Warning, QMessageBox::Ok});

    if (m_splash && m_splashStatus) {
        m_splashStatus(QStringLiteral("Ładowanie danych z rejestru..."));
        m_splashStatus(QStringLiteral("Inicjalizacja zmiennych..."));
    }

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setProperty(HelpContextProperty, int(FrameContext));
    m_mdi->viewport()->installEventFilter(this);
    m_mdi->viewport()->setProperty(HelpContextProperty, int(FrameContext));
    setCentralWidget(m_mdi);
    m_children = new ChildWindowManager(m_mdi);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setProperty(HelpContextProperty, int(StatusBarContext));
    statusBar()->installEventFilter(this);

    // The banners of works and illustration windows move on a steady tick, which runs only
    // while such a window is open.
    m_idleTick = new QTimer(this);
    // 250 ticks a second: the banners move about 23 pixels a second (one every 11 ticks).
    m_idleTick->setInterval(4);
    connect(m_idleTick, &QTimer::timeout, this, &TPulpit::idleTick);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TPulpit::updateIdleTick);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (sub == m_activeChild)
            return;
        if (TfrmWzorBazowy *previous = windowOf(m_activeChild))
            previous->FormDeactivate();
        m_activeChild = sub;
    });

    createMenus();
    createToolbars();
    createSearch();

    m_opening = false;
    m_windowLimit = 12;
    ToolbarLayout::Stored stored;
    for (QToolBar *toolbar : toolbars())
        stored.append({toolbar, m_settings.readToolbar(toolbar->objectName())});
    ToolbarLayout::restore(*this, stored);
    // The button that shows what does not fit a toolbar is said by name too.
    for (QToolBar *toolbar : toolbars()) {
        if (auto *more = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("Więcej przycisków"));
    }

    m_prefs = m_settings.readPreferences();
    m_windowLimit = m_prefs.windCount;
    m_settings.writeRunning(true);
}

TPulpit::~TPulpit()
{
    m_prefs.windCount = m_windowLimit;
    m_settings.writePreferencesAtExit(m_prefs);
    for (QToolBar *toolbar : toolbars())
        m_settings.writeToolbar(toolbar->objectName(), ToolbarLayout::capture(*this, *toolbar));
    m_narration->player()->Stop();
    if (m_helpMode)
        QGuiApplication::restoreOverrideCursor();
    for (TfrmWzorBazowy *window : ChildWindows())
        window->SaveSettings(m_settings);
    m_settings.sync();
    // The child windows go while the main window is whole: they and the frame's signals
    // still reach it as they are destroyed.
    disconnect(m_mdi, nullptr, this, nullptr);
    delete m_mdi;
}

QList<QToolBar *> TPulpit::toolbars() const
{
    return {m_tbMenu, m_tbIndeks};
}

QAction *TPulpit::addCommand(const QString &name, const QString &text, const QString &hint,
                             void (TPulpit::*command)(QObject *))
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    if (!hint.isEmpty())
        action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, [this, action, command] { (this->*command)(action); });
    return action;
}

QAction *TPulpit::addToolButton(QToolBar *toolbar, const QString &name, const QString &hint,
                                const QString &picture, void (TPulpit::*command)(QObject *))
{
    QAction *action = addCommand(name, hint, hint, command);
    action->setIcon(AppIcons::Command(picture));
    action->setToolTip(hint);
    toolbar->addAction(action);
    toolbar->widgetForAction(action)->setObjectName(name);
    m_toolbarOf.insert(action, toolbar);
    return action;
}

void TPulpit::createMenus()
{
    const auto menu = [this](const QString &title) {
        QMenu *m = menuBar()->addMenu(title);
        m->setProperty(HelpContextProperty, int(MenuContext));
        return m;
    };
    const auto item = [this](QMenu *m, const QString &name, const QString &text, const QString &hint,
                             const QKeySequence &shortcut, void (TPulpit::*command)(QObject *)) {
        QAction *a = addCommand(name, text, hint, command);
        a->setShortcut(shortcut);
        m->addAction(a);
        return a;
    };
    const QKeySequence none;

    QMenu *program = menu(QStringLiteral("&Program"));
    item(program, QStringLiteral("miOpcje"), QStringLiteral("Opcje programu"), {}, none, &TPulpit::btOpcjeClick);
    program->addSeparator();
    item(program, QStringLiteral("miDrukuj"), QStringLiteral("Drukuj"), {}, QKeySequence(Qt::CTRL | Qt::Key_P),
         &TPulpit::btDrukujClick);
    // Printer setup, the update check and the about box run even in help mode.
    QAction *setup = program->addAction(QStringLiteral("Ustawienia drukarki"), this, &TPulpit::UstawieniaDrukarkiClick);
    setup->setObjectName(QStringLiteral("miUstawienia"));
    program->addSeparator();
    item(program, QStringLiteral("miKoniec"), QStringLiteral("Koniec"), QStringLiteral("Zakończenie programu"),
         none, &TPulpit::btExitClick);

    QMenu *edit = menu(QStringLiteral("&Edycja"));
    item(edit, QStringLiteral("miKopiuj"), QStringLiteral("&Kopiuj"),
         QStringLiteral("Kopiowanie dokumentu do schowka"), QKeySequence(Qt::CTRL | Qt::Key_C),
         &TPulpit::btKopiujClick);

    QMenu *window = menu(QStringLiteral("&Okno"));
    item(window, QStringLiteral("miIndeks"), QStringLiteral("Pokaż indeks"), {}, QKeySequence(Qt::CTRL | Qt::Key_I),
         &TPulpit::btIndeksClick);
    window->addSeparator();
    item(window, QStringLiteral("miPoprzednie"), QStringLiteral("Poprzednie"), QStringLiteral("Poprzednie okno"),
         QKeySequence(Qt::CTRL | Qt::Key_F5), &TPulpit::btPrevWindClick);
    item(window, QStringLiteral("miNastepne"), QStringLiteral("Następne"), QStringLiteral("Następne okno"),
         QKeySequence(Qt::CTRL | Qt::Key_F6), &TPulpit::btNextWindClick);
    window->addSeparator();
    item(window, QStringLiteral("miKaskada"), QStringLiteral("Kaskada"), QStringLiteral("Okna - kaskada"),
         QKeySequence(Qt::SHIFT | Qt::Key_F5), &TPulpit::btCascadeWindClick);
    item(window, QStringLiteral("miPionowo"), QStringLiteral("Sąsiadująco w pionie"),
         QStringLiteral("Okna - sąsiadująco"), QKeySequence(Qt::SHIFT | Qt::Key_F4), &TPulpit::btTileVertClick);
    item(window, QStringLiteral("miPoziomo"), QStringLiteral("Sąsiadująco w poziomie"), {},
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4), &TPulpit::btTileHorizClick);

    // The platform's keys beside the menu's own: Ctrl+F4 closes the active document window,
    // Ctrl+Tab and Ctrl+Shift+Tab go to the next and previous window.
    const auto key = [this](const QString &name, const QKeySequence &keys, void (TPulpit::*command)(QObject *)) {
        QAction *a = addCommand(name, QString(), QString(), command);
        a->setShortcut(keys);
        addAction(a);
    };
    key(QStringLiteral("acZamknijOkno"), QKeySequence(Qt::CTRL | Qt::Key_F4), &TPulpit::closeActiveChild);
    key(QStringLiteral("acNastepneOkno"), QKeySequence(Qt::CTRL | Qt::Key_Tab), &TPulpit::btNextWindClick);
    key(QStringLiteral("acPoprzednieOkno"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        &TPulpit::btPrevWindClick);

    QMenu *help = menu(QStringLiteral("Po&moc"));
    item(help, QStringLiteral("miSpisTresci"), QStringLiteral("&Spis treści"),
         QStringLiteral("Spis treści systemu pomocy"), QKeySequence(Qt::SHIFT | Qt::Key_F1), &TPulpit::btHelpClick);
    QAction *whatsThis = help->addAction(QStringLiteral("Co to jest?"));
    whatsThis->setObjectName(QStringLiteral("miCoToJest"));
    whatsThis->setCheckable(true);
    connect(whatsThis, &QAction::triggered, this, &TPulpit::CoToJestClick);
    m_helpModeItems.append(whatsThis);
    help->addSeparator();
    item(help, QStringLiteral("miSzukaj"), QStringLiteral("S&zukaj nowej wersji w sieci WWW"), {}, none,
         &TPulpit::SzukajnowejwersjiwsieciWWW1Click);
    help->addSeparator();
    QAction *about = addCommand(QStringLiteral("miOProgramie"), QStringLiteral("&O programie"),
                                QStringLiteral("Informacje o programie"), &TPulpit::Oprogramie1Click);
    help->addAction(about);

    // The frame's own context menu only switches the mode on.
    m_mdi->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *frameMenu = new QMenu(this);
    frameMenu->setObjectName(QStringLiteral("puPulpit"));
    frameMenu->addAction(QStringLiteral("Co to jest?"), this, [this] { SetHelpMode(true); });
    connect(m_mdi, &QWidget::customContextMenuRequested, this,
            [this, frameMenu](const QPoint &pos) { frameMenu->popup(m_mdi->mapToGlobal(pos)); });
}

void TPulpit::createToolbars()
{
    m_tbMenu = new QToolBar(QStringLiteral("Menu"), this);
    m_tbMenu->setObjectName(QStringLiteral("tbMenu"));
    m_tbMenu->setProperty(HelpContextProperty, int(MenuToolbarContext));
    m_tbMenu->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_tbMenu);

    m_btOpcje = addToolButton(m_tbMenu, QStringLiteral("btOpcje"), QStringLiteral("Opcje programu"),
                              QStringLiteral("options"), &TPulpit::btOpcjeClick);
    m_btOpcje->setEnabled(false);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btKopiuj"), QStringLiteral("Kopiowanie do schowka"),
                  QStringLiteral("copy"), &TPulpit::btKopiujClick);
    QAction *print = addToolButton(m_tbMenu, QStringLiteral("btDrukuj"), QStringLiteral("Drukowanie dokumentu"),
                                   QStringLiteral("print"), &TPulpit::btDrukujClick);
    auto *printMenu = new QMenu(this);
    QAction *printItem = printMenu->addAction(QStringLiteral("Drukowanie"));
    printItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    printItem->setShortcutContext(Qt::WidgetShortcut); // the menu bar's Ctrl+P is the one that fires
    connect(printItem, &QAction::triggered, this, [this, print] { btDrukujClick(print); });
    printMenu->addSeparator();
    printMenu->addAction(QStringLiteral("Ustawienia drukarki"), this, &TPulpit::UstawieniaDrukarkiClick)
        ->setObjectName(QStringLiteral("puUstawienia"));
    auto *printButton = qobject_cast<QToolButton *>(m_tbMenu->widgetForAction(print));
    printButton->setMenu(printMenu);
    printButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("ToolbarButton971"),
                  QStringLiteral("Powtórne odtworzenie fragmentu dźwiękowego"), QStringLiteral("replay"),
                  &TPulpit::ToolbarButton971Click);
    addToolButton(m_tbMenu, QStringLiteral("btSoundStop"), QStringLiteral("Zatrzymanie odtwarzania dźwięków"),
                  QStringLiteral("stop"), &TPulpit::btSoundStopClick);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btPrevWind"), QStringLiteral("Poprzednie okno"),
                  QStringLiteral("previous-window"), &TPulpit::btPrevWindClick);
    addToolButton(m_tbMenu, QStringLiteral("btNextWind"), QStringLiteral("Następne okno"),
                  QStringLiteral("next-window"), &TPulpit::btNextWindClick);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btCascadeWind"), QStringLiteral("Okna - Kaskada"),
                  QStringLiteral("cascade"), &TPulpit::btCascadeWindClick);
    addToolButton(m_tbMenu, QStringLiteral("btTileVert"), QStringLiteral("Okna - Sąsiadująco w pionie"),
                  QStringLiteral("tile-columns"), &TPulpit::btTileVertClick);
    addToolButton(m_tbMenu, QStringLiteral("btTileHoriz"), QStringLiteral("Okna - Sąsiadująco w poziomie"),
                  QStringLiteral("tile-rows"), &TPulpit::btTileHorizClick);
    m_tbMenu->addSeparator();
    QAction *help = addToolButton(m_tbMenu, QStringLiteral("btHelp"), QStringLiteral("System pomocy"),
                                  QStringLiteral("help"), &TPulpit::btHelpClick);
    auto *helpMenu = new QMenu(this);
    QAction *contents = helpMenu->addAction(QStringLiteral("Spis treści"));
    contents->setStatusTip(QStringLiteral("Spis treści systemu pomocy"));
    connect(contents, &QAction::triggered, this, [this, contents] { btHelpClick(contents); });
    QAction *whatsThis = helpMenu->addAction(QStringLiteral("Co to jest?"));
    whatsThis->setCheckable(true);
    connect(whatsThis, &QAction::triggered, this, &TPulpit::CoToJestClick);
    m_helpModeItems.append(whatsThis);
    helpMenu->addSeparator();
    QAction *aboutItem = helpMenu->addAction(QStringLiteral("O programie"));
    aboutItem->setStatusTip(QStringLiteral("Informacja o programie"));
    connect(aboutItem, &QAction::triggered, this, [this, aboutItem] { Oprogramie1Click(aboutItem); });
    auto *helpButton = qobject_cast<QToolButton *>(m_tbMenu->widgetForAction(help));
    helpButton->setMenu(helpMenu);
    helpButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btExit"), QStringLiteral("Zakończenie programu"),
                  QStringLiteral("exit"), &TPulpit::btExitClick);

    m_tbIndeks = new QToolBar(QStringLiteral("Indeks"), this);
    m_tbIndeks->setObjectName(QStringLiteral("tbIndeks"));
    m_tbIndeks->setProperty(HelpContextProperty, int(IndexToolbarContext));
    addToolBar(Qt::TopToolBarArea, m_tbIndeks);
    addToolButton(m_tbIndeks, QStringLiteral("btIndeks"), QStringLiteral("Wyświetlenie indeksu"),
                  QStringLiteral("index"), &TPulpit::btIndeksClick);
    m_tbIndeks->addSeparator();
    addToolButton(m_tbIndeks, QStringLiteral("btRefresh"), QStringLiteral("Odświeżenie zestawienia"),
                  QStringLiteral("refresh"), &TPulpit::btRefreshClick);
    addToolButton(m_tbIndeks, QStringLiteral("btShow"), QStringLiteral("Otwarcie zaznaczonego dokumentu"),
                  QStringLiteral("open"), &TPulpit::btShowClick);
    addToolButton(m_tbIndeks, QStringLiteral("btPreviewShow"),
                  QStringLiteral("Pokazanie - ukrycie okna szybkiego podglądu"), QStringLiteral("preview-pane"),
                  &TPulpit::btPreviewShowClick);
}

void TPulpit::createSearch()
{
    auto *search = new TSearchController(
        *this, m_settings, [] { return Directory() ? Directory()->container().fileName() : QString(); });
    m_searchEngine = search->engine();
    m_searchBox = search->box();
    m_searchResults = search->pane();
    connect(search, &TSearchController::entryChosen, this, &TPulpit::OpenDocument);
}

QAction *TPulpit::Action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void TPulpit::SetHelpMode(bool on)
{
    if (on == m_helpMode)
        return;
    m_helpMode = on;
    for (QAction *item : std::as_const(m_helpModeItems))
        item->setChecked(on);
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TPulpit::CoToJestClick()
{
    SetHelpMode(!m_helpMode);
}

bool TPulpit::HelpTest(QObject *sender)
{
    if (!m_helpMode)
        return false;
    ShowContextHelp(sender);
    return true;
}

void TPulpit::ShowContextHelp(QObject *sender)
{
    SetHelpMode(false);
    int context = 0;
    if (auto *action = qobject_cast<QAction *>(sender); action && m_toolbarOf.contains(action)) {
        context = m_toolbarOf.value(action)->property(HelpContextProperty).toInt();
    } else if (auto *button = qobject_cast<QToolButton *>(sender);
               button && qobject_cast<QToolBar *>(button->parentWidget())) {
        context = button->parentWidget()->property(HelpContextProperty).toInt();
    } else if (auto *widget = qobject_cast<QWidget *>(sender)) {
        // A control without a context of its own takes its parent's.
        for (QWidget *w = widget; w && context == 0; w = w->parentWidget())
            context = w->property(HelpContextProperty).toInt();
    }
    if (context != 0)
        m_help->showPopup(context);
}

bool TPulpit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_helpMode &&
        (watched == m_mdi->viewport() || watched == statusBar())) {
        ShowContextHelp(watched);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TPulpit::RegisterDocumentClass(const QString &typ, DocumentFactory factory)
{
    m_documentClasses.insert(typ, std::move(factory));
}

void TPulpit::RegisterIndexClass(DocumentFactory factory)
{
    m_indexClass = std::move(factory);
}

void TPulpit::RegisterQuizClass(QuizFactory factory)
{
    m_quizClass = std::move(factory);
}

QList<TfrmWzorBazowy *> TPulpit::ChildWindows() const
{
    QList<TfrmWzorBazowy *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        // A closed window lingers until its deletion runs; it no longer counts.
        if (TfrmWzorBazowy *w = windowOf(sub); w && !sub->isHidden())
            windows.append(w);
    }
    return windows;
}

TfrmWzorBazowy *TPulpit::ActiveChild() const
{
    return windowOf(m_mdi->activeSubWindow());
}

QMdiSubWindow *TPulpit::addChild(TfrmWzorBazowy *window)
{
    QMdiSubWindow *sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Not a Tab stop itself: Tab entering it would hand the focus back to its last control,
    // so Tab could not get out of the last one. Tab goes round inside the child.
    sub->setFocusPolicy(Qt::NoFocus);
    m_children->track(sub);
    connect(sub, &QObject::destroyed, this, &TPulpit::updateIdleTick, Qt::QueuedConnection);
    return sub;
}

bool TPulpit::BringToFrontIfOpen(const QString &typ, const QString &numer)
{
    bool found = false;
    for (TfrmWzorBazowy *window : ChildWindows()) {
        if (window->Typ() == typ && window->Numer() == numer) {
            auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
            m_children->activate(sub);
            sub->raise();
            found = true;
        }
    }
    return found;
}

void TPulpit::ForgetWindow(const QString &typ, const QString &numer)
{
    m_openWindows.DeletePair(typ, numer);
}

void TPulpit::OpenDocument(const QString &typ, const QString &numer)
{
    // A request arriving while another entry is opened (pending messages run during long
    // loads) is dropped, not queued.
    if (m_opening)
        return;
    FlagGuard opening(m_opening);
    // Opening never fails its callers (the Index, links, related menus, thumbnails): an error
    // is shown here, once the window being opened has its state back.
    try {
        if (BringToFrontIfOpen(typ, numer))
            return;
        TFormRecord oldest;
        if (m_openWindows.Count() >= m_windowLimit && m_openWindows.GetAt(0, oldest)) {
            for (TfrmWzorBazowy *window : ChildWindows()) {
                if (window->Typ() == oldest.Typ && window->Numer() == oldest.Numer)
                    window->parentWidget()->close();
            }
        }
        const auto factory = m_documentClasses.constFind(typ);
        if (factory == m_documentClasses.constEnd()) {
            MessageBoxes::show(nullptr, {QStringLiteral("To okno nie zaimplementowane"),
                                         QStringLiteral("???????"), QMessageBox::NoIcon, QMessageBox::Ok});
            return;
        }
        TfrmWzorBazowy *window = (*factory)();
        window->SetTyp(typ);
        window->SetNumer(numer);
        const QPointer<QMdiSubWindow> previous = m_mdi->activeSubWindow();
        QMdiSubWindow *sub = addChild(window);
        m_children->showNew(sub);
        // A window whose entry cannot be read is not left behind empty, and the one that was
        // active before comes back (the focus would otherwise fall to the first child).
        auto discard = qScopeGuard([this, sub, previous] {
            sub->close();
            m_children->activate(previous);
        });
        window->LoadDocument(typ, numer);
        discard.dismiss();
        m_openWindows.Add(0, typ, numer);
        updateIdleTick();
    } catch (const std::exception &e) {
        MessageBoxes::showError(nullptr, QString::fromUtf8(e.what()));
    }
}

void TPulpit::OpenQuiz(int questions, int seconds)
{
    if (!BringToFrontIfOpen(QuizTyp, QuizNumer)) {
        if (!m_quizClass) {
            MessageBoxes::show(nullptr, {QStringLiteral("To okno nie zaimplementowane"),
                                         QStringLiteral("???????"), QMessageBox::NoIcon, QMessageBox::Ok});
            return;
        }
        TfrmWzorBazowy *quiz = m_quizClass(questions, seconds);
        quiz->SetTyp(QuizTyp);
        quiz->SetNumer(QuizNumer);
        QMdiSubWindow *sub = addChild(quiz);
        m_children->showNew(sub);
    }
    m_openWindows.Add(0, QuizTyp, QuizNumer);
}

void TPulpit::LoadQuizPool()
{
    // The pool is never touched while a quiz runs.
    if (BringToFrontIfOpen(QuizTyp, QuizNumer))
        return;
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    const LoadingGuard loading(QString(), LoadingGuard::Hourglass | LoadingGuard::DisableMain);
    m_quizPool->Load(*directory);
}

void TPulpit::RequestTermination()
{
    m_terminationRequested = true;
    // Queued on this window, so a request dies with it if the window goes first.
    QMetaObject::invokeMethod(this, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

void TPulpit::btIndeksClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    if (!BringToFrontIfOpen(IndexTyp, IndexNumer) && m_indexClass) {
        if (m_splash && m_splashStatus)
            m_splashStatus(QStringLiteral("Inicjalizacja indeksu..."));
        TfrmWzorBazowy *index = m_indexClass();
        index->SetTyp(IndexTyp);
        index->SetNumer(IndexNumer);
        index->LoadSettings(m_settings);
        QMdiSubWindow *sub = addChild(index);
        // No minimise or close button: the Index stays open for the whole run.
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowMaximizeButtonHint);
        sub->showMaximized();
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
    m_btOpcje->setEnabled(true);
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
    TfrmCytatDnia dialog(*directory, m_prefs.cytatShow, this);
    // The close box leaves the setting as it was, whatever the check box says.
    if (runDialog(dialog) == QDialog::Accepted)
        m_prefs.cytatShow = dialog.ShowAtStart();
    update();
}

void TPulpit::Oprogramie1Click(QObject *sender)
{
    if (HelpTest(sender))
        return;
    TfrmAbout2 dialog(QCoreApplication::applicationDirPath(), this);
    runDialog(dialog);
}

void TPulpit::btExitClick(QObject *sender)
{
    if (!HelpTest(sender))
        close();
}

void TPulpit::btPrevWindClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_mdi->activatePreviousSubWindow();
}

void TPulpit::btNextWindClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_mdi->activateNextSubWindow();
}

void TPulpit::closeActiveChild(QObject *sender)
{
    if (!HelpTest(sender))
        m_children->closeActive();
}

void TPulpit::btCascadeWindClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_children->cascade();
}

void TPulpit::btTileVertClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_children->tile(true);
}

void TPulpit::btTileHorizClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_children->tile(false);
}

void TPulpit::btHelpClick(QObject *sender)
{
    if (!HelpTest(sender))
        m_help->showContents();
}

void TPulpit::SzukajnowejwersjiwsieciWWW1Click(QObject *sender)
{
    if (HelpTest(sender))
        return;
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

bool TPulpit::SoundAvailable() const
{
    return m_narration->available();
}

TM3Player *TPulpit::M3Play() const
{
    return m_narration->player();
}

void TPulpit::PlayNarration(const QString &folder, const QString &name)
{
    m_narration->play(folder, name);
}

void TPulpit::StopSound()
{
    m_narration->stop();
}

void TPulpit::ToolbarButton971Click(QObject *sender)
{
    if (HelpTest(sender))
        return;
    TfrmWzorBazowy *active = ActiveChild();
    if (!active || active->LastSound().isEmpty())
        return;
    if (active->Typ() == u"_19702" || active->Typ() == u"_19703")
        PlayNarration(QStringLiteral("Glosy"), active->LastSound());
    else if (active->Typ() == u"_19711")
        PlayNarration(QStringLiteral("podpisy"), active->LastSound());
}

void TPulpit::btRefreshClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btRefreshClick();
}

void TPulpit::btPreviewShowClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btPreviewShowClick();
}

void TPulpit::btShowClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    if (TfrmWzorBazowy *active = ActiveChild())
        active->btShowClick();
}

QPrinter &TPulpit::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TPulpit::btDrukujClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    const QPointer<TfrmWzorBazowy> active = ActiveChild();
    if (!active || !active->CanPrint())
        return;
    StopSound();
    if (!m_printDialogs->ExecPrint(printer(), this) || !active)
        return;
    active->Print(printer());
}

void TPulpit::UstawieniaDrukarkiClick()
{
    m_printDialogs->ExecSetup(printer(), this);
}

void TPulpit::btKopiujClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    if (TfrmWzorBazowy *active = ActiveChild())
        active->CopyToClipboard();
}

void TPulpit::btOpcjeClick(QObject *sender)
{
    if (HelpTest(sender))
        return;
    bool changed = false;
    {
        const TfrmProps::Values current{m_prefs.docFont, m_prefs.docFontSize, m_prefs.indeksState,
                                        m_prefs.cytatShow, m_windowLimit, m_prefs.autorun};
        TfrmProps dialog(current, [this](int context) { m_help->showPopup(context); }, this);
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
        m_windowLimit = chosen.docCount;
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

void TPulpit::btSoundStopClick(QObject *sender)
{
    if (!HelpTest(sender))
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
        if (window->Typ() == u"_19701" || window->Typ() == u"_19711")
            window->BannerStep();
    }
}
