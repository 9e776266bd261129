#include "SearchIndexBuilder.h"

#include "DocumentTemplates.h"
#include "HtmlText.h"
#include "SearchCategories.h"
#include "SearchFolding.h"
#include "SearchIndex.h"
#include "SearchIndexDigest.h"
#include "SqliteDatabase.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"
#include "TextLines.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcIndexBuilder, "verbarium.search.builder", QtInfoMsg)

QString keyOf(const QString &containerPath, TSimplePSS &container)
{
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (int i = 0; i < container.count(); ++i) {
        const TSimplePSS::Entry entry = container.entryAt(i);
        char numbers[8];
        qToLittleEndian(entry.offset, numbers);
        qToLittleEndian(entry.size, numbers + 4);
        digest.addData(entry.name);
        digest.addData(QByteArrayView("\0", 1));
        digest.addData(QByteArrayView(numbers, 8));
    }
    const QFileInfo info(containerPath);
    return QStringLiteral("%1:%2:%3")
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(QString::fromLatin1(digest.result().toHex()));
}

// The fields the entry's window shows around its text (a work's author, a character's work),
// as the reader sees them: its page built around no text, and its banner.
QString shownFields(const QString &typ, const QStringList &fields)
{
    const DocumentTemplates::Document page = DocumentTemplates::Build(typ, fields, QStringList());
    QStringList lines = page.lines.value_or(QStringList());
    if (page.banner)
        lines.append(*page.banner);
    return HtmlText::plainText(lines);
}

bool build(TPSSDirectory &directory, const QString &key, const QString &path,
           const SearchIndexBuilder::Progress &progress, const std::atomic_bool *cancel)
{
    QFile::remove(path);
    SqliteDatabase db(path, SqliteDatabase::Mode::Create);
    db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN;"
            "CREATE TABLE meta (name TEXT PRIMARY KEY, value TEXT);"
            "CREATE TABLE docs (id INTEGER PRIMARY KEY, typ TEXT, numer TEXT, title TEXT,"
            "                   body TEXT, shown TEXT, ord INTEGER);"
            // The text goes in folded (ł included, which the tokenizer would miss) and is
            // kept once, in docs: the full-text table holds its index only.
            "CREATE VIRTUAL TABLE fts USING fts5(title, body, shown, content = '',"
            "                                    tokenize = 'unicode61 remove_diacritics 0');");

    // The entries go in category by category, in the Index's order, so that each category
    // is one range of ids (the index ranks a range of them at a time).
    struct Item
    {
        int order;
        QString typ, numer;
    };
    std::vector<Item> items;
    QSet<QString> seen;
    for (int i = 0; i < directory.ItemCount(); ++i) {
        const TItemInfo &item = directory.itemAt(i);
        const QString typ = item.Typ();
        const int order = SearchCategories::orderOf(typ);
        const QString numer = item.Numer();
        if (order >= 0 && !seen.contains(typ + u'\\' + numer)) {
            seen.insert(typ + u'\\' + numer);
            items.push_back({order, typ, numer});
        }
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item &a, const Item &b) { return a.order < b.order; });

    const int total = int(items.size());
    SqliteDatabase::Statement doc(db, "INSERT INTO docs VALUES (?, ?, ?, ?, ?, ?, ?)");
    SqliteDatabase::Statement fts(
        db, "INSERT INTO fts (rowid, title, body, shown) VALUES (?, ?, ?, ?)");
    qint64 id = 0;
    QStringList fields, text, description;
    for (const auto &[order, typ, numer] : items) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        if (progress && id % 256 == 0)
            progress(int(id), total);

        fields.clear();
        directory.ReadFields(typ, numer, fields);
        const QString title = HtmlText::plainText(
            {TextLines::fieldValue(fields, SearchCategories::at(order).titleField)});
        directory.ReadText(typ, numer, text);
        directory.ReadDescription(typ, numer, description);
        QString body = HtmlText::plainText(text);
        const QString more = HtmlText::plainText(description);
        if (!more.isEmpty())
            body += (body.isEmpty() ? QString() : QStringLiteral(" ")) + more;
        const QString shown = shownFields(typ, fields);

        ++id;
        doc.bind(1, id).bind(2, typ).bind(3, numer).bind(4, title).bind(5, body).bind(6, shown);
        doc.bind(7, qint64(order));
        doc.step();
        doc.reset();
        fts.bind(1, id).bind(2, SearchFolding::fold(title)).bind(3, SearchFolding::fold(body));
        fts.bind(4, SearchFolding::fold(shown));
        fts.step();
        fts.reset();
    }
    SqliteDatabase::Statement meta(db, "INSERT INTO meta VALUES (?, ?)");
    for (const auto &[name, value] :
         {std::pair{QStringLiteral("version"), QString::number(SearchIndex::Version)},
          std::pair{QStringLiteral("key"), key},
          std::pair{QStringLiteral("count"), QString::number(id)}}) {
        meta.bind(1, name).bind(2, value);
        meta.step();
        meta.reset();
    }
    db.exec("INSERT INTO fts (fts) VALUES ('optimize'); COMMIT;");
    if (progress)
        progress(total, total);
    return true;
}

