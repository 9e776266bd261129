#pragma once

#include "TIndexThemePage.h"

// The epochs panel: nine buttons opening the overviews of the literary epochs ("_19703").
class TIndexEpochsPage : public TIndexThemePage
{
    Q_OBJECT

public:
    explicit TIndexEpochsPage(const QString &name, QWidget *parent = nullptr);
};
