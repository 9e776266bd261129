#pragma once

#include "SkinPainter.h"

#include <QList>
#include <QString>

// Writes a skin into a folder: every picture in the format its extension names — or as PNG
// where this Qt has no writer for that format — and the list "Imglst.lst" that names them, one
// "component=file" line each, with CR LF line ends.
namespace SkinWriter {

inline constexpr char ListName[] = "Imglst.lst";

// The name a picture is written under: `fileName`, or the same name with ".png".
QString WrittenName(const QString &fileName);

// Creates the folder if needed. False, with the reason in `error`, when anything fails.
bool Write(const QString &folder, const QList<SkinPicture> &pictures, QString *error);

} // namespace SkinWriter
