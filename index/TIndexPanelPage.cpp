#include "TIndexPanelPage.h"

#include "TImage.h"

#include <QFrame>

TIndexPanelPage::TIndexPanelPage(const QString &name, const QString &suffix, int helpContext,
                                 QWidget *parent)
    : TIndexPage(name, parent)
{
    // Black around the panel, whatever the size of the page.
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setProperty("helpContext", helpContext);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("pn") + suffix);
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    m_panel->setLineWidth(1);
    m_panel->setFixedSize(PanelWidth, PanelHeight);
    m_panel->setProperty("helpContext", helpContext);
    auto *background = new TImage(m_panel);
    background->setObjectName(QStringLiteral("im") + suffix);
    background->setGeometry(1, 1, PanelWidth - 2, PanelHeight - 2);
    background->setProperty("helpContext", helpContext);
}

void TIndexPanelPage::Layout(const QSize &area)
{
    m_panel->move((area.width() - PanelWidth) / 2, (area.height() - PanelHeight) / 2);
}
