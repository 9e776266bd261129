#include "UpdateWaitDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

UpdateWaitDialog::UpdateWaitDialog(std::function<void()> cancel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_cancel(std::move(cancel))
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Proszę czekać"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(240, 100);
    setCursor(Qt::WaitCursor);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    auto *button = new QPushButton(QStringLiteral("&Anuluj"), this);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &QPushButton::clicked, this, [this] { m_cancel(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void UpdateWaitDialog::SetText(const QString &text)
{
    m_text->setText(text);
}

void UpdateWaitDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        m_cancel();
    event->accept();
}

void UpdateWaitDialog::closeEvent(QCloseEvent *event)
{
    m_cancel();
    event->ignore();
}
