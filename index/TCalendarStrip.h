#pragma once

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QList>

class TCalendarBar;
class TKalendarList;
class TPSSDirectory;

// The calendar's view: a strip of bars for exactly the events that fit in it, from the
// event at `TopEvent` on, built, moved and destroyed as the reader scrolls. After the last
// event of the list stands the end bar, so the strip has one position more than the list
// has events (none at all for an empty list). Each bar reads its event's field list when it
// is built.
class TCalendarStrip : public QFrame
{
    Q_OBJECT

public:
    TCalendarStrip(const TKalendarList &list, QWidget *parent = nullptr);

    void SetDirectory(TPSSDirectory *directory) { m_directory = directory; }
    void SetDocumentFont(const QFont &font) { m_font = font; }
    // The large image list: the category icons side by side.
    void SetImageList(const QImage &imageList) { m_imageList = imageList; }

    int TopEvent() const { return m_topEvent; }
    void SetTopEvent(int position) { m_topEvent = position; }
    int LastEvent() const { return m_lastEvent; }
    void SetLastEvent(int position) { m_lastEvent = position; }
    bool MoreBelow() const { return m_moreBelow; }
    // The mouse is down on an event link: a resize leaves the strip as it is.
    bool LinkPressed() const { return m_linkPressed; }

    // Builds the bar of strip position `position` at `top` and returns the height it takes
    // with its 1-pixel gap; 0 when the event's field list cannot be read.
    int AddEventPanel(int top, int position);
    // Rebuilds the strip from `TopEvent` at the view's size.
    void FillCalendarView();
    // One event towards later or earlier positions.
    void ScrollForward();
    void ScrollBack();
    // The number of one-line bars that fit in the view, at least 1: the step of the page
    // keys.
    int PageSize() const;
    // Destroys the bars out of the view and tells the range of years in it.
    void PruneCalendarView();

    // The bars from top to bottom.
    const QList<TCalendarBar *> &Bars() const { return m_bars; }

Q_SIGNALS:
    // "lo - hi": the smallest and greatest year of the bars in view.
    void RangeChanged(const QString &text);
    // The mouse went down on the link of the event at `position`, and up again.
    void LinkDown(int position);
    void LinkUp();

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Up and Down, the page keys, Home and End, and the wheel scroll as the scroll buttons do.
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    int positions() const;
    void moveBars(int dy);
    void insertBar(TCalendarBar *bar);
    void removeBar(TCalendarBar *bar);
    void scrollToEnd();
    // The bars that link to works follow the strip in the tab order, top to bottom.
    void orderFocus();

    const TKalendarList &m_list;
    TPSSDirectory *m_directory = nullptr;
    QFont m_font;
    QImage m_imageList;
    QList<TCalendarBar *> m_bars;
    int m_topEvent = 0;
    int m_lastEvent = 0;
    bool m_moreBelow = true;
    bool m_linkPressed = false;
    int m_wheelDelta = 0; // of a turn not yet worth a step
};
