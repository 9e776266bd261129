#pragma once

#include <QByteArrayView>
#include <QList>

// A picture of a help file (the SHG/MRB layout of |bmN files and of pictures embedded in
// text), decoded to 32-bit 0xAARRGGBB pixels, top row first. Metafiles are not drawn: they
// come back with their size and no pixels, for the viewer to show as an empty box.
struct HelpPicture
{
    int width = 0;
    int height = 0;
    bool metafile = false;
    QList<quint32> pixels;

    // Decodes the best picture the data holds; throws HelpFormatError when it is damaged.
    static HelpPicture decode(QByteArrayView data, const char *what);
};
