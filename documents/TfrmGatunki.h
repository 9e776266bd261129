#pragma once

#include "TfrmWzorDoc.h"

// The document window of literary genres ("_19704").
class TfrmGatunki : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmGatunki(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
