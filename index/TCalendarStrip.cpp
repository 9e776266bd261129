#include "TCalendarStrip.h"

#include "CalendarEvents.h"
#include "CalendarLook.h"
#include "CategoryTable.h"
#include "TCalendarBar.h"
#include "TKalendarList.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TextLines.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

TCalendarStrip::TCalendarStrip(const TKalendarList &list, QWidget *parent)
    : QFrame(parent), m_list(list)
{
    setObjectName(QStringLiteral("pnKalendarium"));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setProperty("helpContext", 4021);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Wydarzenia"));
}

int TCalendarStrip::positions() const
{
    // Every event and the end bar after them; an empty list shows nothing.
    return m_list.Count() > 0 ? m_list.Count() + 1 : 0;
}

int TCalendarStrip::AddEventPanel(int top, int position)
{
    TCalendarBar *bar = nullptr;
    if (position >= positions() - 1) {
        bar = new TCalendarBar(width(), this);
    } else {
        TKalendarRecord record;
        QStringList fields;
        if (!m_list.GetRecord(position, record) || !m_directory ||
            !m_directory->ReadFields(record.Typ, record.Numer, fields))
            return 0;
        const TCalendarBar::Event event{
            record.Year,
            record.EventType,
            record.Category,
            CalendarLook::Icon(m_imageList, record.Category),
            CalendarEvents::BarText(fields),
            !TextLines::fieldValue(fields, CategoryTable::Works).isEmpty(),
            position};
        bar = new TCalendarBar(event, m_font, width(), this);
        connect(bar, &TCalendarBar::LinkPressed, this, [this](int at) {
            m_linkPressed = true;
            Q_EMIT LinkDown(at);
        });
        connect(bar, &TCalendarBar::LinkReleased, this, [this] {
            Q_EMIT LinkUp();
            m_linkPressed = false;
        });
    }
    bar->move(0, top);
    insertBar(bar);
    bar->show();
    return bar->height() + 1;
}

void TCalendarStrip::insertBar(TCalendarBar *bar)
{
    auto at = std::upper_bound(m_bars.begin(), m_bars.end(), bar->y(),
                               [](int top, const TCalendarBar *each) { return top < each->y(); });
    m_bars.insert(at, bar);
}

void TCalendarStrip::removeBar(TCalendarBar *bar)
{
    // The keyboard stays in the calendar when the bar it was on leaves the view.
    if (bar->hasFocus())
        setFocus(Qt::OtherFocusReason);
    delete bar;
}

void TCalendarStrip::orderFocus()
{
    QWidget *previous = this;
    for (TCalendarBar *bar : std::as_const(m_bars)) {
        if (bar->focusPolicy() & Qt::TabFocus) {
            setTabOrder(previous, bar);
            previous = bar;
        }
    }
}

void TCalendarStrip::moveBars(int dy)
{
    for (TCalendarBar *bar : std::as_const(m_bars))
        bar->move(0, bar->y() + dy);
}

void TCalendarStrip::FillCalendarView()
{
    // The old bars go and the new ones are painted once, in their places.
    setUpdatesEnabled(false);
    const auto repaint = qScopeGuard([this] { setUpdatesEnabled(true); });
    for (TCalendarBar *bar : std::exchange(m_bars, {}))
        removeBar(bar);

    const int view = height();
    const int count = positions();
    m_moreBelow = true;
    int h = 0;
    int i = m_topEvent;
    while (h < view) {
        if (i < count) {
            h += AddEventPanel(h, i);
            if (h == 0) // the first event cannot be read: the view stays empty below it
                h = view;
            ++i;
        } else {
            h = view;
            m_moreBelow = false;
        }
    }
    if (i < count) {
        m_lastEvent = i - 1;
    } else {
        m_lastEvent = count - 1;
        m_moreBelow = false;
    }
    PruneCalendarView();
}

