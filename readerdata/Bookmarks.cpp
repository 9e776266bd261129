#include "Bookmarks.h"

#include "BookmarksJson.h"
#include "ReaderStore.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

#define BOOKMARK_COLUMNS "id, typ, numer, caption, note, folder"

Bookmark readBookmark(const SqliteDatabase::Statement &statement)
{
    return {statement.integer(0), statement.text(1), statement.text(2),
            statement.text(3),    statement.text(4), statement.integer(5)};
}

} // namespace

qint64 Bookmarks::add(const QString &typ, const QString &numer, const QString &caption,
                      qint64 folderId)
{
    qint64 id = 0;
    m_store.write([&] {
        const std::optional<Bookmark> existing = find(typ, numer);
        id = existing ? existing->id : insert({0, typ, numer, caption, {}, folderId});
    });
    return id;
}

qint64 Bookmarks::insert(const Bookmark &bookmark)
{
    SqliteDatabase::Statement insert(
        m_store.database(),
        "INSERT INTO bookmarks(typ, numer, caption, note, folder, position)"
        " VALUES(?1, ?2, ?3, ?4, ?5,"
        " (SELECT coalesce(max(position) + 1, 0) FROM bookmarks WHERE folder = ?5)) RETURNING id");
    insert.bind(1, bookmark.typ)
        .bind(2, bookmark.numer)
        .bind(3, bookmark.caption)
        .bind(4, bookmark.note)
        .bind(5, bookmark.folderId);
    insert.step();
    return insert.integer(0);
}

void Bookmarks::remove(qint64 id)
{
    m_store.write([&] {
        SqliteDatabase::Statement(m_store.database(), "DELETE FROM bookmarks WHERE id = ?")
            .bind(1, id)
            .step();
    });
}

bool Bookmarks::toggle(const QString &typ, const QString &numer, const QString &caption)
{
    bool added = false;
    m_store.write([&] {
        if (const std::optional<Bookmark> existing = find(typ, numer)) {
            remove(existing->id);
        } else {
            insert({0, typ, numer, caption, {}, 0});
            added = true;
        }
    });
    return added;
}

std::optional<Bookmark> Bookmarks::find(const QString &typ, const QString &numer) const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " BOOKMARK_COLUMNS
                                     " FROM bookmarks WHERE typ = ? AND numer = ?");
    select.bind(1, typ).bind(2, numer);
    if (!select.step())
        return std::nullopt;
    return readBookmark(select);
}

void Bookmarks::rename(qint64 id, const QString &caption)
{
    m_store.write([&] {
        SqliteDatabase::Statement(m_store.database(),
                                  "UPDATE bookmarks SET caption = ? WHERE id = ?")
            .bind(1, caption)
            .bind(2, id)
            .step();
    });
}

void Bookmarks::setNote(qint64 id, const QString &note)
{
    m_store.write([&] {
        SqliteDatabase::Statement(m_store.database(), "UPDATE bookmarks SET note = ? WHERE id = ?")
            .bind(1, note)
            .bind(2, id)
            .step();
    });
}

void Bookmarks::move(qint64 id, qsizetype index)
{
    m_store.write([&] {
        SqliteDatabase::Statement folder(m_store.database(),
                                         "SELECT folder FROM bookmarks WHERE id = ?");
        folder.bind(1, id);
        if (!folder.step())
            return;
        QList<qint64> ids;
        for (const Bookmark &bookmark : list(folder.integer(0)))
            ids.append(bookmark.id);
        ids.removeOne(id);
        ids.insert(std::clamp<qsizetype>(index, 0, ids.size()), id);
        renumber(ids);
    });
}

void Bookmarks::renumber(const QList<qint64> &ids)
{
    SqliteDatabase::Statement update(m_store.database(),
                                     "UPDATE bookmarks SET position = ? WHERE id = ?");
    for (qsizetype position = 0; position < ids.size(); ++position) {
        update.bind(1, qint64(position)).bind(2, ids[position]);
        update.step();
        update.reset();
    }
}

