#pragma once

#include "ContextHelpMode.h"
#include "DocumentDispatcher.h"
#include "Narration.h"
#include "QuizPoolLoader.h"
#include "SettingsStore.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class ChildWindowManager;
class FrameActions;
class FramePrinter;
class HelpSystem;
class PrintDialogs;
class QAction;
class QDialog;
class QMdiArea;
class QTimer;
class QToolBar;
class ReaderStore;
class ReaderTrail;
class TM3Player;
class TQuizSuperList;
class TWebFileInfo;
class WidgetUpdateUi;
class TSearchBox;
class TSearchEngine;
class TSearchResultsPane;
class TfrmWzorBazowy;

// The main window: the frame of every Index, document and quiz window, with its menus and two
// toolbars (FrameActions), the context-help mode all windows share (ContextHelpMode), the
// preferences held during the run, and the dispatcher that opens each entry in its
// category's window (DocumentDispatcher). It carries out the commands of its menus.
class TPulpit : public QMainWindow
{
    Q_OBJECT

public:
    struct Environment
    {
        SettingsStore *settings = nullptr; // not owned
        HelpSystem *help = nullptr;        // not owned; the help file beside the program if null
        // Not owned; the platform's print and printer-setup dialogs if null.
        PrintDialogs *printDialogs = nullptr;
        // The start-up window, not owned: closed and destroyed by the first Index command;
        // splashStatus shows a line of what the frame is doing in it.
        QWidget *splash = nullptr;
        std::function<void(const QString &)> splashStatus;
        int screenDepth = -1; // bits per pixel; the primary screen's when -1
        // Whether sound can be played; probed from the audio outputs when not given.
        std::optional<bool> soundAvailable;
        QString mp3Library; // the MP3 library's path; the program folder's "mp3" when empty
        // Runs a modal dialog of the frame (the quote of the day, the about box) and returns
        // its result; the dialog's own exec() when empty.
        std::function<int(QDialog &)> runDialog;
        // The reader's history, not owned; the one at ReaderStore::defaultPath() if null.
        ReaderStore *readerStore = nullptr;
    };

    // Help context numbers of the frame's parts.
    enum HelpContext {
        FrameContext = 4001,
        MenuContext = 4002,
        MenuToolbarContext = 4004,
        IndexToolbarContext = 4005,
        StatusBarContext = 4007,
    };

    explicit TPulpit(const Environment &environment);
    // Writes the preferences and the toolbar layout.
    ~TPulpit() override;

    Preferences &Prefs() { return m_prefs; }
    // A new document font: every open document window renders again with it.
    void SetDocumentFont(const QString &name, int points);
    int WindowLimit() const { return m_dispatcher->windowLimit(); }
    void SetWindowLimit(int limit) { m_dispatcher->setWindowLimit(limit); }

    // Context-help mode ("Co to jest?").
    bool HelpMode() const { return m_helpMode->isOn(); }
    void SetHelpMode(bool on) { m_helpMode->setOn(on); }
    void ShowContextHelp(QObject *sender) { m_helpMode->showHelp(sender); }
    // The test every command of a window begins with: in help mode, shows the sender's help
    // and tells the command to do nothing else.
    bool HelpTest(QObject *sender) { return m_helpMode->intercept(sender); }

    // Narration: plays "_197SND\folder\name", stopping what plays first.
    bool SoundAvailable() const { return m_narration->available(); }
    void PlayNarration(const QString &folder, const QString &name)
    {
        m_narration->play(folder, name);
    }
    void StopSound() { m_narration->stop(); }
    TM3Player *M3Play() const { return m_narration->player(); }

    // The dispatcher.
    using DocumentFactory = DocumentDispatcher::DocumentFactory;
    using QuizFactory = DocumentDispatcher::QuizFactory;
    void RegisterDocumentClass(const QString &typ, DocumentFactory factory)
    {
        m_dispatcher->registerDocumentClass(typ, std::move(factory));
    }
    // The Index window, made by the first Index command.
    void RegisterIndexClass(DocumentFactory factory)
    {
        m_dispatcher->registerIndexClass(std::move(factory));
    }
    void RegisterQuizClass(QuizFactory factory)
    {
        m_dispatcher->registerQuizClass(std::move(factory));
    }
    bool HasDocumentClass(const QString &typ) const { return m_dispatcher->hasDocumentClass(typ); }
    void OpenDocument(const QString &typ, const QString &numer)
    {
        m_dispatcher->openDocument(typ, numer);
    }
    bool BringToFrontIfOpen(const QString &typ, const QString &numer)
    {
        return m_dispatcher->bringToFrontIfOpen(typ, numer);
    }
    void ForgetWindow(const QString &typ, const QString &numer)
    {
        m_dispatcher->forget(typ, numer);
    }
    void OpenQuiz(int questions, int seconds) { m_dispatcher->openQuiz(questions, seconds); }
    // The question pool, shared by the Index's quiz page and the quiz window.
    TQuizSuperList &QuizPool() const { return m_quizPool->pool(); }
    // The quiz page is shown: an open quiz only comes to the front; otherwise the pool is
    // read the first time and made wholly available again later.
    void LoadQuizPool() { m_quizPool->load(); }
    bool Opening() const { return m_dispatcher->opening(); }
    void SetOpening(bool opening) { m_dispatcher->setOpening(opening); }
    const TFormList &OpenWindows() const { return m_dispatcher->openWindows(); }
    // Ends the program once control is back in the event loop; what runs now still runs.
    void RequestTermination();
    bool TerminationRequested() const { return m_terminationRequested; }

