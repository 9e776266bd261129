#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The content is single-byte Windows-1250 text throughout. These helpers convert it with
// tables built once from the system codec, so the hot paths (lookups, field lists) need no
// converter object and are safe to call from any thread.
namespace Cp1250 {

QString decode(QByteArrayView bytes);

// Characters that Windows-1250 cannot hold become '?'; `ok` (when given) tells whether all fit.
QByteArray encode(QStringView text, bool *ok = nullptr);

// The other-case letter folded to lower case, for the ASCII letters and the letters of the
// code page ("Ł" and "ł", "Ś" and "ś", ...). Other bytes are returned unchanged.
unsigned char foldCase(unsigned char byte);

// Upper-cases the ASCII letters only, leaving every other byte as it is.
QByteArray upperAscii(QByteArrayView bytes);
inline char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
// The same for text: "ą" stays "ą", as the item index keeps it.
QString upperAscii(QStringView text);

} // namespace Cp1250
