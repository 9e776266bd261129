#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <stdexcept>

// Builds the search index of a container into a file: every entry of the searched
// categories with its title, and its text and description as plain text. The file appears
// only when the build is complete; a cancelled or failed build leaves nothing behind.
class SearchIndexBuilder
{
public:
    // The index cannot be written where it was asked for: its folder cannot be made or
    // written, or its name is taken by a folder.
    class WriteError : public std::runtime_error
    {
    public:
        explicit WriteError(const QString &folder);
        const QString &folder() const { return m_folder; }
        QString message() const { return QString::fromUtf8(what()); }

    private:
        QString m_folder;
    };

    // (entries done, entries in all)
    using Progress = std::function<void(int, int)>;

    // What identifies the container's contents: its size, its time and a digest of its table
    // of entries. Throws ContentError when the container cannot be read.
    static QString containerKey(const QString &containerPath);
    // The index file of a container in the user's cache folder.
    static QString cacheFile(const QString &containerPath);

    // Makes sure `indexPath` holds a valid index of the container, building it when it is
    // missing, stale or damaged. False when cancelled. Throws ContentError when the container
    // cannot be read, WriteError when the index cannot be written.
    static bool ensure(const QString &containerPath, const QString &indexPath,
                       const Progress &progress = {}, const std::atomic_bool *cancel = nullptr);
    // Removes the index and its digest, so that it is built again.
    static void discard(const QString &indexPath);
};
