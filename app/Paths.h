#pragma once

#include <QString>

// Paths as the content names them ("DATA\", "bmps\Imglst.lst"): either separator, and each
// component matched without regard to letter case, since a disc copied to this system may
// hold "data/verbarium.dat".
namespace Paths {

// `base` joined with `relative`; every component that exists in another letter case is
// taken as it exists. Components that do not exist are kept as written.
QString resolve(const QString &base, const QString &relative);

// The folder path with a trailing separator ("" stays "").
QString withSeparator(const QString &folder);

} // namespace Paths
