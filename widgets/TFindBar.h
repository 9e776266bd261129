#pragma once

#include <QList>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class THTMLViewer;

// Find in page: a slim bar under an HTML view. It finds as the reader types, without regard
// to letter case or Polish letters, marks every match in the view, selects the current one
// and steps through them both ways, going round at either end. Ctrl+F, F3 and Shift+F3 work
// anywhere inside the window it is given; Esc in the bar closes it.
class TFindBar : public QWidget
{
    Q_OBJECT

public:
    TFindBar(THTMLViewer *view, QWidget *window, QWidget *parent = nullptr);

    // Shows the bar (a closed bar finds its text again) and gives it the focus with its text
    // selected.
    void Open();
    // Opens the bar on `text`: a search's words, say.
    void Find(const QString &text);
    // Hides the bar, clears the marks and gives the focus back to what had it before the bar
    // opened (the view when that is gone).
    void Close();
    // The next or previous match; a closed bar opens instead.
    void FindNext();
    void FindPrevious();

    int MatchCount() const { return int(m_matches.size()); }
    // The index of the selected match, -1 for none.
    int CurrentMatch() const { return m_current; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Finds the text again in the whole view and moves to the first match at or after where
    // the reader is.
    void search();
    void step(int direction);
    // Marks the matches, selects the current one; `wrapped` says where a step went round.
    void showMatches(const QString &wrapped);
    int readingPosition() const;

    THTMLViewer *m_view;
    QLineEdit *m_edit;
    QToolButton *m_previous;
    QToolButton *m_next;
    QLabel *m_status;
    QToolButton *m_close;
    QPointer<QWidget> m_returnFocus; // had the focus before the bar opened
    QTimer m_documentChanged;        // gathers the many changes of one new page
    QList<QTextCursor> m_matches;
    int m_current = -1;
};
