#pragma once

#include "TfrmWzorDoc.h"

// The document window of Polish art, first kind ("_19712").
class TfrmSztuka : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmSztuka(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
