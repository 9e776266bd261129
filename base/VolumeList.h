#pragma once

#include <QString>
#include <QStringList>

// One drive's state at one moment.
struct TVolumeRecord
{
    // The platform's drive type codes; the data disc is looked for on CD-ROM drives only.
    enum : quint8 {
        Unknown = 0,
        NoRootDir = 1,
        Removable = 2,
        Fixed = 3,
        Remote = 4,
        CdRom = 5,
        RamDisk = 6
    };

    // The volume's identity as 8 upper-case hexadecimal digits; "00000000" when the drive
    // holds no readable volume.
    QString Serial;
    quint8 DriveType = Unknown;
    // The volume label; "Error" when the drive holds no readable volume.
    QString VolumeName;
    // The drive: a letter on Windows, the device here (/dev/sr0).
    QString Letter;
    // Where the volume's files are reached; empty when there is none.
    QString Root;
};

// The drives the data disc may be in, and what each holds now. Its calls may come from a
// worker thread.
class VolumeList
{
public:
    static const QString NoSerial;

    virtual ~VolumeList() = default;
    // The drives, in the order they are scanned.
    virtual QStringList Drives() const = 0;
    // The drive's state now; a drive that cannot be read gives "00000000" and "Error".
    virtual TVolumeRecord QueryVolume(const QString &drive) const = 0;

    // The roots of the CD-ROM drives that hold a volume, in scan order.
    QStringList opticalRoots() const;

protected:
    static TVolumeRecord unreadable(const QString &drive, quint8 type);
    // The serial standing for a volume's identity.
    static QString serialOf(const QStringList &identity);
};

// The optical drives of this system: the sr devices and every mounted iso9660 or udf file
// system (a disc image mounted through a loop device counts too), those with a volume in
// mount-path order, then the empty ones.
class OpticalVolumes : public VolumeList
{
public:
    QStringList Drives() const override;
    TVolumeRecord QueryVolume(const QString &drive) const override;
};

// A given list of disc roots (none by default), each a CD-ROM drive that holds a volume: for a
// machine whose discs are known, and for runs that must not look at the real drives.
class FixedVolumes : public VolumeList
{
public:
    explicit FixedVolumes(QStringList roots = {}) : m_roots(std::move(roots)) {}
    QStringList Drives() const override { return m_roots; }
    TVolumeRecord QueryVolume(const QString &drive) const override;

private:
    QStringList m_roots;
};
