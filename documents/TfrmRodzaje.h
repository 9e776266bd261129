#pragma once

#include "TfrmWzorDoc.h"

// The document window of literary kinds ("_19714").
class TfrmRodzaje : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmRodzaje(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
