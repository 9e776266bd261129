#include "TIndexPage.h"

#include "HelpClicks.h"

#include <QLabel>
#include <QVBoxLayout>

TIndexPage::TIndexPage(const QString &name, QWidget *parent)
    : QWidget(parent), m_help(new HelpClicks(this))
{
    setObjectName(name);
}

void TIndexPage::SetBody(QWidget *body, const QString &suffix, const QString &title)
{
    auto *titleBar = new QLabel(title, this);
    titleBar->setObjectName(QStringLiteral("lb") + suffix);
    titleBar->setFixedHeight(24);
    titleBar->setStyleSheet(QStringLiteral(
        "QLabel { color: white; font: bold italic 16px 'Arial'; padding-left: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 black, stop:1 blue); }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (body)
        layout->addWidget(body, 1);
    else
        layout->addStretch(1);
    layout->addWidget(titleBar);
}
