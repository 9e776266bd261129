#include "TSearchBox.h"

#include "AppIcons.h"
#include "SearchCategories.h"
#include "TSearchEngine.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QStandardItemModel>

namespace {

enum Role { TypRole = Qt::UserRole, NumerRole };

} // namespace

TSearchBox::TSearchBox(TSearchEngine &engine, QWidget *parent)
    : QLineEdit(parent), m_engine(engine), m_model(new QStandardItemModel(this)),
      m_completer(new QCompleter(m_model, this))
{
    setObjectName(QStringLiteral("edSzukaj"));
    setPlaceholderText(QStringLiteral("Szukaj w encyklopedii"));
    setAccessibleName(QStringLiteral("Szukaj w encyklopedii"));
    setMinimumWidth(220);
    // Like the toolbar's buttons it is no Tab stop, so Tab stays inside the windows' own
    // controls; Ctrl+K and a click reach it.
    setFocusPolicy(Qt::ClickFocus);

    // The model holds the matches already; the completer only shows them.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setWidget(this);
    m_completer->popup()->setAccessibleName(QStringLiteral("Podpowiedzi wyszukiwania"));
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this,
            [this](const QModelIndex &index) {
                Q_EMIT entryChosen(index.data(TypRole).toString(), index.data(NumerRole).toString(),
                                   m_suggested);
            });
    connect(this, &QLineEdit::textEdited, this, &TSearchBox::suggest);
    connect(&m_engine, &TSearchEngine::ready, this, [this] {
        if (hasFocus())
            suggest();
    });
    // Enter opens the suggestion chosen with the arrows (the completer does), or else lists
    // every match.
    connect(this, &QLineEdit::returnPressed, this, [this] {
        QAbstractItemView *popup = m_completer->popup();
        if (popup->isVisible() && popup->currentIndex().isValid())
            return;
        popup->hide();
        if (!text().trimmed().isEmpty())
            Q_EMIT searchRequested(text());
    });
}

void TSearchBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    m_engine.prepare();
}

void TSearchBox::activate()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void TSearchBox::suggest()
{
    m_model->clear();
    // The field shows a suggestion's line while it is chosen with the arrows.
    m_suggested = text();
    m_engine.prepare();
    const SearchQuery query(text());
    QList<SearchIndex::Result> titles;
    if (!query.isEmpty())
        m_engine.read(
            [&](const SearchIndex &index) { titles = index.titleMatches(query, Suggestions); });
    for (const SearchIndex::Result &r : titles) {
        // Entries of two categories may share a title (a work and its excerpt): the line
        // names its category.
        const QStringView category = SearchCategories::at(SearchCategories::orderOf(r.typ)).name;
        auto *item = new QStandardItem(AppIcons::Category(r.typ),
                                       r.title + QStringLiteral(" – ") + category.toString());
        item->setData(r.typ, TypRole);
        item->setData(r.numer, NumerRole);
        item->setEditable(false);
        m_model->appendRow(item);
    }
    if (m_model->rowCount() == 0) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->complete();
    // None is chosen until the reader moves to one.
    m_completer->popup()->setCurrentIndex({});
}
