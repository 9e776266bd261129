#include "UpdateWaitDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

UpdateWaitDialog::UpdateWaitDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("Proszę czekać"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(240, 100);
    setCursor(Qt::WaitCursor);
    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void UpdateWaitDialog::SetText(const QString &text)
{
    m_text->setText(text);
}

void UpdateWaitDialog::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

void UpdateWaitDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