    // The child windows that are open, in the frame's order.
    QList<TfrmWzorBazowy *> ChildWindows() const;
    TfrmWzorBazowy *ActiveChild() const;
    QMdiArea *MdiArea() const { return m_mdi; }
    QToolBar *MenuToolbar() const;
    QToolBar *IndexToolbar() const;
    QAction *Action(const QString &objectName) const;
    // Search across the encyclopedia: the toolbar's field (Ctrl+K) and the results pane.
    TSearchBox *SearchBox() const { return m_searchBox; }
    TSearchResultsPane *SearchResults() const { return m_searchResults; }
    TSearchEngine *SearchEngine() const { return m_searchEngine; }

    // Commands of the menus, keys and toolbars. Their actions run them through
    // FrameActions, which leaves them to the help mode when it is on; a window that offers
    // one of them itself runs it with RunCommand.
    void RunCommand(QObject *sender, void (TPulpit::*command)());
    void btIndeksClick();
    void btExitClick();
    void btPrevWindClick();
    void btNextWindClick();
    void closeActiveChild();
    void btCascadeWindClick();
    void btTileVertClick();
    void btTileHorizClick();
    void btHelpClick();
    // F1: the help topic of the window or pane that has the focus.
    void WindowHelpClick();
    // The search field, and find in page in the active child window.
    void SzukajClick();
    void ZnajdzClick();
    void ZnajdzNastepnyClick();
    void ZnajdzPoprzedniClick();
    void ToolbarButton971Click();
    // Print, printer setup and copy act on the active child window, whichever window or
    // control ran them.
    void btDrukujClick();
    void UstawieniaDrukarkiClick();
    void btRefreshClick();
    void btShowClick();
    void btPreviewShowClick();
    void btKopiujClick();
    void btSoundStopClick();
    // The options dialog; the open windows follow a new document font or Index layout.
    void btOpcjeClick();
    void CoToJestClick() { m_helpMode->toggle(); }
    // Back and forward along the entries the reader has seen.
    void WsteczClick();
    void DalejClick();
    void SzukajnowejwersjiwsieciWWW1Click();
    void Oprogramie1Click();

Q_SIGNALS:
    // The Index window has been created and shown.
    void IndexShown();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int runDialog(QDialog &dialog);
    void showQuoteOfTheDay();
    void createSearch();
    void openFound(const QString &typ, const QString &numer, const QString &found);
    void updateIdleTick();
    void idleTick();
    void applyLookToChildren();

    SettingsStore &m_settings;
    HelpSystem *m_help;
    std::unique_ptr<HelpSystem> m_ownHelp;
    std::unique_ptr<FramePrinter> m_printer;
    QPointer<QWidget> m_splash;
    std::function<void(const QString &)> m_splashStatus;
    std::function<int(QDialog &)> m_runDialog;

    Preferences m_prefs;
    bool m_terminationRequested = false;

    QMdiArea *m_mdi = nullptr;
    ChildWindowManager *m_children = nullptr;
    DocumentDispatcher *m_dispatcher = nullptr;
    std::unique_ptr<QuizPoolLoader> m_quizPool;
    ContextHelpMode *m_helpMode = nullptr;
    std::unique_ptr<ReaderStore> m_ownReaderStore;
    ReaderTrail *m_trail = nullptr;
    FrameActions *m_actions = nullptr;
    QTimer *m_idleTick = nullptr;

    Narration *m_narration = nullptr;
    // The update check: its windows, and the checker that keeps what it fetched for the run.
    std::unique_ptr<WidgetUpdateUi> m_updateUi;
    std::unique_ptr<TWebFileInfo> WWCheck;

    TSearchEngine *m_searchEngine = nullptr;
    TSearchBox *m_searchBox = nullptr;
    TSearchResultsPane *m_searchResults = nullptr;
};

// The program's one main window, which every window reaches; null before it exists and after
// it is gone.
TPulpit *Pulpit();
void SetPulpit(TPulpit *pulpit);
