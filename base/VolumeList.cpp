#include "VolumeList.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

const QString VolumeList::NoSerial = QStringLiteral("00000000");

QStringList VolumeList::opticalRoots() const
{
    QStringList roots;
    for (const QString &drive : Drives()) {
        const TVolumeRecord record = QueryVolume(drive);
        if (record.DriveType == TVolumeRecord::CdRom && !record.Root.isEmpty())
            roots.append(record.Root);
    }
    return roots;
}

TVolumeRecord VolumeList::unreadable(const QString &drive, quint8 type)
{
    return {NoSerial, type, QStringLiteral("Error"), drive, QString()};
}

QString VolumeList::serialOf(const QStringList &identity)
{
    const QByteArray hash =
        QCryptographicHash::hash(identity.join(QChar(0)).toUtf8(), QCryptographicHash::Sha256);
    QString serial = QString::fromLatin1(hash.left(4).toHex().toUpper());
    // The empty drive's serial never stands for a volume.
    return serial == NoSerial ? QStringLiteral("00000001") : serial;
}

namespace {

bool isOptical(const QStorageInfo &volume)
{
    const QByteArray type = volume.fileSystemType().toLower();
    return volume.isValid() && volume.isReady() && (type == "iso9660" || type == "udf");
}

QList<QStorageInfo> opticalMounts()
{
    QList<QStorageInfo> mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (isOptical(volume))
            mounts.append(volume);
    }
    std::sort(mounts.begin(), mounts.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
        return a.rootPath() < b.rootPath();
    });
    return mounts;
}

} // namespace

QStringList OpticalVolumes::Drives() const
{
    QStringList drives;
    for (const QStorageInfo &volume : opticalMounts()) {
        const QString device = QString::fromLocal8Bit(volume.device());
        if (!drives.contains(device))
            drives.append(device);
    }
    // Drives without a disc: the kernel lists every optical drive as an sr block device.
    const QStringList empty =
        QDir(QStringLiteral("/sys/block"))
            .entryList({QStringLiteral("sr*")}, QDir::Dirs | QDir::System, QDir::Name);
    for (const QString &name : empty) {
        const QString device = QStringLiteral("/dev/") + name;
        if (!drives.contains(device))
            drives.append(device);
    }
    return drives;
}

TVolumeRecord OpticalVolumes::QueryVolume(const QString &drive) const
{
    for (const QStorageInfo &volume : opticalMounts()) {
        if (QString::fromLocal8Bit(volume.device()) != drive)
            continue;
        const QString root = volume.rootPath();
        return {serialOf({drive, volume.name(), QString::fromLatin1(volume.fileSystemType()), root,
                          QString::number(volume.bytesTotal())}),
                TVolumeRecord::CdRom, volume.name(), drive, root};
    }
    return unreadable(drive, TVolumeRecord::CdRom);
}

TVolumeRecord FixedVolumes::QueryVolume(const QString &drive) const
{
    if (!m_roots.contains(drive))
        return unreadable(drive, TVolumeRecord::NoRootDir);
    return {serialOf({drive}), TVolumeRecord::CdRom, QFileInfo(drive).fileName(), drive, drive};
}
