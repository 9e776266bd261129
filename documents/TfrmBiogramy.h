#pragma once

#include "TfrmWzorDoc.h"

// The document window of biographies of writers ("_19702").
class TfrmBiogramy : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmBiogramy(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
