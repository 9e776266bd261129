#include "QuizPoolLoader.h"

#include "DocumentDispatcher.h"
#include "Globals.h"
#include "LoadingGuard.h"
#include "TQuizSuperList.h"

#include <QScopeGuard>

QuizPoolLoader::QuizPoolLoader(DocumentDispatcher &dispatcher)
    : m_dispatcher(dispatcher), m_pool(std::make_unique<TQuizSuperList>())
{
}

QuizPoolLoader::~QuizPoolLoader() = default;

void QuizPoolLoader::load()
{
    if (m_dispatcher.bringQuizToFront())
        return;
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    const LoadingGuard loading(QString(), LoadingGuard::Hourglass | LoadingGuard::DisableMain);
    // A load cut short by an error leaves the pool empty, as before it, so that the next
    // visit reads it again instead of quizzing from a part of it.
    auto dropPartial = qScopeGuard([this] { m_pool->Clear(); });
    m_pool->Load(*directory);
    dropPartial.dismiss();
}
