#include "HistoryMenu.h"

#include "ContextHelpMode.h"
#include "ReaderTrail.h"

#include <QAction>
#include <QMenu>

HistoryMenu::HistoryMenu(QMenu &menu, ReaderTrail &trail, ContextHelpMode &helpMode)
    : QObject(&menu), m_menu(menu), m_trail(trail), m_helpMode(helpMode)
{
    connect(&menu, &QMenu::aboutToShow, this, &HistoryMenu::refresh);
}

void HistoryMenu::refresh()
{
    qDeleteAll(m_entries);
    m_entries.clear();
    const QList<HistoryEntry> recent = m_trail.recent(Length);
    if (recent.isEmpty())
        return;
    m_entries.append(m_menu.addSeparator());
    for (const HistoryEntry &entry : recent) {
        QAction *item = m_menu.addAction(entry.caption);
        item->setCheckable(true);
        item->setChecked(m_trail.isOpen(entry));
        connect(item, &QAction::triggered, this, [this, item, entry] {
            if (!m_helpMode.intercept(item))
                m_trail.open(entry);
        });
        m_entries.append(item);
    }
}
