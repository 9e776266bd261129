#pragma once

#include <QPointer>
#include <QString>

#include <memory>

class HelpPopup;
class HelpWindow;
class QWidget;
class WinHelpFile;

// The help the program offers: pop-up topics by context number, topics by context number in
// the help window, and the contents and index.
class HelpSystem
{
public:
    virtual ~HelpSystem() = default;
    virtual void showPopup(int context) = 0;
    virtual void showTopic(int context) = 0;
    virtual void showContents() = 0;
};

// Help from the WinHelp file in the program's folder, read when first asked for. A pop-up
// shows the topic the file maps the context number to beside the mouse pointer; a topic and
// the contents open the help window, which shows the contents for a number without a topic. A file
// that is missing or cannot be read is reported instead.
class HelpFile : public HelpSystem
{
public:
    HelpFile(QWidget *owner, const QString &path);
    ~HelpFile() override;

    void showPopup(int context) override;
    void showTopic(int context) override;
    void showContents() override;
    const QString &path() const { return m_path; }

    // The windows last shown, for tests; null once closed.
    HelpPopup *popup() const;
    HelpWindow *window() const;

private:
    bool load();
    // The help window, made when first asked for and brought to the front.
    HelpWindow *showWindow();
    void reportUnreadable();

    QWidget *m_owner;
    QString m_path;
    std::unique_ptr<WinHelpFile> m_file;
    QPointer<HelpPopup> m_popup;
    QPointer<HelpWindow> m_window;
};
