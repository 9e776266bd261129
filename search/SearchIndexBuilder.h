#pragma once

#include <QString>

#include <atomic>
#include <functional>

// Builds the search index of a container into a file: every entry of the searched
// categories with its title, and its text and description as plain text. The file appears
// only when the build is complete; a cancelled or failed build leaves nothing behind.
class SearchIndexBuilder
{
public:
    // (entries done, entries in all)
    using Progress = std::function<void(int, int)>;

    // What identifies the container's contents: its size, its time and a digest of its table
    // of entries. Throws ContentError when the container cannot be read.
    static QString containerKey(const QString &containerPath);
    // The index file of a container in the user's cache folder.
    static QString cacheFile(const QString &containerPath);

    // Makes sure `indexPath` holds a valid index of the container, building it when it is
    // missing, stale or damaged. False when cancelled. Throws ContentError or
    // SqliteDatabase::Error when the container cannot be read or the file not written.
    static bool ensure(const QString &containerPath, const QString &indexPath,
                       const Progress &progress = {}, const std::atomic_bool *cancel = nullptr);
};
