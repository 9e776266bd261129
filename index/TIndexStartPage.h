#pragma once

#include "TIndexPanelPage.h"

// The start page: its panel's buttons lead to the other pages, each by the page index in its
// tag, and carry a hint on what the page offers. Enter and Return press them as Space does.
class TIndexStartPage : public TIndexPanelPage
{
    Q_OBJECT

public:
    explicit TIndexStartPage(const QString &name, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
