#pragma once

#include <QString>

// Paths as the content names them ("DATA\", "bmps\Imglst.lst"): either separator, and each
// component matched without regard to letter case, since a disc copied to this system may
// hold "data/verbarium.dat".
namespace Paths {

// `base` joined with `relative`; every component that exists in another letter case is
// taken as it exists. Components that do not exist are kept as written.
QString resolve(const QString &base, const QString &relative);

// The "bmps" folder beside the program: the Index's skin and the pictures entries name.
QString bmpsFolder();
// Puts that folder elsewhere (tests); an empty path returns it beside the program.
void setBmpsFolder(const QString &folder);

// The picture named in an entry's text or the skin file, from the "bmps" folder; empty when
// there is no such file or when the name would reach outside that folder (an absolute name,
// a drive letter, a ".." component).
QString pictureInBmps(const QString &source);

// The folder path with a trailing separator ("" stays "").
QString withSeparator(const QString &folder);

} // namespace Paths
