#include "TfrmCDCheck.h"

#include "FolderAnimation.h"
#include "Paths.h"
#include "TCheckThread.h"
#include "TData.h"

#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QString browseForFolder(QWidget *parent, const QString &caption, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, caption, start, QFileDialog::ShowDirsOnly);
}

} // namespace

TfrmCDCheck::TfrmCDCheck(const VolumeList &volumes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_volumes(volumes), m_browse(browseForFolder)
{
    setObjectName(QStringLiteral("frmCDCheck"));
    setWindowTitle(QStringLiteral("Poszukiwanie plików danych"));
    setFixedSize(331, 189);

    m_expLabel = new QLabel(this);
    m_expLabel->setObjectName(QStringLiteral("ExpLabel"));
    m_expLabel->setGeometry(8, 8, 315, 18);
    QFont expFont = m_expLabel->font();
    expFont.setPointSizeF(expFont.pointSizeF() * 0.9);
    m_expLabel->setFont(expFont);

    m_animate = new FolderAnimation(this);
    m_animate->setObjectName(QStringLiteral("Animate1"));
    m_animate->setGeometry(8, 34, 56, 60);
    m_animate->start();

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette tip = panel->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    panel->setPalette(tip);
    panel->setGeometry(70, 32, 253, 114);
    auto *text = new QLabel(panel);
    text->setObjectName(QStringLiteral("Label1"));
    text->setText(QStringLiteral("Program nie może odnaleźć części danych.\n"
                                 "Jeżeli nie włożyłeś płyty CD programu do\n"
                                 "napędu, zrób to teraz.\n"
                                 "Możesz też ręcznie wskazać folder, w którym\n"
                                 "znajdują się poszukiwane pliki. W tym celu\n"
                                 "wybierz przycisk \"Przeglądaj\"."));
    QFont small = text->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    text->setFont(small);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setGeometry(6, 6, panel->width() - 10, panel->height() - 10);

    auto *cancel = new QPushButton(QStringLiteral("&Zaniechaj"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(160, 156, 80, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *browse = new QPushButton(QStringLiteral("&Przeglądaj..."), this);
    browse->setObjectName(QStringLiteral("Button1"));
    browse->setGeometry(243, 156, 80, 25);
    browse->setDefault(true);
    browse->setFocus();
    connect(browse, &QPushButton::clicked, this, &TfrmCDCheck::Button1Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

TfrmCDCheck::~TfrmCDCheck()
{
    // The thread's check waits on this thread; a stop releases it, so waiting cannot block.
    if (m_thread)
        m_thread->disconnect(this);
    delete m_thread;
}

void TfrmCDCheck::SetExplanation(const QString &text)
{
    m_expLabel->setText(text);
}

void TfrmCDCheck::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_thread)
        return;
    m_thread = new TCheckThread(m_volumes, m_interval, m_fileList, m_subFolder);
    connect(m_thread, &QThread::finished, this, &TfrmCDCheck::ThreadDone);
    m_thread->start();
}

void TfrmCDCheck::Button1Click()
{
    const QString picked = m_browse(this, QStringLiteral("Wybór foldera danych"), m_folder);
    if (picked.isEmpty())
        return;
    m_folder = Paths::withSeparator(picked);
    if (TData::FilesPresent(m_folder, m_fileList))
        accept();
}

void TfrmCDCheck::ThreadDone()
{
    if (m_thread->Result() != 1)
        return;
    m_folder = m_thread->SubFolder();
    accept();
}
