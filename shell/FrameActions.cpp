#include "FrameActions.h"

#include "AppIcons.h"
#include "ContextHelpMode.h"
#include "HistoryMenu.h"
#include "MouseNavigation.h"
#include "ReaderTrail.h"
#include "TPulpit.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

FrameActions::FrameActions(TPulpit &frame, ContextHelpMode &helpMode, ReaderTrail &trail)
    : QObject(&frame), m_frame(frame), m_helpMode(helpMode), m_trail(trail)
{
    createMenus();
    createKeys();
    createFrameMenu();
    createMenuToolbar();
    createIndexToolbar();
}

void FrameActions::run(QObject *sender, Command command)
{
    if (!m_helpMode.intercept(sender))
        (m_frame.*command)();
}

void FrameActions::enableOptions()
{
    m_btOpcje->setEnabled(true);
}

QAction *FrameActions::addCommand(const QString &name, const QString &text, const QString &hint,
                                  Command command)
{
    auto *action = new QAction(text, &m_frame);
    action->setObjectName(name);
    if (!hint.isEmpty())
        action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, [this, action, command] { run(action, command); });
    return action;
}

QAction *FrameActions::addMenuItem(QMenu *menu, const QString &name, const QString &text,
                                   const QString &hint, const QKeySequence &shortcut,
                                   Command command)
{
    QAction *action = addCommand(name, text, hint, command);
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

void FrameActions::createMenus()
{
    const auto menu = [this](const QString &title) {
        QMenu *m = m_frame.menuBar()->addMenu(title);
        m->setProperty(ContextHelpMode::ContextProperty, int(TPulpit::MenuContext));
        return m;
    };
    const QKeySequence none;

    QMenu *program = menu(QStringLiteral("&Program"));
    addMenuItem(program, QStringLiteral("miOpcje"), QStringLiteral("Opcje programu"), {}, none,
                &TPulpit::btOpcjeClick);
    program->addSeparator();
    addMenuItem(program, QStringLiteral("miDrukuj"), QStringLiteral("Drukuj"), {},
                QKeySequence(Qt::CTRL | Qt::Key_P), &TPulpit::btDrukujClick);
    // Printer setup, the help mode switch, the update check and the about box are not
    // commands the help mode stops.
    program
        ->addAction(QStringLiteral("Ustawienia drukarki"), &m_frame,
                    &TPulpit::UstawieniaDrukarkiClick)
        ->setObjectName(QStringLiteral("miUstawienia"));
    program->addSeparator();
    addMenuItem(program, QStringLiteral("miKoniec"), QStringLiteral("Koniec"),
                QStringLiteral("Zakończenie programu"), none, &TPulpit::btExitClick);

    QMenu *edit = menu(QStringLiteral("&Edycja"));
    addMenuItem(edit, QStringLiteral("miKopiuj"), QStringLiteral("&Kopiuj"),
                QStringLiteral("Kopiowanie dokumentu do schowka"),
                QKeySequence(Qt::CTRL | Qt::Key_C), &TPulpit::btKopiujClick);
    edit->addSeparator();
    addMenuItem(edit, QStringLiteral("miSzukajWEncyklopedii"),
                QStringLiteral("&Szukaj w encyklopedii"),
                QStringLiteral("Wyszukiwanie haseł w całej encyklopedii"),
                QKeySequence(Qt::CTRL | Qt::Key_K), &TPulpit::SzukajClick);
    // Each document's find bar has these keys in its window (and dialogs have them too): the
    // menu only shows them, its items answer no key of their own.
    const auto findItem = [this, edit](const QString &name, const QString &text,
                                       const QString &hint, const QKeySequence &keys,
                                       Command command) {
        addMenuItem(edit, name, text, hint, keys, command)->setShortcutContext(Qt::WidgetShortcut);
    };
    findItem(QStringLiteral("miZnajdz"), QStringLiteral("&Znajdź na stronie"),
             QStringLiteral("Wyszukiwanie w tekście dokumentu"), QKeySequence(Qt::CTRL | Qt::Key_F),
             &TPulpit::ZnajdzClick);
    findItem(QStringLiteral("miZnajdzNastepny"), QStringLiteral("Znajdź &następny"), {},
             QKeySequence(Qt::Key_F3), &TPulpit::ZnajdzNastepnyClick);
    findItem(QStringLiteral("miZnajdzPoprzedni"), QStringLiteral("Znajdź &poprzedni"), {},
             QKeySequence(Qt::SHIFT | Qt::Key_F3), &TPulpit::ZnajdzPoprzedniClick);

    QMenu *window = menu(QStringLiteral("&Okno"));
    addMenuItem(window, QStringLiteral("miIndeks"), QStringLiteral("Pokaż indeks"), {},
                QKeySequence(Qt::CTRL | Qt::Key_I), &TPulpit::btIndeksClick);
    window->addSeparator();
    addMenuItem(window, QStringLiteral("miPoprzednie"), QStringLiteral("Poprzednie"),
                QStringLiteral("Poprzednie okno"), QKeySequence(Qt::CTRL | Qt::Key_F5),
                &TPulpit::btPrevWindClick);
    addMenuItem(window, QStringLiteral("miNastepne"), QStringLiteral("Następne"),
                QStringLiteral("Następne okno"), QKeySequence(Qt::CTRL | Qt::Key_F6),
                &TPulpit::btNextWindClick);
    window->addSeparator();
    addMenuItem(window, QStringLiteral("miKaskada"), QStringLiteral("Kaskada"),
                QStringLiteral("Okna - kaskada"), QKeySequence(Qt::SHIFT | Qt::Key_F5),
                &TPulpit::btCascadeWindClick);
    addMenuItem(window, QStringLiteral("miPionowo"), QStringLiteral("Sąsiadująco w pionie"),
                QStringLiteral("Okna - sąsiadująco"), QKeySequence(Qt::SHIFT | Qt::Key_F4),
                &TPulpit::btTileVertClick);
    addMenuItem(window, QStringLiteral("miPoziomo"), QStringLiteral("Sąsiadująco w poziomie"), {},
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4), &TPulpit::btTileHorizClick);

    createHistoryMenu(menu(QStringLiteral("&Historia")));

    QMenu *help = menu(QStringLiteral("Po&moc"));
    addMenuItem(help, QStringLiteral("miPomocOkna"), QStringLiteral("Pomoc do &okna"),
                QStringLiteral("Temat pomocy aktywnego okna"), QKeySequence(Qt::Key_F1),
                &TPulpit::WindowHelpClick);
    addMenuItem(help, QStringLiteral("miSpisTresci"), QStringLiteral("&Spis treści"),
                QStringLiteral("Spis treści systemu pomocy"), QKeySequence(Qt::SHIFT | Qt::Key_F1),
                &TPulpit::btHelpClick);
    QAction *whatsThis =
        help->addAction(QStringLiteral("Co to jest?"), &m_frame, &TPulpit::CoToJestClick);
    whatsThis->setObjectName(QStringLiteral("miCoToJest"));
    m_helpMode.addMark(whatsThis);
    help->addSeparator();
    addMenuItem(help, QStringLiteral("miSzukaj"),
                QStringLiteral("S&zukaj nowej wersji w sieci WWW"), {}, none,
                &TPulpit::SzukajnowejwersjiwsieciWWW1Click);
    help->addSeparator();
    addMenuItem(help, QStringLiteral("miOProgramie"), QStringLiteral("&O programie"),
                QStringLiteral("Informacje o programie"), none, &TPulpit::Oprogramie1Click);
}

