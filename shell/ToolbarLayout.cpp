#include "ToolbarLayout.h"

#include <QByteArray>
#include <QDataStream>
#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIODevice>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QToolBar>

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

struct DockName
{
    Qt::ToolBarArea area;
    QStringView name;
};

constexpr DockName dockNames[] = {
    {Qt::TopToolBarArea, u"Dock971"},
    {Qt::BottomToolBarArea, u"Dock972"},
    {Qt::LeftToolBarArea, u"Dock973"},
    {Qt::RightToolBarArea, u"Dock974"},
};

constexpr QStringView floatingName = u"+";

// Dock names are matched without regard to case.
Qt::ToolBarArea areaNamed(QStringView name)
{
    for (const DockName &dock : dockNames) {
        if (dock.name.compare(name, Qt::CaseInsensitive) == 0)
            return dock.area;
    }
    return Qt::NoToolBarArea;
}

QString nameOf(Qt::ToolBarArea area)
{
    for (const DockName &dock : dockNames) {
        if (dock.area == area)
            return dock.name.toString();
    }
    return QString();
}

bool isHorizontal(Qt::ToolBarArea area)
{
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

// Offset of a toolbar along its line.
int along(Qt::ToolBarArea area, const QWidget &toolbar)
{
    return isHorizontal(area) ? toolbar.x() : toolbar.y();
}

// Distance of a toolbar's line from the window edge of its area: QMainWindow counts the lines
// of the bottom and right areas from that edge inwards, as it does for the top and left.
int depth(Qt::ToolBarArea area, const QWidget &toolbar)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return -toolbar.y();
    case Qt::RightToolBarArea:
        return -toolbar.x();
    case Qt::LeftToolBarArea:
        return toolbar.x();
    default:
        return toolbar.y();
    }
}

// A place in a toolbar area: the line, counted from the window edge, and the pixel offset
// along it.
struct Spot
{
    Qt::ToolBarArea area = Qt::NoToolBarArea;
    int row = 0;
    int pos = 0;
};

bool inLayout(const QMainWindow &window, const QToolBar &toolbar)
{
    return window.toolBarArea(&toolbar) != Qt::NoToolBarArea;
}

QList<QToolBar *> laidOutToolBars(const QMainWindow &window)
{
    QList<QToolBar *> toolbars = window.findChildren<QToolBar *>(Qt::FindDirectChildrenOnly);
    toolbars.removeIf([&](QToolBar *toolbar) { return !inLayout(window, *toolbar); });
    return toolbars;
}

// The geometry the window gives its toolbars is the only public record of their lines and
// offsets; pending changes are laid out first so it is current.
void settle(const QMainWindow &window)
{
    if (QLayout *layout = window.layout())
        layout->activate();
}

// Where a docked toolbar lies now. Its row counts the distinct lines of the shown toolbars
// nearer the edge; its offset is measured from the start of the area, where the first shown
// toolbar of every line sits. A hidden toolbar takes no space, so for it this is where it was
// last shown.
Spot spotOf(const QMainWindow &window, const QToolBar &toolbar)
{
    Spot spot{window.toolBarArea(&toolbar)};
    const int ownDepth = depth(spot.area, toolbar);
    QList<int> nearer;
    int start = along(spot.area, toolbar);
    for (const QToolBar *other : laidOutToolBars(window)) {
        if (other == &toolbar || other->isHidden() || other->isFloating() ||
            window.toolBarArea(other) != spot.area)
            continue;
        const int otherDepth = depth(spot.area, *other);
        if (otherDepth < ownDepth && !nearer.contains(otherDepth))
            nearer.append(otherDepth);
        start = std::min(start, along(spot.area, *other));
    }
    spot.row = int(nearer.size());
    spot.pos = along(spot.area, toolbar) - start;
    return spot;
}

// A floating position that keeps the whole toolbar on the screen holding its corner, or on
// the window's screen when no screen does (a monitor that is gone, say).
QPoint keptOnScreen(const QMainWindow &window, QPoint topLeft, QSize size)
{
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = window.screen();
    if (!screen)
        return topLeft;
    const QRect free = screen->availableGeometry();
    const int x = std::clamp(topLeft.x(), free.left(),
                             std::max(free.left(), free.right() + 1 - size.width()));
    const int y = std::clamp(topLeft.y(), free.top(),
                             std::max(free.top(), free.bottom() + 1 - size.height()));
    return {x, y};
}

// Shows a floating toolbar once its main window is shown. A tool window mapped before its main
// window has no owner yet, and a window manager stacks it below the window when that appears.
class ShowWithWindow : public QObject
{
    Q_OBJECT

public:
    ShowWithWindow(QToolBar &toolbar, QMainWindow &window) : QObject(&toolbar), m_toolbar(toolbar)
    {
        window.installEventFilter(this);
    }

