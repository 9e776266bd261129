#include "HelpWindow.h"

#include "ContentsFile.h"
#include "HelpFormatError.h"
#include "HelpPopup.h"
#include "HelpTopicRenderer.h"
#include "WinHelpFile.h"

#include <QAction>
#include <QCollator>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int OffsetRole = Qt::UserRole;

} // namespace

HelpWindow::HelpWindow(const WinHelpFile &file, const QString &contentsPath, QWidget *parent)
    : QWidget(parent, Qt::Window), m_file(file), m_tabs(new QTabWidget),
      m_contents(new QTreeWidget), m_find(new QLineEdit), m_index(new QListWidget),
      m_view(new QTextBrowser)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(file.title().isEmpty() ? QStringLiteral("Pomoc") : file.title());
    resize(820, 600);

    auto *toolbar = new QToolBar;
    QAction *home = toolbar->addAction(QStringLiteral("Spis treści"));
    m_back = toolbar->addAction(QStringLiteral("Wstecz"));
    m_forward = toolbar->addAction(QStringLiteral("Dalej"));
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    connect(home, &QAction::triggered, this, [this] { showTopicAt(m_file.contentsOffset()); });
    connect(m_back, &QAction::triggered, this, &HelpWindow::back);
    connect(m_forward, &QAction::triggered, this, &HelpWindow::forward);

    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    connect(m_contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, OffsetRole).isValid())
            showTopicAt(item->data(0, OffsetRole).toUInt());
    });

    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(QStringLiteral("Wpisz pierwsze litery szukanego tematu:")));
    m_find->setObjectName(QStringLiteral("helpFind"));
    indexLayout->addWidget(m_find);
    m_index->setObjectName(QStringLiteral("helpIndex"));
    indexLayout->addWidget(m_index);
    connect(m_find, &QLineEdit::textEdited, this, &HelpWindow::findInIndex);
    connect(m_find, &QLineEdit::returnPressed, this, &HelpWindow::openIndexItem);
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::openIndexItem);

    m_tabs->addTab(m_contents, QStringLiteral("Spis treści"));
    m_tabs->addTab(indexPage, QStringLiteral("Indeks"));

    m_view->setObjectName(QStringLiteral("helpTopic"));
    m_view->setOpenLinks(false);
    connect(m_view, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter);

    fillContents(contentsPath);
    fillIndex();
    showTopicAt(m_file.contentsOffset());
}

void HelpWindow::fillContents(const QString &contentsPath)
{
    QFile cnt(contentsPath);
    if (!contentsPath.isEmpty() && cnt.open(QIODevice::ReadOnly)) {
        const ContentsFile contents = ContentsFile::parse(cnt.readAll(), m_file.codecName());
        QList<QTreeWidgetItem *> parents;
        for (const ContentsFile::Entry &entry : contents.entries()) {
            parents.resize(qMin<qsizetype>(parents.size(), entry.level - 1));
            auto *item = parents.isEmpty() ? new QTreeWidgetItem(m_contents)
                                           : new QTreeWidgetItem(parents.last());
            item->setText(0, entry.title);
            if (!entry.context.isEmpty()) {
                if (const std::optional<quint32> offset = m_file.contextName(entry.context))
                    item->setData(0, OffsetRole, *offset);
            }
            parents.append(item);
        }
        m_contents->expandAll();
        return;
    }
    // Without a .CNT file, the jumps of the contents topic make the contents.
    const int topic = m_file.topicIndexAt(m_file.contentsOffset());
    if (topic < 0)
        return;
    try {
        for (const HelpParagraph &paragraph : m_file.topic(topic).paragraphs) {
            for (const HelpRun &run : paragraph.runs) {
                if (run.link != HelpRun::Jump || !run.targetKnown || run.text.trimmed().isEmpty())
                    continue;
                auto *item = new QTreeWidgetItem(m_contents);
                item->setText(0, run.text.trimmed());
                item->setData(0, OffsetRole, run.target);
            }
        }
    } catch (const HelpFormatError &) {
        // A damaged contents topic leaves the tab empty; its own view reports it.
    }
}

void HelpWindow::fillIndex()
{
    struct Title
    {
        QString text;
        quint32 offset;
    };
    QList<Title> titles;
    try {
        for (const WinHelpFile::TitleEntry &title : m_file.titles())
            titles.append({title.title, title.offset});
    } catch (const HelpFormatError &) {
        titles.clear(); // a damaged title tree: the topics' own titles serve
    }
    if (titles.isEmpty())
        for (const WinHelpFile::TopicEntry &topic : m_file.topics())
            titles.append({topic.title, topic.offset});
    QCollator collator{QLocale(QLocale::Polish)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(titles.begin(), titles.end(),
              [&](const Title &a, const Title &b) { return collator.compare(a.text, b.text) < 0; });
    for (const Title &title : std::as_const(titles)) {
        if (title.text.isEmpty())
            continue;
        auto *item = new QListWidgetItem(title.text, m_index);
        item->setData(OffsetRole, title.offset);
    }
}

void HelpWindow::findInIndex(const QString &text)
{
    for (int i = 0; i < m_index->count(); ++i) {
        if (m_index->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_index->setCurrentRow(i);
            m_index->scrollToItem(m_index->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::openIndexItem()
{
    if (const QListWidgetItem *item = m_index->currentItem())
        showTopicAt(item->data(OffsetRole).toUInt());
}

void HelpWindow::showTopicAt(quint32 offset)
{
    const int topic = m_file.topicIndexAt(offset);
    if (topic < 0 || topic == m_current)
        return;
    m_history.resize(m_position + 1);
    m_history.append(topic);
    m_position = int(m_history.size()) - 1;
    display(topic);
}

void HelpWindow::back()
{
    if (m_position > 0)
        display(m_history.at(--m_position));
}

void HelpWindow::forward()
{
    if (m_position + 1 < m_history.size())
        display(m_history.at(++m_position));
}

void HelpWindow::display(int topic)
{
    m_current = topic;
    try {
        HelpTopicRenderer::render(m_file, m_file.topic(topic), m_view->document());
    } catch (const HelpFormatError &error) {
        m_view->setPlainText(
            QStringLiteral("Nie można wyświetlić tego tematu: %1").arg(error.message()));
    }
    updateActions();
}

void HelpWindow::updateActions()
{
    m_back->setEnabled(m_position > 0);
    m_forward->setEnabled(m_position + 1 < m_history.size());
}

QString HelpWindow::topicText() const
{
    return m_view->toPlainText();
}

void HelpWindow::followLink(const QUrl &link)
{
    bool popup = false;
    quint32 offset = 0;
    if (!HelpTopicRenderer::parseLink(link.toString(), &popup, &offset))
        return;
    if (!popup) {
        showTopicAt(offset);
        return;
    }
    const int topic = m_file.topicIndexAt(offset);
    if (topic < 0)
        return;
    auto *window = new HelpPopup(this);
    try {
        window->showTopic(m_file, m_file.topic(topic), QCursor::pos());
    } catch (const HelpFormatError &error) {
        window->showMessage(error.message(), QCursor::pos());
    }
}