void Bookmarks::moveToFolder(qint64 id, qint64 folderId)
{
    m_store.write([&] {
        SqliteDatabase::Statement(
            m_store.database(),
            "UPDATE bookmarks SET folder = ?1, position ="
            " (SELECT coalesce(max(position) + 1, 0) FROM bookmarks WHERE folder = ?1)"
            " WHERE id = ?2 AND folder != ?1")
            .bind(1, folderId)
            .bind(2, id)
            .step();
    });
}

QList<Bookmark> Bookmarks::list(qint64 folderId) const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT " BOOKMARK_COLUMNS
                                     " FROM bookmarks WHERE folder = ? ORDER BY position");
    select.bind(1, folderId);
    QList<Bookmark> bookmarks;
    while (select.step())
        bookmarks.append(readBookmark(select));
    return bookmarks;
}

qint64 Bookmarks::findFolder(const QString &name) const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT id FROM bookmark_folders WHERE name = ?");
    select.bind(1, name);
    return select.step() ? select.integer(0) : 0;
}

qint64 Bookmarks::addFolder(const QString &name)
{
    qint64 id = 0;
    m_store.write([&] {
        id = findFolder(name);
        if (id != 0)
            return;
        SqliteDatabase::Statement insert(
            m_store.database(),
            "INSERT INTO bookmark_folders(name, position) VALUES(?,"
            " (SELECT coalesce(max(position) + 1, 0) FROM bookmark_folders)) RETURNING id");
        insert.bind(1, name);
        insert.step();
        id = insert.integer(0);
    });
    return id;
}

bool Bookmarks::renameFolder(qint64 id, const QString &name)
{
    bool renamed = false;
    m_store.write([&] {
        const qint64 holder = findFolder(name);
        if (holder != 0 && holder != id)
            return;
        SqliteDatabase::Statement(m_store.database(),
                                  "UPDATE bookmark_folders SET name = ? WHERE id = ?")
            .bind(1, name)
            .bind(2, id)
            .step();
        renamed = true;
    });
    return renamed;
}

void Bookmarks::removeFolder(qint64 id)
{
    m_store.write([&] {
        for (const Bookmark &bookmark : list(id))
            moveToFolder(bookmark.id, 0);
        SqliteDatabase::Statement(m_store.database(), "DELETE FROM bookmark_folders WHERE id = ?")
            .bind(1, id)
            .step();
    });
}

QList<BookmarkFolder> Bookmarks::folders() const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT id, name FROM bookmark_folders ORDER BY position");
    QList<BookmarkFolder> folders;
    while (select.step())
        folders.append({select.integer(0), select.text(1)});
    return folders;
}

QByteArray Bookmarks::exportJson() const
{
    BookmarksJson::Contents contents{list(0), {}};
    for (const BookmarkFolder &folder : folders())
        contents.folders.append({folder.name, list(folder.id)});
    return BookmarksJson::write(contents);
}

bool Bookmarks::importJson(const QByteArray &json, QString *error)
{
    const auto refuse = [error](const QString &reason) {
        if (error) {
            *error = u"Nie zaimportowano zakładek: %1. Dotychczasowe zakładki pozostały bez "
                     u"zmian."_s.arg(reason);
        }
        return false;
    };
    QString reason;
    const std::optional<BookmarksJson::Contents> contents = BookmarksJson::read(json, &reason);
    if (!contents)
        return refuse(reason);

    const auto addAll = [this](const QList<Bookmark> &bookmarks, qint64 folderId) {
        for (Bookmark bookmark : bookmarks) {
            if (find(bookmark.typ, bookmark.numer))
                continue;
            bookmark.folderId = folderId;
            insert(bookmark);
        }
    };
    try {
        m_store.write([&] {
            addAll(contents->bookmarks, 0);
            for (const BookmarksJson::Folder &folder : contents->folders)
                addAll(folder.bookmarks, addFolder(folder.name));
        });
    } catch (const SqliteDatabase::Error &failure) {
        return refuse(QString::fromUtf8(failure.what()));
    }
    return true;
}
