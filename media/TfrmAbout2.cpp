#include "TfrmAbout2.h"

#include "AppIcons.h"
#include "THTMLViewer.h"
#include "VersionInfo.h"
#include "VersionTable.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

namespace {
const QString HelpFiles[] = {QStringLiteral("readme.htm"), QStringLiteral("licence.htm"),
                             QStringLiteral("credits.htm")};
} // namespace

TfrmAbout2::TfrmAbout2(const QString &programFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      m_helpFolder(QDir(programFolder).filePath(QStringLiteral("help"))),
      m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("frmAbout2"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setWindowIcon(AppIcons::Program());
    setFixedSize(485, 318);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(4, 4, 32, 32);
    m_image1->setPixmap(AppIcons::Program().pixmap(32, 32));
    m_image1->installEventFilter(this);

    auto *label1 = new QLabel(VersionInfo::FileVersion.text(), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(0, 38, 40, 12);
    label1->setAlignment(Qt::AlignCenter);
    QFont small(QStringLiteral("Small Fonts"));
    small.setPixelSize(8);
    small.setStretch(QFont::SemiCondensed);
    label1->setFont(small);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(40, 4, 442, 286);
    THTMLViewer *info = addHtmlPage(QStringLiteral("HTInfo1"), QStringLiteral("Informacje"),
                                    QStringLiteral("Arial CE"));
    THTMLViewer *licence = addHtmlPage(QStringLiteral("HTInfo2"),
                                       QStringLiteral("Umowa licencyjna"), QStringLiteral("Arial"));
    THTMLViewer *credits = addHtmlPage(QStringLiteral("HTInfo3"), QStringLiteral("Podziękowania"),
                                       QStringLiteral("Arial CE"));
    m_pages->addTab(new QWidget, QString());
    m_pages->setTabVisible(HiddenPage, false);
    fillVersionTable();

    connect(info, &THTMLViewer::HotSpotClick, this,
            [this, info](const QString &target, bool *handled) {
                HTInfo1HotSpotClick(info, target, handled);
            });
    connect(credits, &THTMLViewer::HotSpotClick, this,
            [this, credits](const QString &target, bool *handled) {
                HTInfo1HotSpotClick(credits, target, handled);
            });
    connect(licence, &THTMLViewer::HotSpotClick, this, &TfrmAbout2::HTInfo2HotSpotClick);

    auto *label2 = new QLabel(VersionInfo::ProductName(), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(8, 290, 380, 14);
    auto *label3 = new QLabel(VersionInfo::LegalCopyright(), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(8, 303, 380, 14);

    auto *button1 = new QPushButton(QStringLiteral("&OK"), this);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setGeometry(404, 292, 77, 23);

    // Fonts wider than the classic ones would hide tab captions behind scroll arrows: the
    // dialog grows by what the captions need.
    if (const int extra = m_pages->tabBar()->sizeHint().width() - m_pages->width() + 8; extra > 0) {
        setFixedSize(width() + extra, height());
        m_pages->resize(m_pages->width() + extra, m_pages->height());
        button1->move(button1->x() + extra, button1->y());
    }
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
}

THTMLViewer *TfrmAbout2::addHtmlPage(const QString &objectName, const QString &caption,
                                     const QString &font)
{
    auto *view = new THTMLViewer;
    view->setObjectName(objectName);
    view->setFrameShape(QFrame::Box);
    view->SetDefBackground(palette().color(QPalette::Window));
    view->SetDefFontColor(palette().color(QPalette::ToolTipText));
    view->SetDefFontName(font);
    view->SetDefFontSize(10);
    const int page = m_pages->addTab(view, caption);
    // A missing file leaves its page empty.
    const QString path = QDir(m_helpFolder).filePath(HelpFiles[page]);
    if (QFileInfo(path).isFile())
        view->LoadFromFile(path);
    return view;
}

void TfrmAbout2::fillVersionTable()
{
    const QList<VersionTable::Row> rows = VersionTable::Rows();
    m_listView1 = new QTableWidget(int(rows.size()), 2);
    m_listView1->setObjectName(QStringLiteral("ListView1"));
    m_listView1->setHorizontalHeaderLabels({QStringLiteral("Resource"), QStringLiteral("Value")});
    m_listView1->verticalHeader()->hide();
    m_listView1->verticalHeader()->setDefaultSectionSize(m_listView1->fontMetrics().height() + 4);
    m_listView1->setShowGrid(true);
    m_listView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listView1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < rows.size(); ++i) {
        m_listView1->setItem(i, 0, new QTableWidgetItem(rows[i].resource));
        m_listView1->setItem(i, 1, new QTableWidgetItem(rows[i].value));
    }
    m_listView1->resizeColumnsToContents();
    m_pages->addTab(m_listView1, QStringLiteral("Dane o programie"));
}

void TfrmAbout2::HTInfo1HotSpotClick(THTMLViewer *view, const QString &target, bool *handled)
{
    *handled = true;
    if (target.startsWith(u'#')) {
        // After the click is done with: its release would bring the link back into view.
        QTimer::singleShot(0, view,
                           [view, anchor = target.mid(1)] { view->scrollToAnchor(anchor); });
    } else
        openWithDesktop(view, target);
}

void TfrmAbout2::HTInfo2HotSpotClick(const QString &target, bool *handled)
{
    *handled = true;
    openWithDesktop(findChild<THTMLViewer *>(QStringLiteral("HTInfo2")), target);
}

void TfrmAbout2::openWithDesktop(THTMLViewer *view, const QString &target)
{
    // A target without a scheme (a file, an anchor) is taken relative to the page's file.
    const QString page = QDir(m_helpFolder).filePath(HelpFiles[m_pages->indexOf(view)]);
    const QUrl url = QUrl::fromLocalFile(page).resolved(QUrl(target));
    m_openUrl(url); // a link the desktop cannot open is ignored
}

bool TfrmAbout2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_image1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_lastModifiers = mouse->modifiers();
            m_lastButtons = mouse->buttons();
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (m_lastModifiers == Qt::ShiftModifier && m_lastButtons == Qt::NoButton)
                m_pages->setCurrentIndex(HiddenPage);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
