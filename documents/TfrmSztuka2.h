#pragma once

#include "TfrmWzorDoc.h"

// The document window of Polish art, second kind ("_19713").
class TfrmSztuka2 : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmSztuka2(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
