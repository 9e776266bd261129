#include "LastSession.h"

#include "ReaderStore.h"

void LastSession::save(const QList<SessionWindow> &windows)
{
    m_store.write([&] {
        SqliteDatabase &db = m_store.database();
        db.exec("DELETE FROM session_windows");
        SqliteDatabase::Statement insert(
            db, "INSERT INTO session_windows(position, typ, numer, x, y, width, height,"
                " maximised, active, scroll) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (qsizetype i = 0; i < windows.size(); ++i) {
            const SessionWindow &window = windows[i];
            insert.bind(1, qint64(i))
                .bind(2, window.typ)
                .bind(3, window.numer)
                .bind(4, qint64(window.geometry.x()))
                .bind(5, qint64(window.geometry.y()))
                .bind(6, qint64(window.geometry.width()))
                .bind(7, qint64(window.geometry.height()))
                .bind(8, qint64(window.maximised))
                .bind(9, qint64(window.active))
                .bind(10, qint64(window.scroll));
            insert.step();
            insert.reset();
        }
    });
}

QList<SessionWindow> LastSession::load() const
{
    SqliteDatabase::Statement select(m_store.database(),
                                     "SELECT typ, numer, x, y, width, height, maximised, active,"
                                     " scroll FROM session_windows ORDER BY position");
    QList<SessionWindow> windows;
    while (select.step()) {
        windows.append({select.text(0), select.text(1),
                        QRect(int(select.integer(2)), int(select.integer(3)),
                              int(select.integer(4)), int(select.integer(5))),
                        select.integer(6) != 0, select.integer(7) != 0, int(select.integer(8))});
    }
    return windows;
}
