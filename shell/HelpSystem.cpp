#include "HelpSystem.h"

#include "HelpFormatError.h"
#include "HelpPopup.h"
#include "HelpWindow.h"
#include "MessageBoxes.h"
#include "WinHelpFile.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcHelp, "verbarium.help")

} // namespace

HelpFile::HelpFile(QWidget *owner, const QString &path) : m_owner(owner), m_path(path) {}

HelpFile::~HelpFile()
{
    // The windows show the file's data; they go before it.
    delete m_popup;
    delete m_window;
}

HelpPopup *HelpFile::popup() const
{
    return m_popup;
}

HelpWindow *HelpFile::window() const
{
    return m_window;
}

bool HelpFile::load()
{
    if (m_file)
        return true;
    try {
        m_file = std::make_unique<WinHelpFile>(WinHelpFile::open(m_path));
    } catch (const HelpFormatError &error) {
        qCWarning(lcHelp) << "help file" << m_path << "unreadable:" << error.message();
        reportUnreadable();
        return false;
    }
    return true;
}

void HelpFile::showPopup(int context)
{
    if (!load())
        return;
    delete m_popup;
    m_popup = new HelpPopup(m_owner);
    const std::optional<quint32> offset = m_file->contextNumber(context);
    const int topic = offset ? m_file->topicIndexAt(*offset) : -1;
    if (topic < 0) {
        m_popup->showMessage(QStringLiteral("Brak tematu pomocy dla tego elementu."),
                             QCursor::pos());
        return;
    }
    try {
        m_popup->showTopic(*m_file, m_file->topic(topic), QCursor::pos());
    } catch (const HelpFormatError &error) {
        qCWarning(lcHelp) << "help topic" << topic << "unreadable:" << error.message();
        m_popup->showMessage(QStringLiteral("Nie można wyświetlić tematu pomocy."), QCursor::pos());
    }
}

void HelpFile::showTopic(int context)
{
    if (!load())
        return;
    HelpWindow *window = showWindow();
    if (const std::optional<quint32> offset = m_file->contextNumber(context))
        window->showTopicAt(*offset);
}

void HelpFile::showContents()
{
    if (load())
        showWindow();
}

HelpWindow *HelpFile::showWindow()
{
    if (!m_window) {
        // The .CNT file lies beside the help file; its name is in the file or follows the help
        // file's own, in any letter case.
        const QFileInfo help(m_path);
        QString name = m_file->contentsFileName();
        if (name.isEmpty())
            name = help.completeBaseName() + QStringLiteral(".CNT");
        QString contents;
        const QStringList matches = help.dir().entryList({name}, QDir::Files);
        if (!matches.isEmpty())
            contents = help.dir().filePath(matches.constFirst());
        m_window = new HelpWindow(*m_file, contents);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

void HelpFile::reportUnreadable()
{
    const QString text = QFileInfo::exists(m_path)
                             ? QStringLiteral("Nie można otworzyć pliku pomocy „%1”.")
                             : QStringLiteral("Nie można odnaleźć pliku pomocy „%1”.");
    MessageBoxes::show(m_owner, {text.arg(QDir::toNativeSeparators(m_path)),
                                 QStringLiteral("Pomoc"), QMessageBox::Warning, QMessageBox::Ok});
}
