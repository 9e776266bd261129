#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

class ContainerWriter;

// Turns a source tree into container entries (the tree's layout is described in the README):
// index.tsv gives the item index, items/TYP/NUMER/ the entries of each item, sounds/ the
// recordings and raw/ any other entry. Texts are converted from UTF-8 to Windows-1250.
class SourceTreePacker
{
public:
    explicit SourceTreePacker(ContainerWriter &writer) : m_writer(writer) {}

    // Adds every entry of the tree; on failure `error()` says what and where.
    bool pack(const QString &sourceDir);
    const QString &error() const { return m_error; }

private:
    bool packIndex(const QString &path);
    bool packItems(const QString &dir);
    bool packSounds(const QString &dir);
    bool packRaw(const QString &root, const QString &dir);

    bool addText(const QString &name, const QString &path);
    bool addFile(const QString &name, const QString &path);
    bool add(const QString &name, const QByteArray &data, const QString &path);
    bool readFile(const QString &path, QByteArray &data);
    bool fail(const QString &message);

    ContainerWriter &m_writer;
    QSet<QByteArray> m_names; // folded, to catch two files for one entry
    QString m_error;
};
