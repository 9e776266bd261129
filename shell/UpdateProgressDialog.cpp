#include "UpdateProgressDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

UpdateProgressDialog::UpdateProgressDialog(std::function<void()> cancel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_cancel(std::move(cancel))
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Zaawansowanie pobierania"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(272, 123);
    setCursor(Qt::WaitCursor);

    auto *title = new QLabel(QStringLiteral("Pobieranie aktualizacji"), this);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(8, 8, 256, 18);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setGeometry(8, 30, 256, 18);
    m_bytes = new QLabel(this);
    m_bytes->setObjectName(QStringLiteral("lbBytes"));
    m_bytes->setAlignment(Qt::AlignCenter);
    m_bytes->setGeometry(8, 54, 256, 18);
    auto *button = new QPushButton(QStringLiteral("&Anuluj"), this);
    button->setGeometry(98, 86, 76, 25);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &QPushButton::clicked, this, [this] { m_cancel(); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void UpdateProgressDialog::SetProgress(int percent, const QString &text)
{
    m_bar->setValue(percent);
    m_bytes->setText(text);
}

void UpdateProgressDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        m_cancel();
    event->accept();
}

void UpdateProgressDialog::closeEvent(QCloseEvent *event)
{
    m_cancel();
    event->ignore();
}
