#pragma once

#include "TItemInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TSimplePSS;

// The content vocabulary over the container: entry names built from a category code and an
// entry number, the item index held in memory, and one operation per kind of content.
// Absence of content is reported as false or nothing, never as an error.
class TPSSDirectory
{
public:
    // Throws ContentError with "Could not find file: "PATH"" when there is no file at the
    // path, and the container's error when it cannot be opened or is damaged.
    explicit TPSSDirectory(const QString &containerPath);
    explicit TPSSDirectory(std::unique_ptr<TSimplePSS> container);
    ~TPSSDirectory();

    TPSSDirectory(const TPSSDirectory &) = delete;
    TPSSDirectory &operator=(const TPSSDirectory &) = delete;

    // The entry text, split into lines; an absent entry leaves `lines` empty.
    bool ReadText(const QString &typ, const QString &numer, QStringList &lines);
    bool ReadDescription(const QString &typ, const QString &numer, QStringList &lines);
    // Reads the field list only for a pair the item index holds; otherwise `lines` is
    // left untouched.
    bool ReadFields(const QString &typ, const QString &numer, QStringList &lines);
    // The thumbnail or full picture's bytes, for the caller's image decoder. `picture` is
    // left untouched when the entry is absent.
    bool ReadPicture(const QString &typ, const QString &numer, bool thumbnail, QByteArray &picture);

    // Appends the numbers of the category's items, in item-index order.
    bool ListNumbers(const QString &typ, QStringList &list) const;
    QStringList ListNumbers(const QString &typ) const;

    // The first item in stored order with that identifier, or null.
    const TItemInfo *FindByUnid(const QString &unid) const;
    // The pair's position in the sort order, or -1.
    int FindItem(const QString &typ, const QString &numer) const;
    int ItemCount() const { return int(m_items.size()); }
    const TItemInfo &itemAt(int index) const { return m_items.at(size_t(index)); }
    // The item position at a place in the sort order.
    int SortIndex(int position) const { return int(m_sorted.at(size_t(position)).index); }

    // Makes sure the sound "_197SND\dir\name" exists as the file targetFolder/name.MP3,
    // reusing a file already there. A name that is not a plain file name is refused.
    // Throws ContentError when the file cannot be created.
    bool ExtractSound(const QString &dir, const QString &name, const QString &targetFolder);

    TSimplePSS &container() { return *m_container; }

    // What is wrong with the bytes of an item index entry, or empty text when nothing is:
    // the directory reads a damaged index leniently, a checking tool reports it.
    static QString itemIndexProblem(QByteArrayView entry);

private:
    static constexpr int KeyWidth = TItemInfo::TypWidth + 1 + TItemInfo::NumerWidth;
    struct SortKey
    {
        std::array<char, KeyWidth> bytes{}; // zero-padded
        quint8 length = 0;
        quint32 index = 0;
    };

    static bool keyLess(const SortKey &a, const SortKey &b);
    void loadItems();
    void buildSortIndex();
    bool readLines(const QByteArray &name, QStringList &lines);

    std::unique_ptr<TSimplePSS> m_container;
    std::vector<TItemInfo> m_items;
    std::vector<SortKey> m_sorted;
};
