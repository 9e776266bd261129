#pragma once

#include "SearchQuery.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class SearchMatches;
class SqliteDatabase;

// A built search index opened for queries (on the thread that opens it). Results come in
// rank order: the exact title first, then titles that start with the query, then titles
// holding it as a word or the start of a word, then matches in the text by relevance;
// within each of these groups the categories keep the Index's order.
class SearchIndex
{
public:
    enum Group { ExactTitle, TitleStart, TitleWord, Text };

    struct Result
    {
        QString typ;
        QString numer;
        QString title;
        Group group = Text;
        qint64 id = 0;
    };

    // A piece of an entry's text, with where the query's words are in it.
    struct Snippet
    {
        struct Mark
        {
            qsizetype start;
            qsizetype length;
        };
        QString text;
        QList<Mark> marks; // whole words, in order, apart
    };

    // The layout the builder writes; a file of another version is rebuilt.
    static constexpr int Version = 2;

    // Throws SqliteDatabase::Error when the file cannot be read as an index.
    explicit SearchIndex(const QString &path);
    ~SearchIndex();
    SearchIndex(const SearchIndex &) = delete;
    SearchIndex &operator=(const SearchIndex &) = delete;

    // Whether the file is an index of this version built for `key`, as it was written (see
    // SearchIndexDigest).
    static bool isValid(const QString &path, const QString &key);

    // Every match, to be read a page at a time.
    SearchMatches matches(const SearchQuery &query) const;
    QList<Result> search(const SearchQuery &query, int limit = -1) const;
    // Title matches only (the first three groups), for suggestions while typing.
    QList<Result> titleMatches(const SearchQuery &query, int limit) const;
    // A piece of about `width` characters of the entry's text around its first matching word,
    // or of the fields its window shows when an entry found in its text has the match only
    // there; the start of the text otherwise. Every word of the piece that the query matches is
    // marked.
    Snippet snippet(const Result &result, const SearchQuery &query, int width = 160) const;

    int entryCount() const { return int(m_entries.size()); }

private:
    friend class SearchMatches;

    struct Entry
    {
        QString typ;
        QString numer;
        QString title;
        QString titleWords; // folded words of the title, one space apart
        int order = 0;      // the category's place in the Index
    };

    Group groupOf(const Entry &entry, const QString &queryWords, bool prefix) const;

    std::unique_ptr<SqliteDatabase> m_db;
    std::vector<Entry> m_entries;      // by id - 1
    std::vector<qint64> m_categoryEnd; // by category order: the last id up to it
};
