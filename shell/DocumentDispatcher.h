#pragma once

#include "TFormList.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class ChildWindowManager;
class SettingsStore;
class TfrmWzorBazowy;

// Opens each entry in its category's window: an entry already open comes to the front, and
// past the window limit the oldest document window makes room. It keeps the list of the
// windows it opened, oldest first, and the factories of the window classes.
class DocumentDispatcher : public QObject
{
    Q_OBJECT

public:
    using DocumentFactory = std::function<TfrmWzorBazowy *()>;
    using QuizFactory = std::function<TfrmWzorBazowy *(int questions, int seconds)>;

    DocumentDispatcher(ChildWindowManager &children, QObject *parent);

    void registerDocumentClass(const QString &typ, DocumentFactory factory);
    void registerIndexClass(DocumentFactory factory) { m_indexClass = std::move(factory); }
    void registerQuizClass(QuizFactory factory) { m_quizClass = std::move(factory); }
    bool hasDocumentClass(const QString &typ) const { return m_documentClasses.contains(typ); }
    bool hasIndexClass() const { return bool(m_indexClass); }

    // Errors of the window being opened are shown here; opening never fails its callers.
    void openDocument(const QString &typ, const QString &numer);
    bool bringToFrontIfOpen(const QString &typ, const QString &numer);
    void forget(const QString &typ, const QString &numer) { m_openWindows.DeletePair(typ, numer); }
    void openQuiz(int questions, int seconds);
    bool bringQuizToFront();
    bool bringIndexToFront();
    // Makes the Index, shown maximised, with what it kept from the last run.
    void openIndex(const SettingsStore &settings);

    int windowLimit() const { return m_windowLimit; }
    void setWindowLimit(int limit) { m_windowLimit = limit; }
    bool opening() const { return m_opening; }
    void setOpening(bool opening) { m_opening = opening; }
    const TFormList &openWindows() const { return m_openWindows; }

Q_SIGNALS:
    // A document window has read its entry.
    void documentOpened();
    // A document window shows its entry to the reader: just opened, or brought to the front.
    void documentShown(TfrmWzorBazowy *window);

private:
    void closeOldest();
    static void reportMissingClass();

    ChildWindowManager &m_children;
    int m_windowLimit = 12;
    bool m_opening = false;
    TFormList m_openWindows;
    QHash<QString, DocumentFactory> m_documentClasses;
    DocumentFactory m_indexClass;
    QuizFactory m_quizClass;
};
