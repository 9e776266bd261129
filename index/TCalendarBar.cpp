#include "TCalendarBar.h"

#include "CalendarLook.h"
#include "FocusFrame.h"
#include "TCalendarBarAccessible.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int TextLeft = 36;
constexpr int TextTop = 2;
// The icon's column and the margins leave this much of the width to the text.
constexpr int TextMargin = 68;

void paintGround(QFrame *bar, const QColor &colour)
{
    bar->setFrameShape(QFrame::Box);
    bar->setFrameShadow(QFrame::Plain);
    bar->setLineWidth(1);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, colour);
    bar->setPalette(palette);
}

void setInk(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

TCalendarBar::TCalendarBar(const Event &event, const QFont &font, int width, QWidget *parent)
    : QFrame(parent), m_tag(event.year), m_position(event.position), m_link(event.link)
{
    TCalendarBarAccessible::Install();
    paintGround(this, CalendarLook::TypeColour(event.type));
    m_name = QString::number(event.year) + QStringLiteral(": ") + event.text;
    m_description = QStringList{CalendarLook::TypeLabel(event.type),
                                CalendarLook::CategoryLegendLabel(event.category)}
                        .join(QStringLiteral(", "));

    auto *year = new QLabel(QString::number(event.year), this);
    year->setObjectName(QStringLiteral("Year"));
    year->setTextFormat(Qt::PlainText);
    QFont bold = font;
    bold.setBold(true);
    year->setFont(bold);
    setInk(year, Qt::black);
    year->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The year takes 32 pixels in the document font as designed; a wider substitute font
    // widens its label and moves the text along rather than cut the year off.
    const int yearWidth =
        std::max(CalendarLook::IconSize, QFontMetrics(bold).horizontalAdvance(year->text()) + 1);
    year->setGeometry(2, 2, yearWidth, CalendarLook::IconSize);
    const int widening = yearWidth - CalendarLook::IconSize;

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Icon"));
    icon->setPixmap(QPixmap::fromImage(event.icon));
    icon->setGeometry(width - 36, 2, CalendarLook::IconSize, CalendarLook::IconSize);

    // Plain text: an event's "<" is shown as it is, never taken for markup.
    m_text = new QLabel(event.text, this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont regular = font;
    if (event.link) {
        regular.setUnderline(true);
        setInk(m_text, QColor(0, 0, 255));
        m_text->setCursor(Qt::PointingHandCursor);
        m_text->installEventFilter(this);
        // Reached with Tab and opened with Enter.
        setFocusPolicy(Qt::TabFocus);
    } else {
        setInk(m_text, Qt::black);
    }
    m_text->setFont(regular);
    const int textWidth = std::max(width - TextMargin - widening, 1);
    const int textHeight = m_text->heightForWidth(textWidth);
    m_text->setGeometry(TextLeft + widening, TextTop, textWidth, textHeight);

    resize(width, textHeight < CalendarLook::IconSize ? EventHeight : textHeight + 8);
}

TCalendarBar::TCalendarBar(int width, QWidget *parent)
    : QFrame(parent), m_tag(EndTag), m_name(QStringLiteral("Koniec kalendarium"))
{
    TCalendarBarAccessible::Install();
    paintGround(this, Qt::black);
    resize(width, EndHeight);
}

void TCalendarBar::Open()
{
    if (!m_link)
        return;
    Q_EMIT LinkPressed(m_position);
    Q_EMIT LinkReleased();
}

void TCalendarBar::keyPressEvent(QKeyEvent *event)
{
    if (m_link && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Open();
        return;
    }
    // The strip's keys (the arrows, the page keys) go on to it.
    QFrame::keyPressEvent(event);
}

void TCalendarBar::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        FocusFrame::Paint(painter, rect());
    }
}

bool TCalendarBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text) {
        if (event->type() == QEvent::MouseButtonPress)
            Q_EMIT LinkPressed(m_position);
        else if (event->type() == QEvent::MouseButtonRelease)
            Q_EMIT LinkReleased();
    }
    return QFrame::eventFilter(watched, event);
}
