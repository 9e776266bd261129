#include "TThumbnailStrip.h"

#include "CategoryTable.h"
#include "FocusFrame.h"
#include "Globals.h"
#include "LoadingGuard.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TextLines.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>

#include <functional>

namespace {

// A thumbnail: the picture unscaled from the top-left corner, opening its illustration when
// clicked, or from the keyboard with Enter or Space.
class Thumbnail : public QLabel
{
public:
    std::function<void()> onClick;
    explicit Thumbnail(QWidget *parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick)
            onClick();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && onClick)
            onClick();
        else
            QLabel::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent *event) override
    {
        QLabel::focusInEvent(event);
        for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(w)) {
                area->ensureWidgetVisible(this, 0, 0);
                break;
            }
        }
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            FocusFrame::Paint(painter, rect());
        }
    }
};

} // namespace

TThumbnailStrip::TThumbnailStrip(QMainWindow *body) : QDockWidget(body), m_body(body)
{
    setObjectName(QStringLiteral("TWImage"));
    setFeatures(QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("sbImages"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_page = new QWidget;
    m_page->setAutoFillBackground(false);
    m_scroll->setWidget(m_page);
    m_scroll->viewport()->installEventFilter(this);
    m_scroll->setFixedWidth(ThumbnailPitch);
    setWidget(m_scroll);
    m_body->addDockWidget(Qt::LeftDockWidgetArea, this);
    // The thumbnails are the stops; the area only scrolls them into sight.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(this, &QDockWidget::dockLocationChanged, this, &TThumbnailStrip::orderTabStops);
}

void TThumbnailStrip::load(const QString &illustrations)
{
    m_links.LoadFromValue(CategoryTable::Illustrations, illustrations);
    if (m_links.Count() == 0) {
        hide();
        return;
    }
    show();
    m_page->resize(ThumbnailPitch, ThumbnailPitch * m_links.Count() + 1);
    for (int i = 0; i < m_links.Count(); ++i)
        addThumbnail(i);
    fitWidth();
    orderTabStops();
}

void TThumbnailStrip::addThumbnail(int index)
{
    const LoadingGuard hourglass(QString(), LoadingGuard::Hourglass);
    QString typ, numer;
    if (!m_links.GetLink(index, typ, numer))
        return;
    auto *image = new Thumbnail(m_page);
    image->setObjectName(QStringLiteral("Thumbnail%1").arg(index));
    image->setGeometry(1, ThumbnailPitch * index + 1, ThumbnailSize, ThumbnailSize);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setProperty("tag", index);
    image->setCursor(Qt::PointingHandCursor);
    image->onClick = [this, index] { thumbnailClicked(index); };
    image->setAccessibleName(QStringLiteral("Ilustracja"));
    if (TPSSDirectory *directory = Directory()) {
        QByteArray bitmap;
        if (directory->ReadPicture(CategoryTable::Illustrations, numer, true, bitmap))
            image->setPixmap(QPixmap::fromImage(QImage::fromData(bitmap)));
        QStringList fields;
        if (directory->ReadFields(CategoryTable::Illustrations, numer, fields)) {
            const QString title = TextLines::fieldValue(fields, u"Tytuł");
            image->setToolTip(title);
            // A screen reader says the illustration's title.
            if (!title.isEmpty())
                image->setAccessibleName(title);
        }
    }
    image->show();
}

QList<QWidget *> TThumbnailStrip::thumbnails() const
{
    return m_page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
}

void TThumbnailStrip::setBackground(const QPalette &palette)
{
    m_scroll->setPalette(palette);
    m_scroll->viewport()->setPalette(palette);
    m_scroll->viewport()->setAutoFillBackground(true);
}

void TThumbnailStrip::orderTabStops()
{
    const QList<QWidget *> images = thumbnails();
    QWidget *text = m_body->centralWidget();
    if (images.isEmpty() || !text)
        return;
    if (m_body->dockWidgetArea(this) == Qt::LeftDockWidgetArea) {
        setTabOrder(images.last(), text);
        return;
    }
    QWidget *previous = text;
    for (QWidget *image : images) {
        setTabOrder(previous, image);
        previous = image;
    }
}

void TThumbnailStrip::thumbnailClicked(int index)
{
    QString typ, numer;
    if (m_links.GetLink(index, typ, numer))
        if (TPulpit *pulpit = Pulpit())
            pulpit->OpenDocument(typ, numer);
}

void TThumbnailStrip::fitWidth()
{
    // As wide as a thumbnail column, plus a scroll bar when they do not all fit.
    const bool fits = m_scroll->viewport()->height() >= ThumbnailPitch * m_links.Count();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    m_scroll->setFixedWidth(fits ? ThumbnailPitch : ThumbnailPitch + bar);
}

bool TThumbnailStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        fitWidth();
    return QDockWidget::eventFilter(watched, event);
}
