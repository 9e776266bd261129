#pragma once

#include <QString>

// Dotted version numbers compared part by part from the left as integers: a part that is not
// a number counts as 0, and so does a part one side lacks.
namespace VersionCompare {

// True when `offered` is newer than `current`.
bool IsUpdate(const QString &current, const QString &offered);

} // namespace VersionCompare
