#pragma once

#include <QString>
#include <QWidget>

struct Preferences;
class QPrinter;
class SettingsStore;

// The base of every child window of the main window: the category code and entry number of
// what it shows, by which the dispatcher finds it, and what the main window asks of its
// children without knowing their classes.
class TfrmWzorBazowy : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmWzorBazowy(QWidget *parent = nullptr);

    const QString &Typ() const { return m_typ; }
    const QString &Numer() const { return m_numer; }
    void SetTyp(const QString &typ);
    void SetNumer(const QString &numer);

    // Reads and shows the entry; the document windows do the work.
    virtual void LoadDocument(const QString &typ, const QString &numer);
    // A window that is still loading refuses to close.
    virtual bool IsLoading() const { return false; }
    // One step of the window's scrolling banner, for windows that have one.
    virtual void BannerStep() {}
    virtual bool HasBanner() const { return false; }
    // The window stopped being the active child window.
    virtual void FormDeactivate() {}
    // The name of the recording this window played last, for the replay button.
    virtual QString LastSound() const { return QString(); }
    // What the print and copy commands do with the window when it is the active one. By
    // default nothing: the Index and the quiz window neither print nor copy.
    virtual bool CanPrint() const { return false; }
    // Prints onto a printer the reader has chosen; false when nothing could be printed.
    virtual bool Print(QPrinter & /*printer*/) { return false; }
    virtual void CopyToClipboard() {}
    // The preferences changed: the window takes their document font (and look) again.
    virtual void ApplyDocumentLook(const Preferences & /*prefs*/) {}
    // What the window keeps across runs: read once it is made, written at the end of the run.
    virtual void LoadSettings(const SettingsStore & /*settings*/) {}
    virtual void SaveSettings(SettingsStore & /*settings*/) const {}
    // The Index toolbar's refresh, open-selected and preview commands, for the active child;
    // only a window with lists acts on them.
    virtual void btRefreshClick() {}
    virtual void btShowClick() {}
    virtual void btPreviewShowClick() {}
    // Find in page, for the windows that have it: the menu's Find, Find next and previous.
    virtual void FindInPage() {}
    virtual void FindAgain(bool /*backwards*/) {}
    // The entry was opened from a search for `text`: the window marks what was found.
    virtual void ShowFound(const QString & /*text*/) {}

protected:
    // Closing forgets the window in the main window's open-window list.
    void closeEvent(QCloseEvent *event) override;

private:
    QString m_typ;
    QString m_numer;
};
