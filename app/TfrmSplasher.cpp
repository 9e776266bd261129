#include "TfrmSplasher.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {
constexpr int PictureWidth = 400;
constexpr int PictureHeight = 267;
} // namespace

TfrmSplasher::TfrmSplasher()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplasher"));
    setFixedSize(404, 282);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    m_status = new QLabel(QStringLiteral("Inicjalizacja programu..."), this);
    m_status->setObjectName(QStringLiteral("lbStatus"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setGeometry(0, PictureHeight + 1, width(), height() - PictureHeight - 1);
    QPalette text = m_status->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    m_status->setPalette(text);
    QFont font = m_status->font();
    font.setPointSize(7);
    m_status->setFont(font);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TfrmSplasher::SetStatus(const QString &text)
{
    m_status->setText(text);
    if (isVisible())
        repaint();
}

QString TfrmSplasher::Status() const
{
    return m_status->text();
}

void TfrmSplasher::paintEvent(QPaintEvent *)
{
    // The picture: a night-blue page with the title in gold.
    QPainter p(this);
    const QRect picture(2, 0, PictureWidth, PictureHeight);
    QLinearGradient gradient(picture.topLeft(), picture.bottomLeft());
    gradient.setColorAt(0, QColor(10, 20, 60));
    gradient.setColorAt(1, QColor(70, 20, 30));
    p.fillRect(picture, gradient);
    p.setPen(QColor(230, 200, 120));
    QFont title(QStringLiteral("Serif"), 30, QFont::Bold);
    p.setFont(title);
    p.drawText(picture.adjusted(0, 60, 0, -120), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Verbarium"));
    QFont subtitle(QStringLiteral("Serif"), 12, QFont::Normal, true);
    p.setFont(subtitle);
    p.drawText(picture.adjusted(0, 130, 0, -60), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Multimedialna encyklopedia\nliteratury polskiej"));
}
