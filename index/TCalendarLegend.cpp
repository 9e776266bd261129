#include "TCalendarLegend.h"

#include "CalendarLook.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel *addRow(QVBoxLayout *rows, const QString &text)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(4);
    auto *picture = new QLabel(row);
    picture->setFixedSize(CalendarLook::IconSize, CalendarLook::IconSize);
    // One line each, the legend as wide as the longest needs.
    auto *label = new QLabel(text, row);
    layout->addWidget(picture);
    layout->addWidget(label, 1);
    rows->addWidget(row);
    return picture;
}

} // namespace

TCalendarLegend::TCalendarLegend(QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("puKalendarium"));
    setWindowTitle(QStringLiteral("Kalendarium - Legenda"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);

    auto *title = new QLabel(windowTitle(), this);
    title->setStyleSheet(QStringLiteral(
        "QLabel { color: white; font: bold 11px; padding: 2px;"
        " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 black, stop:1 blue); }"));
    auto *box = new QScrollArea(this);
    box->setObjectName(QStringLiteral("sbLegenda"));
    box->setWidgetResizable(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget;
    auto *rows = new QVBoxLayout(content);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    for (int type = 1; type <= CalendarLook::TypeCount; ++type)
        m_swatches.append(addRow(rows, CalendarLook::TypeLabel(type)));
    auto *line = new QFrame(content);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    rows->addWidget(line);
    m_icons.resize(CalendarLook::IconCount);
    for (int button = 1; button <= CalendarLook::CategoryButtonCount; ++button) {
        const int category = CalendarLook::ButtonCategory(button);
        m_icons[category] = addRow(rows, CalendarLook::CategoryLegendLabel(category));
    }
    box->setWidget(content);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(box, 1);

    // Whole rows in view, each as high as its icon or its text in the font shown: the four
    // types and the first category; the scroll bar moves a row at a time.
    const int row = m_swatches.first()->parentWidget()->sizeHint().height();
    const int view = (CalendarLook::TypeCount + 1) * row + line->sizeHint().height();
    box->verticalScrollBar()->setSingleStep(row);
    const int chrome = 2 * frameWidth() + 2 + 2 * box->frameWidth();
    const int needed =
        content->sizeHint().width() + chrome + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedSize(std::max(Width, needed), title->sizeHint().height() + view + chrome);
}

void TCalendarLegend::puKalendariumOpen(const QImage &imageList)
{
    for (int category = 0; category < m_icons.size(); ++category) {
        if (m_icons[category])
            m_icons[category]->setPixmap(
                QPixmap::fromImage(CalendarLook::Icon(imageList, category)));
    }
    for (int type = 1; type <= m_swatches.size(); ++type)
        m_swatches[type - 1]->setPixmap(QPixmap::fromImage(CalendarLook::TypeSwatch(type)));
}

QImage TCalendarLegend::TypeSwatch(int type) const
{
    const QLabel *label = m_swatches.value(type - 1);
    return label ? label->pixmap().toImage() : QImage();
}

QImage TCalendarLegend::CategoryIcon(int category) const
{
    const QLabel *label = m_icons.value(category);
    return label ? label->pixmap().toImage() : QImage();
}

void TCalendarLegend::OpenAt(const QWidget *button, const QWidget *keepClear)
{
    const QRect anchor(button->mapToGlobal(QPoint(0, 0)), button->size());
    const QScreen *screen = button->screen();
    const QRect area =
        screen ? screen->availableGeometry() : QRect(QPoint(0, 0), anchor.bottomRight());
    QPoint at(anchor.left(), anchor.bottom() + 1);
    if (at.y() + height() > area.bottom() + 1)
        at.setY(anchor.top() - height());
    at.setX(std::min(at.x(), area.right() + 1 - width()));
    at.setY(std::max(area.top(), at.y()));
    if (keepClear) {
        const QRect clear(keepClear->mapToGlobal(QPoint(0, 0)), keepClear->size());
        if (QRect(at, size()).intersects(clear))
            at.setX(clear.left() - width());
    }
    at.setX(std::max(area.left(), at.x()));
    move(at);
    show();
}
