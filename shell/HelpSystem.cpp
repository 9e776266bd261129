#include "HelpSystem.h"

#include "MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

void HelpFile::showPopup(int)
{
    reportUnreadable();
}

void HelpFile::showContents()
{
    reportUnreadable();
}

void HelpFile::reportUnreadable()
{
    const QString text = QFileInfo::exists(m_path)
                             ? QStringLiteral("Nie można otworzyć pliku pomocy „%1”.")
                             : QStringLiteral("Nie można odnaleźć pliku pomocy „%1”.");
    MessageBoxes::show(m_owner, {text.arg(QDir::toNativeSeparators(m_path)), QStringLiteral("Pomoc"),
                                 QMessageBox::Warning, QMessageBox::Ok});
}
