#pragma once

#include "VersionInfo.h"

#include <QString>

// The program's own file version as four numbers joined by ".", most significant first.
inline QString GetFileVersionString()
{
    return VersionInfo::FileVersion.text();
}
