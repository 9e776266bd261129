#pragma once

#include "Bookmark.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The bookmarks as a file the reader can keep or take to another computer; the format is
// described in README.md beside this file.
namespace BookmarksJson {

struct Folder
{
    QString name;
    QList<Bookmark> bookmarks;

    bool operator==(const Folder &) const = default;
};

struct Contents
{
    QList<Bookmark> bookmarks; // at the top level
    QList<Folder> folders;

    bool operator==(const Contents &) const = default;
};

QByteArray write(const Contents &contents);

// The contents of a file, with ids and folder ids left 0; none, with `error` saying in Polish
// what is wrong, when any part of it does not fit the format.
std::optional<Contents> read(const QByteArray &json, QString *error);

} // namespace BookmarksJson
