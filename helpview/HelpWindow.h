#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class WinHelpFile;

// The help window: the contents (from the .CNT file beside the help file, otherwise from the
// jumps of the contents topic), an index of every topic title that finds as one types, and
// a topic view that follows jumps, opens pop-ups and goes back and forward.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // `file` must outlive the window; `contentsPath` is the .CNT file, which may be missing.
    HelpWindow(const WinHelpFile &file, const QString &contentsPath, QWidget *parent = nullptr);

    // Shows the topic that `offset` falls in, remembered for going back.
    void showTopicAt(quint32 offset);
    void back();
    void forward();
    int currentTopic() const { return m_current; }
    QString topicText() const;

private:
    void fillContents(const QString &contentsPath);
    void fillIndex();
    void display(int topic);
    void followLink(const QUrl &link);
    void findInIndex(const QString &text);
    void openIndexItem();
    void updateActions();

    const WinHelpFile &m_file;
    QTabWidget *m_tabs;
    QTreeWidget *m_contents;
    QLineEdit *m_find;
    QListWidget *m_index;
    QTextBrowser *m_view;
    QAction *m_back;
    QAction *m_forward;
    QList<int> m_history;
    int m_position = -1;
    int m_current = -1;
};
