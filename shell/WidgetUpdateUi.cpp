#include "WidgetUpdateUi.h"

#include "MessageBoxes.h"
#include "UpdateProgressDialog.h"
#include "UpdateReadMeDialog.h"
#include "UpdateWaitDialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

WidgetUpdateUi::WidgetUpdateUi(QWidget *owner) : m_owner(owner) {}

WidgetUpdateUi::~WidgetUpdateUi() = default;

void WidgetUpdateUi::ShowWait(const QString &text, std::function<void()> cancel)
{
    m_wait = std::make_unique<UpdateWaitDialog>(std::move(cancel), m_owner);
    m_wait->SetText(text);
    m_wait->show();
}

void WidgetUpdateUi::HideWait()
{
    m_wait.reset();
}

bool WidgetUpdateUi::Ask(const QString &caption, const QString &text)
{
    return MessageBoxes::show(m_owner, {text, caption, QMessageBox::Question,
                                        QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

void WidgetUpdateUi::Message(Icon icon, const QString &caption, const QString &text)
{
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                       QMessageBox::Warning, QMessageBox::Question};
    MessageBoxes::show(m_owner, {text, caption, icons[int(icon)], QMessageBox::Ok});
}

void WidgetUpdateUi::ShowReadMe(const QString &text)
{
    UpdateReadMeDialog dialog(text, m_owner);
    dialog.exec();
}

QString WidgetUpdateUi::AskSaveName(const QString &suggested, Filter *chosen)
{
    const QStringList filters{QStringLiteral("Aplikacje (*.EXE)"),
                              QStringLiteral("Archiwum ZIP (*.ZIP)"),
                              QStringLiteral("Wszystkie pliki (*.*)")};
    // Qt's own dialog, which lets the check add the extension and then ask about replacing
    // the file actually written; a native one asks about the name typed.
    QFileDialog dialog(m_owner);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setWindowTitle(QStringLiteral("Zapisz aktualizację jako"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Zapisz w:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("&Nazwa pliku:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Zapisz jako typ:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Zapisz"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Anuluj"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDirectory(QFileInfo(suggested).absolutePath());
    dialog.selectFile(QFileInfo(suggested).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    *chosen = Filter(std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0));
    return dialog.selectedFiles().constFirst();
}

void WidgetUpdateUi::ShowProgress(std::function<void()> cancel)
{
    m_progress = std::make_unique<UpdateProgressDialog>(std::move(cancel), m_owner);
    m_progress->show();
}

void WidgetUpdateUi::SetProgress(int percent, const QString &text)
{
    if (m_progress)
        m_progress->SetProgress(percent, text);
}

void WidgetUpdateUi::HideProgress()
{
    m_progress.reset();
}

bool WidgetUpdateUi::Open(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void WidgetUpdateUi::Quit()
{
    if (m_owner)
        QTimer::singleShot(0, m_owner, &QWidget::close);
}
