#include "QuizPoolLoader.h"

#include "DocumentDispatcher.h"
#include "Globals.h"
#include "LoadingGuard.h"
#include "TQuizSuperList.h"

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
    m_pool->Load(*directory);
}
