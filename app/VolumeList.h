#pragma once

#include <QStringList>

// The removable-disc drives, in the order they are scanned for the data folder.
class VolumeList
{
public:
    virtual ~VolumeList() = default;
    virtual QStringList opticalRoots() const = 0;
};

// The mounted optical file systems (iso9660, udf), in mount-path order.
class OpticalVolumes : public VolumeList
{
public:
    QStringList opticalRoots() const override;
};
