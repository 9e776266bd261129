#pragma once

#include "TIndexThemePage.h"

// The Polish art panel: six buttons opening the overviews of the periods of Polish art
// ("_19712").
class TIndexArtPage : public TIndexThemePage
{
    Q_OBJECT

public:
    explicit TIndexArtPage(const QString &name, QWidget *parent = nullptr);
};
