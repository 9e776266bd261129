#pragma once

#include "Bookmark.h"

#include <QByteArray>
#include <QList>

#include <optional>

class ReaderStore;

// The reader's bookmarks, kept in the store: one for a document at most, in the order the
// reader gives them, at the top level or in folders one level deep. Every change is one
// transaction; failures of the database throw SqliteDatabase::Error.
class Bookmarks
{
public:
    explicit Bookmarks(ReaderStore &store) : m_store(store) {}

    // Adds a bookmark at the end of the folder (0: the top level); a document bookmarked
    // already keeps its bookmark as it is. Returns the bookmark's id.
    qint64 add(const QString &typ, const QString &numer, const QString &caption,
               qint64 folderId = 0);
    void remove(qint64 id);
    // Removes the document's bookmark or adds one at the top level; true when there is one now.
    bool toggle(const QString &typ, const QString &numer, const QString &caption);
    std::optional<Bookmark> find(const QString &typ, const QString &numer) const;

    void rename(qint64 id, const QString &caption);
    void setNote(qint64 id, const QString &note);
    // Moves the bookmark to `index` among those of its folder (clamped to them).
    void move(qint64 id, qsizetype index);
    // Moves the bookmark to the end of another folder (0: the top level).
    void moveToFolder(qint64 id, qint64 folderId);
    // The bookmarks of a folder (0: the top level), in order.
    QList<Bookmark> list(qint64 folderId = 0) const;

    // A folder of that name, a new one at the end unless there is one already; its id.
    qint64 addFolder(const QString &name);
    // False, changing nothing, when another folder has that name.
    bool renameFolder(qint64 id, const QString &name);
    // Removes the folder; its bookmarks move to the end of the top level.
    void removeFolder(qint64 id);
    QList<BookmarkFolder> folders() const;

    QByteArray exportJson() const;
    // Adds the file's folders and bookmarks after those there are, leaving out documents that
    // have a bookmark already and merging folders of the same name. A file that does not fit
    // the format is refused whole, nothing changes, and `error` says why in Polish.
    bool importJson(const QByteArray &json, QString *error);

private:
    qint64 insert(const Bookmark &bookmark);
    qint64 findFolder(const QString &name) const;
    void renumber(const QList<qint64> &ids);

    ReaderStore &m_store;
};
