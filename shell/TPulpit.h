#pragma once

#include "SettingsStore.h"
#include "TFormList.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class ChildWindowManager;
class HelpSystem;
class Narration;
class PrintDialogs;
class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;
class QTimer;
class QToolBar;
class TM3Player;
class TQuizSuperList;
class TWebFileInfo;
class WidgetUpdateUi;
class TSearchBox;
class TSearchEngine;
class TSearchResultsPane;
class TfrmWzorBazowy;

// The main window: the frame of every Index, document and quiz window, its menus and two
// toolbars, the context-help mode all windows share, the preferences held during the run,
// and the dispatcher that opens each entry in its category's window.
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
        int screenDepth = -1;              // bits per pixel; the primary screen's when -1
        // Whether sound can be played; probed from the audio outputs when not given.
        std::optional<bool> soundAvailable;
        QString mp3Library; // the MP3 library's path; the program folder's "mp3" when empty
        // Runs a modal dialog of the frame (the quote of the day, the about box) and returns
        // its result; the dialog's own exec() when empty.
        std::function<int(QDialog &)> runDialog;
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
    int WindowLimit() const { return m_windowLimit; }
    void SetWindowLimit(int limit) { m_windowLimit = limit; }

    // Context-help mode ("Co to jest?").
    bool HelpMode() const { return m_helpMode; }
    void SetHelpMode(bool on);
    void ShowContextHelp(QObject *sender);
    // The test every command begins with: in help mode, shows the sender's help and tells
    // the command to do nothing else.
    bool HelpTest(QObject *sender);

    // Narration: plays "_197SND\folder\name", stopping what plays first.
    bool SoundAvailable() const;
    void PlayNarration(const QString &folder, const QString &name);
    void StopSound();
    TM3Player *M3Play() const;

    // The dispatcher.
    using DocumentFactory = std::function<TfrmWzorBazowy *()>;
    using QuizFactory = std::function<TfrmWzorBazowy *(int questions, int seconds)>;
    void RegisterDocumentClass(const QString &typ, DocumentFactory factory);
    // The Index window, made by the first Index command.
    void RegisterIndexClass(DocumentFactory factory);
    void RegisterQuizClass(QuizFactory factory);
    bool HasDocumentClass(const QString &typ) const { return m_documentClasses.contains(typ); }
    void OpenDocument(const QString &typ, const QString &numer);
    bool BringToFrontIfOpen(const QString &typ, const QString &numer);
    void ForgetWindow(const QString &typ, const QString &numer);
    void OpenQuiz(int questions, int seconds);
    // The question pool, shared by the Index's quiz page and the quiz window.
    TQuizSuperList &QuizPool() const { return *m_quizPool; }
    // The quiz page is shown: an open quiz only comes to the front; otherwise the pool is
    // read the first time and made wholly available again later.
    void LoadQuizPool();
    bool Opening() const { return m_opening; }
    void SetOpening(bool opening) { m_opening = opening; }
    const TFormList &OpenWindows() const { return m_openWindows; }
    // Ends the program once control is back in the event loop; what runs now still runs.
    void RequestTermination();
    bool TerminationRequested() const { return m_terminationRequested; }

    // The child windows that are open, in the frame's order.
    QList<TfrmWzorBazowy *> ChildWindows() const;
    TfrmWzorBazowy *ActiveChild() const;
    QMdiArea *MdiArea() const { return m_mdi; }
    QToolBar *MenuToolbar() const { return m_tbMenu; }
    QToolBar *IndexToolbar() const { return m_tbIndeks; }
    QAction *Action(const QString &objectName) const;
    // Search across the encyclopedia: the toolbar's field (Ctrl+K) and the results pane.
    TSearchBox *SearchBox() const { return m_searchBox; }
    TSearchResultsPane *SearchResults() const { return m_searchResults; }
    TSearchEngine *SearchEngine() const { return m_searchEngine; }

    // Commands of the menus and toolbars; `sender` is the action that ran them.
    void btIndeksClick(QObject *sender = nullptr);
    void btExitClick(QObject *sender = nullptr);
    void btPrevWindClick(QObject *sender = nullptr);
    void btNextWindClick(QObject *sender = nullptr);
    void closeActiveChild(QObject *sender = nullptr);
    void btCascadeWindClick(QObject *sender = nullptr);
    void btTileVertClick(QObject *sender = nullptr);
    void btTileHorizClick(QObject *sender = nullptr);
    void btHelpClick(QObject *sender = nullptr);
    void ToolbarButton971Click(QObject *sender = nullptr);
    // Print, printer setup and copy act on the active child window, whichever window or
    // control ran them.
    void btDrukujClick(QObject *sender = nullptr);
    void UstawieniaDrukarkiClick();
    void btRefreshClick(QObject *sender = nullptr);
    void btShowClick(QObject *sender = nullptr);
    void btPreviewShowClick(QObject *sender = nullptr);
    void btKopiujClick(QObject *sender = nullptr);
    void btSoundStopClick(QObject *sender = nullptr);
    // The options dialog; the open windows follow a new document font or Index layout.
    void btOpcjeClick(QObject *sender = nullptr);
    void CoToJestClick();
    void SzukajnowejwersjiwsieciWWW1Click(QObject *sender = nullptr);
    void Oprogramie1Click(QObject *sender = nullptr);

Q_SIGNALS:
    // The Index window has been created and shown.
    void IndexShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    int runDialog(QDialog &dialog);
    void showQuoteOfTheDay();
    void createMenus();
    void createToolbars();
    void createSearch();
    QAction *addCommand(const QString &name, const QString &text, const QString &hint,
                        void (TPulpit::*command)(QObject *));
    QAction *addToolButton(QToolBar *toolbar, const QString &name, const QString &hint,
                           const QString &picture, void (TPulpit::*command)(QObject *));
    QMdiSubWindow *addChild(TfrmWzorBazowy *window);
    void updateIdleTick();
    void idleTick();
    QList<QToolBar *> toolbars() const;
    QPrinter &printer();
    void applyLookToChildren();

    SettingsStore &m_settings;
    HelpSystem *m_help;
    std::unique_ptr<HelpSystem> m_ownHelp;
    PrintDialogs *m_printDialogs;
    std::unique_ptr<PrintDialogs> m_ownPrintDialogs;
    // The platform's current printer, made when first printed on or set up.
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QWidget> m_splash;
    std::function<void(const QString &)> m_splashStatus;
    std::function<int(QDialog &)> m_runDialog;

    Preferences m_prefs;
    int m_windowLimit = 12;
    bool m_helpMode = false;
    bool m_opening = false;
    bool m_terminationRequested = false;
    TFormList m_openWindows;
    QHash<QString, DocumentFactory> m_documentClasses;
    DocumentFactory m_indexClass;
    QuizFactory m_quizClass;
    std::unique_ptr<TQuizSuperList> m_quizPool;

    QMdiArea *m_mdi = nullptr;
    ChildWindowManager *m_children = nullptr;
    QToolBar *m_tbMenu = nullptr;
    QToolBar *m_tbIndeks = nullptr;
    QHash<QAction *, QToolBar *> m_toolbarOf;
    QList<QAction *> m_helpModeItems;
    QAction *m_btOpcje = nullptr;
    QTimer *m_idleTick = nullptr;

    Narration *m_narration = nullptr;
    QPointer<QMdiSubWindow> m_activeChild;
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