    static ShowWithWindow *of(const QToolBar &toolbar)
    {
        return toolbar.findChild<ShowWithWindow *>(QString(), Qt::FindDirectChildrenOnly);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // Once the window is on its way to the screen, not while it is still being shown.
            QMetaObject::invokeMethod(this, &ShowWithWindow::showToolBar, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void showToolBar()
    {
        if (m_toolbar.isFloating())
            m_toolbar.show();
        deleteLater();
    }

    QToolBar &m_toolbar;
};

// Floats a toolbar the way QToolBar floats itself when dragged off its area: it becomes a
// frameless tool window but stays a child of the main window and an item of its layout, which
// skips it while it is a window. So it keeps its place in its area, and docking it again
// (by dragging, or by QMainWindow::addToolBar) works as for a toolbar the user floated.
void makeFloating(QMainWindow &window, QToolBar &toolbar, QPoint topLeft, bool visible)
{
    delete ShowWithWindow::of(toolbar);
    toolbar.setOrientation(Qt::Horizontal);
    toolbar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    toolbar.resize(toolbar.sizeHint());
    toolbar.move(keptOnScreen(window, topLeft, toolbar.size()));
    if (visible && !window.isVisible()) {
        toolbar.hide();
        new ShowWithWindow(toolbar, window);
    } else {
        toolbar.setVisible(visible);
    }
}

// --- Offsets within a line ---
//
// QMainWindow packs the toolbars of a line one after another; a toolbar lies further along only
// when the one before it has a larger preferred size, which Qt sets when the user drags a
// toolbar along its line. Nothing public sets it but QMainWindow::restoreState(), so the
// toolbar part at the end of saveState() is rewritten with the sizes wanted. That part holds a
// marker, the number of lines and per line its dock and its toolbars, each with object name,
// shown flag, offset, preferred size and two words of floating geometry.

constexpr uchar toolBarMarker = 0xfc;
// Any number: saveState() and restoreState() only have to agree on it.
constexpr int stateVersion = 971;

int lengthAlong(const QToolBar &toolbar)
{
    const QSize hint = toolbar.sizeHint().expandedTo(toolbar.minimumSizeHint());
    return toolbar.orientation() == Qt::Horizontal ? hint.width() : hint.height();
}

// Hands the window's layout back to it with the given preferred sizes (-1: natural size).
// Gives up, leaving the lines packed, when the toolbar part is not where and what it should be.
void setPreferredSizes(QMainWindow &window, const QHash<const QToolBar *, int> &sizes,
                       int lineCount)
{
    // restoreState() finds the toolbars by object name among all toolbars in the window, so
    // each laid out toolbar needs a name of its own.
    const QList<QToolBar *> all = window.findChildren<QToolBar *>();
    QHash<QString, const QToolBar *> named;
    qsizetype partSize = 1 + 4 + 8 * qsizetype(lineCount);
    for (const QToolBar *toolbar : laidOutToolBars(window)) {
        const QString name = toolbar->objectName();
        const auto sameName = [&name](const QToolBar *t) { return t->objectName() == name; };
        if (name.isEmpty() || std::count_if(all.begin(), all.end(), sameName) != 1)
            return;
        named.insert(name, toolbar);
        partSize += 4 + 2 * name.size() + 1 + 4 * 4;
    }

    const QByteArray state = window.saveState(stateVersion);
    if (partSize > state.size())
        return;
    const QByteArray head = state.left(state.size() - partSize);

    QDataStream in(state.sliced(head.size()));
    in.setVersion(QDataStream::Qt_5_0);
    QByteArray part;
    QDataStream out(&part, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_0);

    uchar marker = 0;
    int lines = 0;
    in >> marker >> lines;
    if (marker != toolBarMarker || lines != lineCount)
        return;
    out << marker << lines;
    for (int line = 0; line < lines; ++line) {
        int dock = 0;
        int count = 0;
        in >> dock >> count;
        if (in.status() != QDataStream::Ok || count < 0)
            return;
        out << dock << count;
        for (int i = 0; i < count; ++i) {
            QString name;
            uchar shown = 0;
            int pos = 0;
            int size = 0;
            quint32 geometry0 = 0;
            quint32 geometry1 = 0;
            in >> name >> shown >> pos >> size >> geometry0 >> geometry1;
            const QToolBar *toolbar = named.value(name);
            if (!toolbar)
                return;
            out << name << shown << pos << sizes.value(toolbar, -1) << geometry0 << geometry1;
        }
    }
    if (in.status() == QDataStream::Ok && in.atEnd())
        window.restoreState(head + part, stateVersion);
}

struct Placed
{
    QToolBar *toolbar;
    Spot spot;
    bool visible;
    std::optional<QPoint> floatAt;
    bool stored = false;
};

// Spaces the shown docked toolbars of each line to their offsets: the first of a line always
// starts it, a toolbar never overlaps the one before it, and none is put past the far side of
// the desktop or the window. Where the window is too short for a line, Qt squeezes it as it
// does after a drag.
void applyOffsets(QMainWindow &window, const QList<Placed> &placed)
{
    const QScreen *screen = window.screen();
    const QSize room = screen ? screen->virtualSize().expandedTo(window.size()) : window.size();
    QHash<const QToolBar *, int> sizes;
    int lineCount = 0;
    const Placed *previous = nullptr;
    int previousStart = 0;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const Placed &item = placed.at(i);
        if (i == 0 || item.spot.area != placed.at(i - 1).spot.area ||
            item.spot.row != placed.at(i - 1).spot.row) {
            ++lineCount;
            previous = nullptr;
        }
        if (!item.visible || item.floatAt)
            continue;
        int start = 0;
        if (previous) {
            const int natural = lengthAlong(*previous->toolbar);
            const int farthest = (isHorizontal(item.spot.area) ? room.width() : room.height()) -
                                 lengthAlong(*item.toolbar);
            const int gap = std::min(item.spot.pos, farthest) - previousStart;
            if (gap > natural)
                sizes.insert(previous->toolbar, gap);
            start = previousStart + std::max(gap, natural);
        }
        previous = &item;
        previousStart = start;
    }
    if (!sizes.isEmpty())
        setPreferredSizes(window, sizes, lineCount);
}

} // namespace

