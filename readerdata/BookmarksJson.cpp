#include "BookmarksJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

const QString Format = u"verbarium-zakladki"_s;
constexpr int Version = 1;

// What does not fit the format, said as the message for the reader.
struct Malformed
{
    QString message;
};

QJsonArray bookmarksArray(const QList<Bookmark> &bookmarks)
{
    QJsonArray array;
    for (const Bookmark &bookmark : bookmarks) {
        array.append(QJsonObject{{u"typ"_s, bookmark.typ},
                                 {u"numer"_s, bookmark.numer},
                                 {u"tytul"_s, bookmark.caption},
                                 {u"notatka"_s, bookmark.note}});
    }
    return array;
}

QString requiredText(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (!value.isString() || value.toString().trimmed().isEmpty())
        throw Malformed{u"%1: brak pola „%2” z niepustym tekstem"_s.arg(where, key)};
    return value.toString();
}

QJsonArray requiredArray(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        throw Malformed{u"%1: pole „%2” nie jest listą"_s.arg(where, key)};
    return value.toArray();
}

QList<Bookmark> readBookmarks(const QJsonArray &array, const QString &where)
{
    QList<Bookmark> bookmarks;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString place = u"%1, zakładka nr %2"_s.arg(where).arg(i + 1);
        if (!array[i].isObject())
            throw Malformed{place + u": to nie jest obiekt JSON"_s};
        const QJsonObject object = array[i].toObject();
        Bookmark bookmark;
        bookmark.typ = requiredText(object, u"typ"_s, place);
        bookmark.numer = requiredText(object, u"numer"_s, place);
        bookmark.caption = requiredText(object, u"tytul"_s, place);
        const QJsonValue note = object.value(u"notatka"_s);
        if (!note.isUndefined() && !note.isString())
            throw Malformed{place + u": pole „notatka” nie jest tekstem"_s};
        bookmark.note = note.toString();
        bookmarks.append(bookmark);
    }
    return bookmarks;
}

} // namespace

QByteArray BookmarksJson::write(const Contents &contents)
{
    QJsonArray folders;
    for (const Folder &folder : contents.folders) {
        folders.append(QJsonObject{{u"nazwa"_s, folder.name},
                                   {u"zakladki"_s, bookmarksArray(folder.bookmarks)}});
    }
    return QJsonDocument(QJsonObject{{u"format"_s, Format},
                                     {u"wersja"_s, Version},
                                     {u"zakladki"_s, bookmarksArray(contents.bookmarks)},
                                     {u"foldery"_s, folders}})
        .toJson();
}

std::optional<BookmarksJson::Contents> BookmarksJson::read(const QByteArray &json, QString *error)
{
    try {
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError)
            throw Malformed{
                u"to nie jest poprawny plik JSON (%1, znak %2)"_s.arg(parseError.errorString())
                    .arg(parseError.offset)};
        const QJsonObject root = document.object();
        if (!document.isObject() || root.value(u"format"_s).toString() != Format)
            throw Malformed{u"to nie jest plik zakładek programu"_s};
        const QJsonValue version = root.value(u"wersja"_s);
        if (!version.isDouble() || version.toDouble() != Version)
            throw Malformed{
                u"plik ma nieznaną wersję formatu (%1)"_s.arg(version.toVariant().toString())};

        Contents contents;
        contents.bookmarks =
            readBookmarks(requiredArray(root, u"zakladki"_s, u"plik"_s), u"Poziom główny"_s);
        const QJsonArray folders = requiredArray(root, u"foldery"_s, u"plik"_s);
        for (qsizetype i = 0; i < folders.size(); ++i) {
            const QString place = u"Folder nr %1"_s.arg(i + 1);
            if (!folders[i].isObject())
                throw Malformed{place + u": to nie jest obiekt JSON"_s};
            const QJsonObject object = folders[i].toObject();
            Folder folder;
            folder.name = requiredText(object, u"nazwa"_s, place);
            const QString named = u"Folder „%1”"_s.arg(folder.name);
            folder.bookmarks = readBookmarks(requiredArray(object, u"zakladki"_s, named), named);
            contents.folders.append(folder);
        }
        return contents;
    } catch (const Malformed &malformed) {
        if (error)
            *error = malformed.message;
        return std::nullopt;
    }
}
