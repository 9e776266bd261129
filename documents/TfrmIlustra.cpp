#include "TfrmIlustra.h"

#include "DocumentTemplates.h"
#include "Globals.h"
#include "JpegDecoder.h"
#include "LoadingGuard.h"
#include "PictureFit.h"
#include "THTMLViewer.h"
#include "TPSSDirectory.h"
#include "TPictureDisplay.h"
#include "TPulpit.h"
#include "TScrollBanner.h"
#include "TextLines.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QSplitter>
#include <QToolButton>

namespace {
constexpr int DescriptionHeight = 34;
} // namespace

TfrmIlustra::TfrmIlustra(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmIlustra"));
    setWindowTitle(QStringLiteral("frmIlustra"));
    EnableBanner();
    HideGradient();

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);
    // A black handle between picture and description (a style sheet here would override
    // the description's own colours).
    QPalette black = m_splitter->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::Button, Qt::black);
    m_splitter->setPalette(black);
    m_splitter->setAutoFillBackground(true);
    m_display = new TPictureDisplay(m_splitter);
    m_display->setObjectName(QStringLiteral("pmDisplay"));
    // The window's popup menu comes on the picture as it does on the description.
    m_display->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_display, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1()->popup(m_display->mapToGlobal(pos)); });
    m_splitter->addWidget(m_display);
    m_splitter->addWidget(HT1());
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setSizes({400, DescriptionHeight});
    SetBody(m_splitter);

    SetBackColor(Qt::black);
    SetTextColor(Qt::white);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmIlustra::LoadDocument(const QString &typ, const QString &numer)
{
    // However the loading ends, a read error included, the window can close afterwards and
    // the progress window goes.
    LoadingGuard loading(QStringLiteral("Wczytywanie danych..."),
                         LoadingGuard::Progress | LoadingGuard::ProgressBar);
    const auto loaded = qScopeGuard([this] { SetBusy(false); });

    TfrmWzorDoc::LoadDocument(typ, numer);

    QString spokenCaption;
    if (TPSSDirectory *directory = Directory()) {
        QStringList fields;
        if (directory->ReadFields(typ, numer, fields))
            spokenCaption = TextLines::fieldValue(fields, u"Numer");
        const DocumentTemplates::Document document =
            DocumentTemplates::BuildEntry(*directory, typ, numer);
        if (document.caption)
            setWindowTitle(*document.caption);
        if (document.banner) {
            // Laid out first: the text starts at the banner's width as it is when set.
            LayoutBanner();
            PM1()->SetTextColor(TextColor());
            PM1()->SetText(*document.banner);
        }
        if (document.lines) {
            HT1()->LoadStrings(*document.lines);
            QByteArray jpeg;
            if (directory->ReadPicture(typ, numer, false, jpeg))
                m_display->SetPicture(JpegDecoder::Decode(jpeg));
        }
    }
    if (TPulpit *pulpit = Pulpit())
        pulpit->PlayNarration(QStringLiteral("podpisy"), spokenCaption);
    SetLastSound(spokenCaption);
}

bool TfrmIlustra::Print(QPrinter &printer)
{
    const QImage &picture = m_display->Picture();
    const QRect target =
        PictureFit::OnPage(picture.size(), printer.pageRect(QPrinter::DevicePixel).size().toSize());
    if (target.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.drawImage(target, picture);
    return painter.end();
}

void TfrmIlustra::CopyToClipboard()
{
    if (!m_display->Picture().isNull())
        QGuiApplication::clipboard()->setImage(m_display->Picture());
}

void TfrmIlustra::LayoutBanner()
{
    const int h = TScrollBanner::SampleTextHeight();
    PM1()->setGeometry(0, 0, Panel1()->width(), h + 2);
    bool anyVisible = false;
    for (int i = 0; i < ButtonCount; ++i) {
        QToolButton *button = ButtonAt(Button(i));
        button->move(button->x(), h + 2);
        anyVisible = anyVisible || !button->isHidden();
    }
    Panel1()->setFixedHeight(anyVisible ? h + 2 + 34 : h + 2 + 2);
}

void TfrmIlustra::FormDeactivate()
{
    TfrmWzorDoc::FormDeactivate();
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
}

void TfrmIlustra::closeEvent(QCloseEvent *event)
{
    TfrmWzorDoc::closeEvent(event);
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
}
