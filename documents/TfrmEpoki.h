#pragma once

#include "TfrmWzorDoc.h"

// The document window of literary epochs ("_19703").
class TfrmEpoki : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmEpoki(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