namespace ToolbarLayout {

void restore(QMainWindow &window, const Stored &toolbars)
{
    settle(window);

    // Every toolbar of the window is laid out again, in its present place unless a stored one
    // moves it; toolbars floating now float on where they are.
    QList<Placed> placed;
    for (QToolBar *toolbar : laidOutToolBars(window)) {
        if (toolbar->isFloating()) {
            placed.append({toolbar,
                           {window.toolBarArea(toolbar), INT_MAX, 0},
                           !toolbar->isHidden(),
                           toolbar->pos()});
        } else {
            placed.append({toolbar, spotOf(window, *toolbar), !toolbar->isHidden(), {}});
        }
    }
    const auto before = [](const Placed &a, const Placed &b) {
        return std::tie(a.spot.area, a.spot.row, a.spot.pos) <
               std::tie(b.spot.area, b.spot.row, b.spot.pos);
    };
    std::stable_sort(placed.begin(), placed.end(), before);

    bool moved = false;
    for (const auto &[toolbar, stored] : toolbars) {
        if (!toolbar || !stored || toolbar->parentWidget() != &window)
            continue;
        auto item = std::find_if(placed.begin(), placed.end(),
                                 [bar = toolbar](const Placed &p) { return p.toolbar == bar; });
        if (item == placed.end())
            item = placed.insert(placed.end(), Placed{toolbar, {}, !toolbar->isHidden(), {}});
        item->stored = true;
        item->visible = stored->visible;

        const bool floating = stored->dockedTo == floatingName;
        const Qt::ToolBarArea area = areaNamed(floating ? stored->lastDock : stored->dockedTo);
        if (floating)
            item->floatAt = QPoint(stored->floatLeft, stored->floatTop);
        else if (area != Qt::NoToolBarArea)
            item->floatAt.reset();
        if (area != Qt::NoToolBarArea) {
            item->spot = {area, std::max(stored->dockRow, 0), std::max(stored->dockPos, 0)};
            moved = true;
        }
    }
    placed.removeIf([](const Placed &p) { return p.spot.area == Qt::NoToolBarArea; });

    if (moved) {
        std::stable_sort(placed.begin(), placed.end(), before);
        // Appending in order rebuilds every area: QMainWindow::addToolBar() takes a toolbar
        // from wherever it is and adds it to the last line of the area, so once all have
        // been added each line holds what it should, in order.
        for (qsizetype i = 0; i < placed.size(); ++i) {
            const Placed &item = placed.at(i);
            if (i > 0 && item.spot.area == placed.at(i - 1).spot.area &&
                item.spot.row != placed.at(i - 1).spot.row)
                window.addToolBarBreak(item.spot.area);
            window.addToolBar(item.spot.area, item.toolbar);
        }
    }
    // Stored toolbars are shown or hidden as stored; the others keep their visibility, a show
    // still pending included.
    for (const Placed &item : std::as_const(placed)) {
        if (item.stored && !item.floatAt)
            item.toolbar->setVisible(item.visible);
    }
    if (moved)
        applyOffsets(window, placed);
    for (const Placed &item : std::as_const(placed)) {
        if (item.floatAt)
            makeFloating(window, *item.toolbar, *item.floatAt, item.visible);
    }
}

ToolbarPlacement capture(const QMainWindow &window, const QToolBar &toolbar)
{
    settle(window);

    ToolbarPlacement placement;
    placement.rev = 3;
    // The toolbar's own flag: the window may already be hidden when the layout is saved.
    placement.visible = !toolbar.isHidden() || ShowWithWindow::of(toolbar);
    const Qt::ToolBarArea area = window.toolBarArea(&toolbar);
    if (toolbar.isFloating()) {
        // A floating toolbar keeps its item in the area it came from, and returns there.
        placement.dockedTo = floatingName.toString();
        placement.lastDock = nameOf(area);
        placement.floatLeft = toolbar.x();
        placement.floatTop = toolbar.y();
    } else if (area != Qt::NoToolBarArea) {
        const Spot spot = spotOf(window, toolbar);
        placement.dockedTo = nameOf(area);
        placement.dockRow = spot.row;
        placement.dockPos = spot.pos;
    }
    return placement;
}

} // namespace ToolbarLayout

#include "ToolbarLayout.moc"
