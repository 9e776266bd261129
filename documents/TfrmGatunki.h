#pragma once

#include "TfrmWzorTekst.h"

// The document window of literary genres ("_19704").
class TfrmGatunki : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmGatunki(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmGatunki", QColor(200, 255, 255), Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
