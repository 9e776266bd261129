#pragma once

#include <QString>

// A document the reader has marked, with a caption and a note of their own.
struct Bookmark
{
    qint64 id = 0; // given by the store
    QString typ;
    QString numer;
    QString caption;
    QString note;
    qint64 folderId = 0; // 0: the top level

    bool operator==(const Bookmark &) const = default;
};

struct BookmarkFolder
{
    qint64 id = 0;
    QString name;

    bool operator==(const BookmarkFolder &) const = default;
};
