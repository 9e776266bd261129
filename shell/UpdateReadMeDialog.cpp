#include "UpdateReadMeDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

UpdateReadMeDialog::UpdateReadMeDialog(const QString &text, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReadMe"));
    setWindowTitle(QStringLiteral("Read Me"));
    auto *view = new QPlainTextEdit(text, this);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(buttons);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        resize(area.width() * 4 / 5, area.height() * 4 / 5);
        move(area.center() - rect().center());
    }
}
