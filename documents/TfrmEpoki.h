#pragma once

#include "TfrmWzorTekst.h"

// The document window of literary epochs ("_19703").
class TfrmEpoki : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmEpoki(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmEpoki", Qt::white, Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
