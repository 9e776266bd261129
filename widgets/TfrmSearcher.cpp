#include "TfrmSearcher.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <numbers>

namespace {
constexpr int AnimationSize = 40;
} // namespace

TfrmSearcher::TfrmSearcher()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSearcher"));
    setFixedSize(189, 58);
    setAutoFillBackground(true);

    const int textLeft = AnimationSize + 14;
    m_bold = new QLabel(QStringLiteral("Proszę czekać"), this);
    QFont bold = m_bold->font();
    bold.setBold(true);
    m_bold->setFont(bold);
    m_bold->setGeometry(textLeft, 8, width() - textLeft - 6, 20);
    m_line = new QLabel(QStringLiteral("Trwa wyszukiwanie..."), this);
    m_line->setGeometry(textLeft, 30, width() - textLeft - 6, 20);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setGeometry(m_bold->geometry());
    m_progress->hide();

    m_animation = new QTimer(this);
    m_animation->setInterval(100);
    connect(m_animation, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % 12;
        update(QRect(8, 9, AnimationSize, AnimationSize));
    });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TfrmSearcher::showEvent(QShowEvent *event)
{
    m_animation->start();
    QWidget::showEvent(event);
}

void TfrmSearcher::hideEvent(QHideEvent *event)
{
    m_animation->stop();
    QWidget::hideEvent(event);
}

void TfrmSearcher::paintEvent(QPaintEvent *)
{
    // A magnifying glass circling over a folder while the search runs.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRectF folder(10, 24, 30, 20);
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(folder);
    const double angle = m_frame * std::numbers::pi / 6;
    const QPointF centre(25 + 9 * std::cos(angle), 24 + 6 * std::sin(angle));
    p.setBrush(QColor(200, 230, 255, 180));
    p.setPen(QPen(Qt::darkGray, 2));
    p.drawEllipse(centre, 7, 7);
    p.drawLine(centre + QPointF(5, 5), centre + QPointF(11, 11));
}

namespace {
TfrmSearcher *g_searcher = nullptr;
} // namespace

TfrmSearcher *Searcher()
{
    return g_searcher;
}

void SetSearcher(TfrmSearcher *searcher)
{
    g_searcher = searcher;
}
