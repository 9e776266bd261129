#pragma once

// Files the tests read: their own data and the demo encyclopedia's sources.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace fixture {

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#ifdef VERBARIUM_SAMPLE_DIR
// A recording of the demo encyclopedia, by its path under sample/sounds.
inline QByteArray sampleSound(const char *relative)
{
    return readFile(QStringLiteral(VERBARIUM_SAMPLE_DIR "/sounds/") + QLatin1String(relative));
}
#endif

} // namespace fixture
