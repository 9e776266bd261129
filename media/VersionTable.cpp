#include "VersionTable.h"

#include "VersionInfo.h"

namespace VersionTable {

QString BuildFlags(quint32 fileFlags)
{
    // The bits of the file flags, in the order the names are listed.
    static constexpr struct
    {
        quint32 bit;
        const char16_t *name;
    } flags[] = {{0x01, u"Debug"},       {0x10, u"Info Inferred"}, {0x04, u"Patched"},
                 {0x02, u"Pre-Release"}, {0x08, u"Private"},       {0x20, u"Special"}};
    QStringList names;
    for (const auto &flag : flags) {
        if (fileFlags & flag.bit)
            names.append(QString::fromUtf16(flag.name));
    }
    return names.join(QStringLiteral(", "));
}

QList<Row> Rows()
{
    const QList<Row> all{
        {QStringLiteral("Product Name"), VersionInfo::ProductName()},
        {QStringLiteral("Product Version"), VersionInfo::ProductVersion.text()},
        {QStringLiteral("Company Name"), VersionInfo::CompanyName()},
        {QStringLiteral("Legal Copyright"), VersionInfo::LegalCopyright()},
        {QStringLiteral("Legal Trademarks"), VersionInfo::LegalTrademarks()},
        {QStringLiteral("File Description"), VersionInfo::FileDescription()},
        {QStringLiteral("File Version"), VersionInfo::FileVersion.text()},
        {QStringLiteral("Internal Name"), VersionInfo::InternalName()},
        {QStringLiteral("Original Filename"), VersionInfo::OriginalFilename()},
        {QStringLiteral("Build Flags"), BuildFlags(VersionInfo::FileFlags)},
        {QStringLiteral("Comments"), VersionInfo::Comments()},
    };
    QList<Row> rows;
    for (const Row &row : all) {
        if (!row.value.isEmpty())
            rows.append(row);
    }
    return rows;
}

} // namespace VersionTable
