#include "HelpPopup.h"

#include "HelpTopicRenderer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int PopupWidth = 380;
constexpr int MaxHeight = 420;
constexpr int PointerGap = 12;

} // namespace

HelpPopup::HelpPopup(QWidget *parent) : QFrame(parent, Qt::Popup), m_view(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setPalette(QPalette(QColor(0xFF, 0xFF, 0xE1)));
    setAutoFillBackground(true);
    m_view->setObjectName(QStringLiteral("helpPopupText"));
    m_view->setFrameStyle(QFrame::NoFrame);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setOpenLinks(false);
    m_view->viewport()->setAutoFillBackground(false);
    m_view->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_view);
}

void HelpPopup::showTopic(const WinHelpFile &file, const HelpTopic &topic, const QPoint &globalPos)
{
    HelpTopicRenderer::render(file, topic, m_view->document());
    popUpAt(globalPos);
}

void HelpPopup::showMessage(const QString &text, const QPoint &globalPos)
{
    m_view->setPlainText(text);
    popUpAt(globalPos);
}

QString HelpPopup::text() const
{
    return m_view->toPlainText();
}

void HelpPopup::popUpAt(const QPoint &globalPos)
{
    // The text decides the height; the window sits below and right of the pointer and
    // stays on its screen.
    const int margins = 2 * 6 + 2 * frameWidth();
    m_view->document()->setTextWidth(PopupWidth - margins - 4);
    const int height = qMin(MaxHeight, int(m_view->document()->size().height()) + margins + 4);
    resize(PopupWidth, height);
    QPoint at = globalPos + QPoint(PointerGap, PointerGap);
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        at.setX(qBound(area.left(), at.x(), area.right() - width()));
        at.setY(qBound(area.top(), at.y(), area.bottom() - height));
    }
    move(at);
    show();
    m_view->setFocus();
}

bool HelpPopup::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress) ||
        (watched == m_view && event->type() == QEvent::KeyPress)) {
        close();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void HelpPopup::keyPressEvent(QKeyEvent *)
{
    close();
}

void HelpPopup::mousePressEvent(QMouseEvent *)
{
    close();
}
