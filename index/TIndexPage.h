#pragma once

#include <QWidget>

class HelpClicks;
class SettingsStore;
struct Preferences;

// One page of the Index window. The window creates its pages and routes to them what
// concerns the page: the reader arriving on it, the layout rule, the document look, the main
// window's list commands and the settings kept across runs. A page knows nothing of the
// others; what it asks of the window goes out as a signal.
class TIndexPage : public QWidget
{
    Q_OBJECT

public:
    // `name` is the page's component name, "tsDziela" and so on.
    explicit TIndexPage(const QString &name, QWidget *parent = nullptr);

    // The page has become the active one (its tab, a start-page button, a menu item).
    virtual void PageShown() {}
    // The active page changes: what the page had pending is dropped.
    virtual void CancelPending() {}
    // The layout rule, given the size every page takes once it is in sight.
    virtual void Layout(const QSize & /*area*/) {}
    virtual void ApplyDocumentLook(const Preferences & /*prefs*/) {}
    // The main window's refresh, open-selected and preview commands, on the active page.
    virtual void Refresh() {}
    virtual void OpenSelected() {}
    virtual void TogglePreview() {}
    virtual void LoadSettings(const SettingsStore & /*settings*/) {}
    virtual void SaveSettings(SettingsStore & /*settings*/) const {}

    // The body of the page above its title bar ("lb" + suffix); a null body leaves room.
    void SetBody(QWidget *body, const QString &suffix, const QString &title);

Q_SIGNALS:
    // A control of the page asks for another page, by its page index.
    void PageRequested(QObject *sender, int page);

protected:
    // Clicks that show the help of a control in the main window's help mode.
    HelpClicks *Help() const { return m_help; }

private:
    HelpClicks *m_help;
};
