#pragma once

#include "TfrmWzorDoc.h"

// The look a text category gives its window.
struct CategoryLook
{
    const char *designName; // the window's name and caption until the entry sets one
    QColor back;
    QColor text;
    QColor link;
    bool images; // whether the HTML view loads the pictures of the text
    bool banner; // the works' scrolling banner
};

// The base of the document windows that show an entry's text under their category's
// heading: the look given at creation, then the caption and document of the category's
// template when loading.
class TfrmWzorTekst : public TfrmWzorDoc
{
    Q_OBJECT

public:
    TfrmWzorTekst(const CategoryLook &look, QWidget *parent);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
