#include "TSearchResultsPane.h"

#include "AppIcons.h"
#include "TSearchEngine.h"

#include <QListWidget>

namespace {

enum Role { TypRole = Qt::UserRole, NumerRole };

} // namespace

TSearchResultsPane::TSearchResultsPane(TSearchEngine &engine, QWidget *parent)
    : QDockWidget(QStringLiteral("Wyniki wyszukiwania"), parent), m_engine(engine),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("pnWyniki"));
    setAccessibleName(QStringLiteral("Wyniki wyszukiwania"));
    m_list->setObjectName(QStringLiteral("evWyniki"));
    m_list->setAccessibleName(QStringLiteral("Wyniki wyszukiwania"));
    m_list->setWordWrap(true);
    m_list->setAlternatingRowColors(true);
    setWidget(m_list);
    const auto choose = [this](QListWidgetItem *item) {
        const QString typ = item->data(TypRole).toString();
        if (!typ.isEmpty()) // not the line saying nothing was found
            Q_EMIT entryChosen(typ, item->data(NumerRole).toString());
    };
    connect(m_list, &QListWidget::itemActivated, this, choose);
    connect(m_list, &QListWidget::itemClicked, this, choose);
}

bool TSearchResultsPane::showResults(const QString &text)
{
    const SearchIndex *index = m_engine.index();
    if (!index)
        return false;
    m_list->clear();
    const SearchQuery query(text);
    const QList<SearchIndex::Result> results = index->search(query);
    for (const SearchIndex::Result &r : results) {
        const QString snippet = index->snippet(r, query, QStringLiteral("«"), QStringLiteral("»"));
        auto *item = new QListWidgetItem(AppIcons::Category(r.typ),
                                         r.title + u'\n' + snippet, m_list);
        item->setData(TypRole, r.typ);
        item->setData(NumerRole, r.numer);
        item->setToolTip(snippet);
    }
    if (results.isEmpty())
        new QListWidgetItem(QStringLiteral("Nie znaleziono: %1").arg(text), m_list);
    setWindowTitle(QStringLiteral("Wyniki wyszukiwania: %1 (%2)").arg(text).arg(results.size()));
    show();
    raise();
    if (!results.isEmpty())
        m_list->setCurrentRow(0);
    return true;
}
