#include "TSearchResultsPane.h"

#include "AppIcons.h"
#include "SearchCategories.h"
#include "TSearchResultDelegate.h"
#include "TSearchResultsModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

TSearchResultsPane::TSearchResultsPane(TSearchEngine &engine, QWidget *parent)
    : QDockWidget(QStringLiteral("Wyniki wyszukiwania"), parent),
      m_model(new TSearchResultsModel(engine, this)), m_categories(new QComboBox),
      m_notFound(new QLabel), m_list(new QListView)
{
    setObjectName(QStringLiteral("pnWyniki"));
    setAccessibleName(QStringLiteral("Wyniki wyszukiwania"));
    m_categories->setObjectName(QStringLiteral("cbKategoria"));
    m_categories->setAccessibleName(QStringLiteral("Kategoria"));
    m_notFound->setObjectName(QStringLiteral("lbNieZnaleziono"));
    m_notFound->setWordWrap(true);
    m_notFound->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notFound->setTextFormat(Qt::PlainText);
    m_list->setObjectName(QStringLiteral("evWyniki"));
    m_list->setAccessibleName(QStringLiteral("Wyniki wyszukiwania"));
    m_list->setModel(m_model);
    // Every row is a title and two lines of text, cut to the width: rows of one height are laid
    // out at once however many there are, and a piece of text is made only for a row shown.
    m_list->setUniformItemSizes(true);
    m_list->setItemDelegate(new TSearchResultDelegate(m_list));
    m_list->setAlternatingRowColors(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The label names the choice for screen readers too, which say a combo box's current
    // item as its name.
    auto *label = new QLabel(QStringLiteral("&Kategoria:"));
    label->setBuddy(m_categories);
    m_categories->view()->setAccessibleName(QStringLiteral("Kategoria"));

    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *choice = new QHBoxLayout;
    choice->addWidget(label);
    choice->addWidget(m_categories, 1);
    layout->addLayout(choice);
    layout->addWidget(m_notFound);
    layout->addWidget(m_list, 1);
    setWidget(content);

    const auto choose = [this](const QModelIndex &index) {
        Q_EMIT entryChosen(index.data(TSearchResultsModel::TypRole).toString(),
                           index.data(TSearchResultsModel::NumerRole).toString(), m_query);
    };
    connect(m_list, &QListView::activated, this, choose);
    connect(m_list, &QListView::clicked, this, choose);
    connect(m_categories, &QComboBox::currentIndexChanged, this, &TSearchResultsPane::showCategory);
}

bool TSearchResultsPane::showResults(const QString &text)
{
    if (!m_model->setQuery(text))
        return false;
    m_query = text;
    const int found = m_model->matchCount();
    fillCategories();
    m_notFound->setText(found == 0 ? QStringLiteral("Nie znaleziono: %1").arg(text) : QString());
    m_notFound->setVisible(found == 0);
    m_list->setVisible(found > 0);
    setWindowTitle(QStringLiteral("Wyniki wyszukiwania: %1 (%2)").arg(text).arg(found));
    show();
    raise();
    selectFirst();
    return true;
}

void TSearchResultsPane::fillCategories()
{
    const QSignalBlocker quiet(m_categories);
    m_categories->clear();
    m_categories->addItem(QStringLiteral("Wszystkie kategorie (%1)").arg(m_model->matchCount()));
    // Categories the Index shows under one name are one item.
    for (int order = 0; order < SearchCategories::count();) {
        const QStringView name = SearchCategories::at(order).name;
        QList<int> orders;
        for (; order < SearchCategories::count() && SearchCategories::at(order).name == name;
             ++order)
            orders.append(order);
        if (const int n = m_model->matchCount(orders)) {
            const QString typ = SearchCategories::at(orders.front()).typ;
            m_categories->addItem(AppIcons::Category(typ),
                                  QStringLiteral("%1 (%2)").arg(name).arg(n),
                                  QVariant::fromValue(orders));
        }
    }
}

void TSearchResultsPane::showCategory(int item)
{
    m_model->setCategories(m_categories->itemData(item).value<QList<int>>());
    selectFirst();
}

void TSearchResultsPane::selectFirst()
{
    m_list->scrollToTop();
    if (m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0, 0));
}