void TCalendarStrip::ScrollForward()
{
    if (!m_moreBelow)
        return;
    const int view = height();
    int lastTop = 0, lastHeight = 0, firstHeight = 0;
    for (const TCalendarBar *bar : std::as_const(m_bars)) {
        if (bar->y() > 0 && bar->y() > lastTop) {
            lastTop = bar->y();
            lastHeight = bar->height();
        }
        if (bar->y() == 0)
            firstHeight = bar->height();
    }
    const int count = positions();
    if (m_lastEvent >= count - 1)
        return;
    // What hangs below the view must make up for the bar that leaves it at the top.
    if (lastTop + lastHeight - view < firstHeight) {
        int extra = 1;
        while (lastTop + lastHeight + extra - view < firstHeight) {
            if (m_lastEvent >= count - 1)
                return;
            ++m_lastEvent;
            extra += AddEventPanel(lastTop + lastHeight + extra, m_lastEvent);
        }
    }
    moveBars(-(firstHeight + 1));
    PruneCalendarView();
    ++m_topEvent;
}

void TCalendarStrip::ScrollBack()
{
    if (m_topEvent > 0) {
        --m_topEvent;
        constexpr int Above = -100;
        const int d = AddEventPanel(Above, m_topEvent);
        const int view = height();
        for (TCalendarBar *bar : std::as_const(m_bars)) {
            if (bar->y() == Above)
                bar->move(0, -d);
            else if (bar->y() + d > view)
                --m_lastEvent;
        }
        moveBars(d);
        PruneCalendarView();
    }
    m_moreBelow = m_lastEvent < positions() - 1;
}

void TCalendarStrip::PruneCalendarView()
{
    const int view = height();
    int lo = 9999, hi = 0;
    for (auto it = m_bars.begin(); it != m_bars.end();) {
        TCalendarBar *bar = *it;
        if (bar->y() < 0 || bar->y() > view) {
            removeBar(bar);
            it = m_bars.erase(it);
            continue;
        }
        lo = std::min(lo, bar->Tag());
        hi = std::max(hi, bar->Tag());
        ++it;
    }
    orderFocus();
    Q_EMIT RangeChanged(QString::number(lo) + QStringLiteral(" - ") + QString::number(hi));
}

int TCalendarStrip::PageSize() const
{
    return std::max(1, (height() + 1) / (TCalendarBar::EventHeight + 1));
}

void TCalendarStrip::scrollToEnd()
{
    // Straight to the last page, then step by step for bars taller than one line.
    const int top = std::max(0, positions() - PageSize());
    if (top > m_topEvent) {
        m_topEvent = top;
        FillCalendarView();
    }
    while (m_moreBelow) {
        const int before = m_topEvent;
        ScrollForward();
        if (m_topEvent == before)
            break;
    }
}

void TCalendarStrip::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QFrame::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Down:
        ScrollForward();
        break;
    case Qt::Key_Up:
        ScrollBack();
        break;
    case Qt::Key_PageDown:
        for (int n = PageSize(); n > 0; --n)
            ScrollForward();
        break;
    case Qt::Key_PageUp:
        for (int n = PageSize(); n > 0; --n)
            ScrollBack();
        break;
    case Qt::Key_Home:
        m_topEvent = 0;
        FillCalendarView();
        break;
    case Qt::Key_End:
        scrollToEnd();
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TCalendarStrip::wheelEvent(QWheelEvent *event)
{
    // A notch (120) moves as many events as the desktop scrolls lines; finer turns add up.
    m_wheelDelta += event->angleDelta().y() * QApplication::wheelScrollLines();
    const int steps = m_wheelDelta / 120;
    m_wheelDelta -= steps * 120;
    for (int n = steps; n > 0; --n)
        ScrollBack();
    for (int n = steps; n < 0; ++n)
        ScrollForward();
    event->accept();
}

void TCalendarStrip::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    const TPulpit *pulpit = Pulpit();
    if ((pulpit && pulpit->TerminationRequested()) || m_linkPressed)
        return;
    FillCalendarView();
}
