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

// A given list of disc roots (none by default): for a machine whose discs are known, and for
// runs that must not look at the real drives.
class FixedVolumes : public VolumeList
{
public:
    explicit FixedVolumes(QStringList roots = {}) : m_roots(std::move(roots)) {}
    QStringList opticalRoots() const override { return m_roots; }

private:
    QStringList m_roots;
};
