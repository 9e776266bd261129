#pragma once

#include <memory>

class DocumentDispatcher;
class TQuizSuperList;

// The question pool the Index's quiz page and the quiz window share, and when it is read.
class QuizPoolLoader
{
public:
    explicit QuizPoolLoader(DocumentDispatcher &dispatcher);
    ~QuizPoolLoader();

    TQuizSuperList &pool() const { return *m_pool; }
    // The quiz page is shown: an open quiz only comes to the front (its pool is never
    // touched while it runs); otherwise the pool is read the first time and made wholly
    // available again later.
    void load();

private:
    DocumentDispatcher &m_dispatcher;
    std::unique_ptr<TQuizSuperList> m_pool;
};
