#include "VolumeList.h"

#include <QStorageInfo>

QStringList OpticalVolumes::opticalRoots() const
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QByteArray type = volume.fileSystemType().toLower();
        if (volume.isValid() && volume.isReady() && (type == "iso9660" || type == "udf"))
            roots.append(volume.rootPath());
    }
    roots.sort();
    return roots;
}
