#pragma once

#include <QString>

// The program's version values in one place: the about box shows them and the update check
// compares the file version with the one offered on the web.
namespace VersionInfo {

struct FourPart
{
    quint16 major, minor, release, build;
    QString text() const
    {
        return QStringLiteral("%1.%2.%3.%4").arg(major).arg(minor).arg(release).arg(build);
    }
};

inline constexpr FourPart FileVersion{2, 0, 0, 24};
inline constexpr FourPart ProductVersion{2, 0, 0, 0};

inline QString ProductName()
{
    return QStringLiteral("Verbarium");
}
inline QString CompanyName()
{
    return QStringLiteral("Quandrel");
}
inline QString InternalName()
{
    return QStringLiteral("verbarium");
}
inline QString OriginalFilename()
{
    return QStringLiteral("verbarium.exe");
}
inline QString Comments()
{
    return QStringLiteral("Wersja dystrybucyjna 2.0 (15.03.2000)");
}
inline QString FileDescription()
{
    return QStringLiteral("Multimedialna encyklopedia literatury polskiej");
}
inline QString LegalCopyright()
{
    return QStringLiteral("Copyright © 2000 Quandrel. Wszelkie prawa zastrzeżone.");
}
inline QString LegalTrademarks()
{
    return QString();
}
// Debug, Info Inferred, Patched, Pre-Release, Private, Special: none is set.
inline constexpr quint32 FileFlags = 0;

} // namespace VersionInfo