// A build killed outright leaves its partial file; it is removed once its process is gone.
// Files of running builds, links and other names are left alone.
void removeDeadParts(const QString &indexPath)
{
    const QFileInfo index(indexPath);
    const QRegularExpression pattern(QLatin1Char('^') +
                                     QRegularExpression::escape(index.fileName()) +
                                     QStringLiteral("\\.([1-9][0-9]{0,9})-[0-9]+\\.part$"));
    const QFileInfoList files = index.absoluteDir().entryInfoList(QDir::Files);
    for (const QFileInfo &part : files) {
        const QRegularExpressionMatch match = pattern.match(part.fileName());
        if (!match.hasMatch() || part.isSymLink())
            continue;
        bool ok = false;
        const qint64 pid = match.captured(1).toLongLong(&ok);
        if (!ok || pid != qint64(pid_t(pid)))
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(part.absoluteFilePath());
    }
}

} // namespace

SearchIndexBuilder::WriteError::WriteError(const QString &folder)
    : std::runtime_error(QStringLiteral("Nie można zapisać indeksu wyszukiwania w %1")
                             .arg(QDir::toNativeSeparators(folder))
                             .toStdString()),
      m_folder(folder)
{
}

QString SearchIndexBuilder::containerKey(const QString &containerPath)
{
    TSimplePSS container(containerPath);
    return keyOf(containerPath, container);
}

QString SearchIndexBuilder::cacheFile(const QString &containerPath)
{
    const QByteArray where = QFileInfo(containerPath).absoluteFilePath().toUtf8();
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(where, QCryptographicHash::Sha256).toHex().left(24));
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/search-%1.sqlite").arg(name);
}

bool SearchIndexBuilder::ensure(const QString &containerPath, const QString &indexPath,
                                const Progress &progress, const std::atomic_bool *cancel)
{
    TPSSDirectory directory(containerPath);
    const QString key = keyOf(containerPath, directory.container());
    if (SearchIndex::isValid(indexPath, key))
        return true;

    const QString folder = QFileInfo(indexPath).absolutePath();
    // A folder in the index's place would stop only the last step, after the whole build.
    if (!QDir().mkpath(folder) || QFileInfo(indexPath).isDir())
        throw WriteError(folder);
    removeDeadParts(indexPath);
    // A name of this build's own: another program may be building the same index.
    static std::atomic_int builds{0};
    const QString part = QStringLiteral("%1.%2-%3.part")
                             .arg(indexPath)
                             .arg(QCoreApplication::applicationPid())
                             .arg(++builds);
    const auto removePart = qScopeGuard([&part] { QFile::remove(part); });
    try {
        if (!build(directory, key, part, progress, cancel))
            return false;
    } catch (const SqliteDatabase::Error &e) {
        // Only the new file is written with SQLite: its folder refuses it, or the disk is full.
        qCDebug(lcIndexBuilder, "Building %s: %s", qUtf8Printable(part), e.what());
        throw WriteError(folder);
    }
    // The old digest goes first and the new one comes last, once the index is in place: an
    // index without its digest is not trusted.
    discard(indexPath);
    if (!QFile::rename(part, indexPath) || !SearchIndexDigest::write(indexPath)) {
        discard(indexPath);
        throw WriteError(folder);
    }
    return true;
}

void SearchIndexBuilder::discard(const QString &indexPath)
{
    QFile::remove(SearchIndexDigest::fileOf(indexPath));
    QFile::remove(indexPath);
}
