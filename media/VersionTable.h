#pragma once

#include <QList>
#include <QString>

// The program's version values as the about box lists them: one row per value that is set.
namespace VersionTable {

struct Row
{
    QString resource;
    QString value;
    bool operator==(const Row &) const = default;
};

// Product Name, Product Version, Company Name, Legal Copyright, Legal Trademarks, File
// Description, File Version, Internal Name, Original Filename, Build Flags, Comments; the
// empty ones left out.
QList<Row> Rows();

// The names of the flags set ("Debug", "Info Inferred", "Patched", "Pre-Release", "Private",
// "Special"), joined by ", ".
QString BuildFlags(quint32 fileFlags);

} // namespace VersionTable
