#pragma once

#include "TIndexThemePage.h"

// The literary kinds panel: four buttons opening the overviews of the kinds ("_19714").
class TIndexKindsPage : public TIndexThemePage
{
    Q_OBJECT

public:
    explicit TIndexKindsPage(const QString &name, QWidget *parent = nullptr);
};