void FrameActions::createHistoryMenu(QMenu *menu)
{
    m_back = addMenuItem(menu, QStringLiteral("miWstecz"), QStringLiteral("Wstecz"),
                         QStringLiteral("Poprzedni oglądany dokument"),
                         QKeySequence(Qt::ALT | Qt::Key_Left), &TPulpit::WsteczClick);
    m_forward = addMenuItem(menu, QStringLiteral("miDalej"), QStringLiteral("Dalej"),
                            QStringLiteral("Następny oglądany dokument"),
                            QKeySequence(Qt::ALT | Qt::Key_Right), &TPulpit::DalejClick);
    new HistoryMenu(*menu, m_trail, m_helpMode);
    new MouseNavigation(m_frame, *m_back, *m_forward);
    connect(&m_trail, &ReaderTrail::pathChanged, this, &FrameActions::updateHistoryCommands);
    updateHistoryCommands();
}

void FrameActions::updateHistoryCommands()
{
    m_back->setEnabled(m_trail.canGoBack());
    m_forward->setEnabled(m_trail.canGoForward());
}

void FrameActions::createKeys()
{
    // The platform's keys beside the menu's own: Ctrl+F4 closes the active document window,
    // Ctrl+Tab and Ctrl+Shift+Tab go to the next and previous window.
    const auto key = [this](const QString &name, const QKeySequence &keys, Command command) {
        QAction *action = addCommand(name, QString(), QString(), command);
        action->setShortcut(keys);
        m_frame.addAction(action);
    };
    key(QStringLiteral("acZamknijOkno"), QKeySequence(Qt::CTRL | Qt::Key_F4),
        &TPulpit::closeActiveChild);
    key(QStringLiteral("acNastepneOkno"), QKeySequence(Qt::CTRL | Qt::Key_Tab),
        &TPulpit::btNextWindClick);
    key(QStringLiteral("acPoprzednieOkno"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        &TPulpit::btPrevWindClick);
}

void FrameActions::createFrameMenu()
{
    // The frame's own context menu only switches the help mode on.
    QMdiArea *area = m_frame.MdiArea();
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *frameMenu = new QMenu(&m_frame);
    frameMenu->setObjectName(QStringLiteral("puPulpit"));
    frameMenu->addAction(QStringLiteral("Co to jest?"), this, [this] { m_helpMode.setOn(true); });
    connect(area, &QWidget::customContextMenuRequested, this,
            [area, frameMenu](const QPoint &pos) { frameMenu->popup(area->mapToGlobal(pos)); });
}

QToolBar *FrameActions::addToolbar(const QString &title, const QString &name, int helpContext)
{
    auto *toolbar = new QToolBar(title, &m_frame);
    toolbar->setObjectName(name);
    toolbar->setProperty(ContextHelpMode::ContextProperty, helpContext);
    m_frame.addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}

QAction *FrameActions::addToolButton(QToolBar *toolbar, const QString &name, const QString &hint,
                                     const QString &picture, Command command)
{
    QAction *action = addCommand(name, hint, hint, command);
    action->setIcon(AppIcons::Command(picture));
    action->setToolTip(hint);
    // In help mode a toolbar command shows its toolbar's help.
    action->setProperty(ContextHelpMode::ContextProperty,
                        toolbar->property(ContextHelpMode::ContextProperty));
    toolbar->addAction(action);
    toolbar->widgetForAction(action)->setObjectName(name);
    return action;
}

void FrameActions::setButtonMenu(QToolBar *toolbar, QAction *button, QMenu *menu)
{
    auto *widget = qobject_cast<QToolButton *>(toolbar->widgetForAction(button));
    widget->setMenu(menu);
    widget->setPopupMode(QToolButton::MenuButtonPopup);
}

void FrameActions::createMenuToolbar()
{
    m_tbMenu =
        addToolbar(QStringLiteral("Menu"), QStringLiteral("tbMenu"), TPulpit::MenuToolbarContext);
    m_tbMenu->setToolButtonStyle(Qt::ToolButtonIconOnly);

    m_btOpcje = addToolButton(m_tbMenu, QStringLiteral("btOpcje"), QStringLiteral("Opcje programu"),
                              QStringLiteral("options"), &TPulpit::btOpcjeClick);
    m_btOpcje->setEnabled(false);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btKopiuj"), QStringLiteral("Kopiowanie do schowka"),
                  QStringLiteral("copy"), &TPulpit::btKopiujClick);
    QAction *print =
        addToolButton(m_tbMenu, QStringLiteral("btDrukuj"), QStringLiteral("Drukowanie dokumentu"),
                      QStringLiteral("print"), &TPulpit::btDrukujClick);
    auto *printMenu = new QMenu(&m_frame);
    QAction *printItem = printMenu->addAction(QStringLiteral("Drukowanie"));
    printItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    printItem->setShortcutContext(
        Qt::WidgetShortcut); // the menu bar's Ctrl+P is the one that fires
    connect(printItem, &QAction::triggered, this,
            [this, print] { run(print, &TPulpit::btDrukujClick); });
    printMenu->addSeparator();
    printMenu
        ->addAction(QStringLiteral("Ustawienia drukarki"), &m_frame,
                    &TPulpit::UstawieniaDrukarkiClick)
        ->setObjectName(QStringLiteral("puUstawienia"));
    setButtonMenu(m_tbMenu, print, printMenu);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("ToolbarButton971"),
                  QStringLiteral("Powtórne odtworzenie fragmentu dźwiękowego"),
                  QStringLiteral("replay"), &TPulpit::ToolbarButton971Click);
    addToolButton(m_tbMenu, QStringLiteral("btSoundStop"),
                  QStringLiteral("Zatrzymanie odtwarzania dźwięków"), QStringLiteral("stop"),
                  &TPulpit::btSoundStopClick);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btPrevWind"), QStringLiteral("Poprzednie okno"),
                  QStringLiteral("previous-window"), &TPulpit::btPrevWindClick);
    addToolButton(m_tbMenu, QStringLiteral("btNextWind"), QStringLiteral("Następne okno"),
                  QStringLiteral("next-window"), &TPulpit::btNextWindClick);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btCascadeWind"), QStringLiteral("Okna - Kaskada"),
                  QStringLiteral("cascade"), &TPulpit::btCascadeWindClick);
    addToolButton(m_tbMenu, QStringLiteral("btTileVert"),
                  QStringLiteral("Okna - Sąsiadująco w pionie"), QStringLiteral("tile-columns"),
                  &TPulpit::btTileVertClick);
    addToolButton(m_tbMenu, QStringLiteral("btTileHoriz"),
                  QStringLiteral("Okna - Sąsiadująco w poziomie"), QStringLiteral("tile-rows"),
                  &TPulpit::btTileHorizClick);
    m_tbMenu->addSeparator();
    QAction *help =
        addToolButton(m_tbMenu, QStringLiteral("btHelp"), QStringLiteral("System pomocy"),
                      QStringLiteral("help"), &TPulpit::btHelpClick);
    auto *helpMenu = new QMenu(&m_frame);
    QAction *contents = helpMenu->addAction(QStringLiteral("Spis treści"));
    contents->setStatusTip(QStringLiteral("Spis treści systemu pomocy"));
    connect(contents, &QAction::triggered, this,
            [this, contents] { run(contents, &TPulpit::btHelpClick); });
    m_helpMode.addMark(
        helpMenu->addAction(QStringLiteral("Co to jest?"), &m_frame, &TPulpit::CoToJestClick));
    helpMenu->addSeparator();
    QAction *aboutItem = helpMenu->addAction(QStringLiteral("O programie"));
    aboutItem->setStatusTip(QStringLiteral("Informacja o programie"));
    connect(aboutItem, &QAction::triggered, this,
            [this, aboutItem] { run(aboutItem, &TPulpit::Oprogramie1Click); });
    setButtonMenu(m_tbMenu, help, helpMenu);
    m_tbMenu->addSeparator();
    addToolButton(m_tbMenu, QStringLiteral("btExit"), QStringLiteral("Zakończenie programu"),
                  QStringLiteral("exit"), &TPulpit::btExitClick);
}

void FrameActions::createIndexToolbar()
{
    m_tbIndeks = addToolbar(QStringLiteral("Indeks"), QStringLiteral("tbIndeks"),
                            TPulpit::IndexToolbarContext);
    addToolButton(m_tbIndeks, QStringLiteral("btIndeks"), QStringLiteral("Wyświetlenie indeksu"),
                  QStringLiteral("index"), &TPulpit::btIndeksClick);
    m_tbIndeks->addSeparator();
    addToolButton(m_tbIndeks, QStringLiteral("btRefresh"),
                  QStringLiteral("Odświeżenie zestawienia"), QStringLiteral("refresh"),
                  &TPulpit::btRefreshClick);
    addToolButton(m_tbIndeks, QStringLiteral("btShow"),
                  QStringLiteral("Otwarcie zaznaczonego dokumentu"), QStringLiteral("open"),
                  &TPulpit::btShowClick);
    addToolButton(m_tbIndeks, QStringLiteral("btPreviewShow"),
                  QStringLiteral("Pokazanie - ukrycie okna szybkiego podglądu"),
                  QStringLiteral("preview-pane"), &TPulpit::btPreviewShowClick);
}
