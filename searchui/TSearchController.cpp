#include "TSearchController.h"

#include "TSearchBox.h"
#include "TSearchEngine.h"
#include "TSearchResultsPane.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

bool onSomeScreen(const QRect &frame)
{
    // Enough of it to take hold of; a screen may be gone since it was saved.
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const QScreen *screen) {
        const QRect shown = screen->availableGeometry().intersected(frame);
        return shown.width() >= 40 && shown.height() >= 40;
    });
}

} // namespace

TSearchController::TSearchController(QMainWindow &window, SettingsStore &settings,
                                     std::function<QString()> containerPath)
    : QObject(&window), m_window(window), m_settings(settings),
      m_engine(new TSearchEngine(std::move(containerPath), this)),
      m_box(new TSearchBox(*m_engine, &window)), m_pane(new TSearchResultsPane(*m_engine, &window))
{
    // A toolbar of its own, beside the window's others.
    auto *toolbar = new QToolBar(QStringLiteral("Szukaj"), &window);
    toolbar->setObjectName(QStringLiteral("tbSzukaj"));
    toolbar->addWidget(m_box);
    for (QWidget *part : {static_cast<QWidget *>(toolbar), static_cast<QWidget *>(m_pane)})
        part->setProperty("helpContext", HelpContext);
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    if (auto *more = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Więcej przycisków"));
    placePane();

    // The page finds the words as typed; a phrase's quotes are no text of it.
    const auto choose = [this](const QString &typ, const QString &numer, const QString &found) {
        Q_EMIT entryChosen(typ, numer, QString(found).remove(u'"').simplified());
    };
    connect(m_box, &TSearchBox::entryChosen, this, choose);
    connect(m_pane, &TSearchResultsPane::entryChosen, this, choose);
    connect(m_box, &TSearchBox::searchRequested, this, &TSearchController::search);
    connect(m_engine, &TSearchEngine::progress, this, [this](int done, int total) {
        m_window.statusBar()->showMessage(QStringLiteral("Przygotowanie wyszukiwania: %1%")
                                              .arg(total > 0 ? done * 100 / total : 100));
    });
    connect(m_engine, &TSearchEngine::notKept, this, [this](const QString &folder) {
        m_notice = QStringLiteral("Nie można zapisać indeksu wyszukiwania w %1; indeks zostanie "
                                  "zbudowany tylko na czas tej sesji.")
                       .arg(QDir::toNativeSeparators(folder));
        m_window.statusBar()->showMessage(m_notice);
    });
    connect(m_engine, &TSearchEngine::ready, this, [this] {
        m_window.statusBar()->showMessage(m_notice);
        if (!m_pending.isEmpty())
            m_pane->showResults(std::exchange(m_pending, QString()));
    });
    // The matches shown come again from the index built anew.
    connect(m_engine, &TSearchEngine::lost, this, [this] {
        if (m_pending.isEmpty() && m_pane->isVisible())
            m_pending = m_pane->query();
    });
    connect(m_engine, &TSearchEngine::failed, this, [this](const QString &message) {
        m_window.statusBar()->showMessage(
            QStringLiteral("Wyszukiwanie niedostępne: %1").arg(message));
    });
}

void TSearchController::search(const QString &text)
{
    m_pending.clear();
    if (!m_pane->showResults(text)) {
        m_pending = text;
        m_engine->prepare();
    }
}

void TSearchController::placePane()
{
    if (const std::optional<PanePlacement> stored = m_settings.readPane(m_pane->objectName()))
        m_place = *stored;
    m_window.addDockWidget(Qt::DockWidgetArea(m_place.area), m_pane);
    if (m_place.floating && onSomeScreen(m_place.floatGeometry)) {
        m_pane->setFloating(true);
        m_pane->setGeometry(m_place.floatGeometry);
    } else {
        m_place.floating = false;
    }
    // Empty until the first search.
    m_pane->hide();
    m_pane->installEventFilter(this);
    connect(m_pane, &QDockWidget::dockLocationChanged, this, &TSearchController::keepPlace);
    connect(m_pane, &QDockWidget::topLevelChanged, this, &TSearchController::keepPlace);
}

bool TSearchController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_pane)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        // The docked size can be given only to a pane that is shown; the documents keep at
        // least half the window, as a size saved on a larger screen would leave them less.
        if (!m_sized && !m_pane->isFloating() && m_place.size > 0) {
            const Qt::DockWidgetArea area = m_window.dockWidgetArea(m_pane);
            const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
            const int most = (across ? m_window.width() : m_window.height()) / 2;
            m_window.resizeDocks({m_pane}, {std::min(m_place.size, most)},
                                 across ? Qt::Horizontal : Qt::Vertical);
        }
        m_sized = true;
        break;
    case QEvent::Resize:
    case QEvent::Move:
        keepPlace();
        break;
    default:
        break;
    }
    return false;
}

void TSearchController::keepPlace()
{
    // A hidden pane has no place of its own yet.
    if (!m_sized || !m_pane->isVisible())
        return;
    m_place.floating = m_pane->isFloating();
    if (m_place.floating) {
        m_place.floatGeometry = m_pane->geometry();
    } else {
        const Qt::DockWidgetArea area = m_window.dockWidgetArea(m_pane);
        if (area == Qt::NoDockWidgetArea)
            return;
        m_place.area = int(area);
        m_place.size = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea
                           ? m_pane->width()
                           : m_pane->height();
    }
    m_settings.writePane(m_pane->objectName(), m_place);
}
