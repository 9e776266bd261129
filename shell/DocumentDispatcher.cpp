#include "DocumentDispatcher.h"

#include "CategoryTable.h"
#include "ChildWindowManager.h"
#include "MessageBoxes.h"
#include "TfrmWzorBazowy.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QScopeGuard>

#include <exception>
#include <utility>

namespace {

const QString IndexNumer = QStringLiteral("197");
const QString QuizNumer = QStringLiteral("0");

// Sets a flag for the length of a scope, and clears it however the scope is left.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

DocumentDispatcher::DocumentDispatcher(ChildWindowManager &children, QObject *parent)
    : QObject(parent), m_children(children)
{
}

void DocumentDispatcher::registerDocumentClass(const QString &typ, DocumentFactory factory)
{
    m_documentClasses.insert(typ, std::move(factory));
}

bool DocumentDispatcher::bringToFrontIfOpen(const QString &typ, const QString &numer)
{
    if (!m_children.bringToFront(typ, numer))
        return false;
    for (TfrmWzorBazowy *window : m_children.windows()) {
        if (window->Typ() == typ && window->Numer() == numer) {
            Q_EMIT documentShown(window);
            break;
        }
    }
    return true;
}

void DocumentDispatcher::reportMissingClass()
{
    MessageBoxes::show(nullptr, {QStringLiteral("To okno nie zaimplementowane"),
                                 QStringLiteral("???????"), QMessageBox::NoIcon, QMessageBox::Ok});
}

void DocumentDispatcher::closeOldest()
{
    TFormRecord oldest;
    if (m_openWindows.Count() < m_windowLimit || !m_openWindows.GetAt(0, oldest))
        return;
    for (TfrmWzorBazowy *window : m_children.windows()) {
        if (window->Typ() == oldest.Typ && window->Numer() == oldest.Numer)
            window->parentWidget()->close();
    }
}

void DocumentDispatcher::openDocument(const QString &typ, const QString &numer)
{
    // A request arriving while another entry is opened (pending messages run during long
    // loads) is dropped, not queued.
    if (m_opening)
        return;
    FlagGuard opening(m_opening);
    // Opening never fails its callers (the Index, links, related menus, thumbnails): an error
    // is shown here, once the window being opened has its state back.
    try {
        if (bringToFrontIfOpen(typ, numer))
            return;
        closeOldest();
        const auto factory = m_documentClasses.constFind(typ);
        if (factory == m_documentClasses.constEnd()) {
            reportMissingClass();
            return;
        }
        TfrmWzorBazowy *window = (*factory)();
        window->SetTyp(typ);
        window->SetNumer(numer);
        const QPointer<QMdiSubWindow> previous = m_children.activeSub();
        QMdiSubWindow *sub = m_children.add(window);
        m_children.showNew(sub);
        // A window whose entry cannot be read is not left behind empty, and the one that was
        // active before comes back (the focus would otherwise fall to the first child).
        auto discard = qScopeGuard([this, sub, previous] {
            sub->close();
            m_children.activate(previous);
        });
        window->LoadDocument(typ, numer);
        discard.dismiss();
        m_openWindows.Add(0, typ, numer);
        Q_EMIT documentOpened();
        Q_EMIT documentShown(window);
    } catch (const std::exception &e) {
        MessageBoxes::showError(nullptr, QString::fromUtf8(e.what()));
    }
}

void DocumentDispatcher::openQuiz(int questions, int seconds)
{
    if (!bringQuizToFront()) {
        if (!m_quizClass) {
            reportMissingClass();
            return;
        }
        TfrmWzorBazowy *quiz = m_quizClass(questions, seconds);
        quiz->SetTyp(CategoryTable::Quiz);
        quiz->SetNumer(QuizNumer);
        m_children.showNew(m_children.add(quiz));
    }
    m_openWindows.Add(0, CategoryTable::Quiz, QuizNumer);
}

// The quiz and the Index are no entries the reader has read: they are not shown as documents.
bool DocumentDispatcher::bringQuizToFront()
{
    return m_children.bringToFront(CategoryTable::Quiz, QuizNumer);
}

bool DocumentDispatcher::bringIndexToFront()
{
    return m_children.bringToFront(CategoryTable::Index, IndexNumer);
}

void DocumentDispatcher::openIndex(const SettingsStore &settings)
{
    TfrmWzorBazowy *index = m_indexClass();
    index->SetTyp(CategoryTable::Index);
    index->SetNumer(IndexNumer);
    index->LoadSettings(settings);
    QMdiSubWindow *sub = m_children.add(index);
    // No minimise or close button: the Index stays open for the whole run.
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowMaximizeButtonHint);
    sub->showMaximized();
}
