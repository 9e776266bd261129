#include "TFindBar.h"

#include "SearchFolding.h"
#include "THTMLViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>

namespace {

const QColor MatchColour(255, 230, 0);
const QColor CurrentMatchColour(255, 150, 50);

QToolButton *addButton(QWidget *bar, const QString &name, const QString &text,
                       const QString &toolTip, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolTip(toolTip);
    button->setIcon(bar->style()->standardIcon(icon, nullptr, button));
    button->setAutoRaise(true);
    return button;
}

} // namespace

TFindBar::TFindBar(THTMLViewer *view, QWidget *window, QWidget *parent)
    : QWidget(parent), m_view(view)
{
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(QStringLiteral("Wyszukiwanie na stronie"));

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edZnajdz"));
    m_edit->setPlaceholderText(QStringLiteral("Znajdź na stronie"));
    m_edit->setAccessibleName(QStringLiteral("Znajdź na stronie"));
    m_edit->setMaximumWidth(m_edit->fontMetrics().averageCharWidth() * 40);
    m_previous = addButton(this, QStringLiteral("btPoprzedni"), QStringLiteral("Poprzedni"),
                           QStringLiteral("Poprzedni (Shift+F3)"), QStyle::SP_ArrowUp);
    m_next = addButton(this, QStringLiteral("btNastepny"), QStringLiteral("Następny"),
                       QStringLiteral("Następny (F3)"), QStyle::SP_ArrowDown);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbWynik"));
    m_status->setAccessibleName(QStringLiteral("Wynik wyszukiwania"));
    m_close =
        addButton(this, QStringLiteral("btZamknij"), QStringLiteral("Zamknij wyszukiwanie"),
                  QStringLiteral("Zamknij wyszukiwanie (Esc)"), QStyle::SP_TitleBarCloseButton);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addSpacing(4);
    layout->addWidget(m_status);
    layout->addStretch();
    layout->addWidget(m_close);

    connect(m_edit, &QLineEdit::textChanged, this, &TFindBar::search);
    connect(m_previous, &QToolButton::clicked, this, &TFindBar::FindPrevious);
    connect(m_next, &QToolButton::clicked, this, &TFindBar::FindNext);
    connect(m_close, &QToolButton::clicked, this, &TFindBar::Close);

    // A new page arrives as many changes; it is searched once, when they are over.
    m_documentChanged.setSingleShot(true);
    m_documentChanged.setInterval(0);
    connect(m_view->document(), &QTextDocument::contentsChanged, &m_documentChanged,
            qOverload<>(&QTimer::start));
    connect(&m_documentChanged, &QTimer::timeout, this, [this] {
        if (!isHidden())
            search();
    });

    const auto addShortcut = [this, window](const QKeySequence &keys, void (TFindBar::*command)()) {
        auto *shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    };
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &TFindBar::Open);
    addShortcut(QKeySequence(Qt::Key_F3), &TFindBar::FindNext);
    addShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &TFindBar::FindPrevious);

    hide();
}

void TFindBar::Open()
{
    const bool opening = isHidden();
    if (opening) {
        // Closing gives the focus back where it was: the view in a document, the default
        // button in a dialog, so Enter goes on doing what it did.
        QWidget *focus = QApplication::focusWidget();
        m_returnFocus =
            focus && !isAncestorOf(focus) && window()->isAncestorOf(focus) ? focus : nullptr;
    }
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    if (opening)
        search();
}

void TFindBar::Find(const QString &text)
{
    m_edit->setText(text);
    Open();
}

void TFindBar::Close()
{
    hide();
    m_matches.clear();
    m_current = -1;
    m_view->setExtraSelections({});
    QWidget *focus = m_returnFocus && m_returnFocus->isVisible() && m_returnFocus->isEnabled()
                         ? m_returnFocus.data()
                         : m_view;
    focus->setFocus(Qt::ShortcutFocusReason);
}

void TFindBar::FindNext()
{
    if (isHidden())
        Open();
    else
        step(1);
}

void TFindBar::FindPrevious()
{
    if (isHidden())
        Open();
    else
        step(-1);
}

void TFindBar::keyPressEvent(QKeyEvent *event)
{
    // Keys the bar's controls leave alone; a dialog around the bar must not take them.
    switch (event->key()) {
    case Qt::Key_Escape:
        Close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        step(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

int TFindBar::readingPosition() const
{
    // The selection while it is in sight (the match found last, say), else the top of the view.
    const QTextCursor cursor = m_view->textCursor();
    if (m_view->viewport()->rect().intersects(m_view->cursorRect(cursor)))
        return cursor.selectionStart();
    return m_view->cursorForPosition(QPoint(0, 0)).position();
}

void TFindBar::search()
{
    const QString query = m_edit->text();
    const int from = readingPosition();
    QTextDocument *document = m_view->document();
    m_matches.clear();
    m_current = -1;
    // Block by block, so that positions are the view's even where pictures and tables are.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (const qsizetype start : SearchFolding::occurrences(block.text(), query)) {
            QTextCursor match(document);
            match.setPosition(block.position() + int(start));
            match.setPosition(block.position() + int(start + query.size()),
                              QTextCursor::KeepAnchor);
            if (m_current < 0 && match.selectionStart() >= from)
                m_current = int(m_matches.size());
            m_matches.append(match);
        }
    }
    if (m_current < 0 && !m_matches.isEmpty())
        m_current = 0;
    showMatches(QString());
}

void TFindBar::step(int direction)
{
    if (m_matches.isEmpty())
        return;
    const int count = MatchCount();
    const int next = m_current + direction;
    QString wrapped;
    if (next >= count)
        wrapped = QStringLiteral("od początku");
    else if (next < 0)
        wrapped = QStringLiteral("od końca");
    m_current = (next + count) % count;
    showMatches(wrapped);
}

void TFindBar::showMatches(const QString &wrapped)
{
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(m_matches.size());
    for (int i = 0; i < MatchCount(); ++i) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = m_matches.at(i);
        mark.format.setBackground(i == m_current ? CurrentMatchColour : MatchColour);
        mark.format.setForeground(Qt::black);
        marks.append(mark);
    }
    m_view->setExtraSelections(marks);
    if (m_current >= 0) {
        m_view->setTextCursor(m_matches.at(m_current));
        m_view->ensureCursorVisible();
    }

    QString status;
    if (!m_matches.isEmpty())
        status = QStringLiteral("%1 z %2").arg(m_current + 1).arg(MatchCount());
    else if (!m_edit->text().trimmed().isEmpty())
        status = QStringLiteral("Nie znaleziono");
    if (!wrapped.isEmpty())
        status += QStringLiteral(", ") + wrapped;
    m_status->setText(status);
    // A screen reader says the label by its name; the count goes with it.
    m_status->setAccessibleDescription(status);
}
