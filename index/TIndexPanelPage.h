#pragma once

#include "TIndexPage.h"

class QFrame;
class TImage;

// A page that holds one panel of a fixed size on black, kept centred: the start page and the
// epochs, kinds, Polish art and quiz pages. The panel's background picture comes from the skin.
class TIndexPanelPage : public TIndexPage
{
    Q_OBJECT

public:
    static constexpr int PanelWidth = 402;
    static constexpr int PanelHeight = 269;

    // The panel is "pn" + suffix, its background picture "im" + suffix.
    TIndexPanelPage(const QString &name, const QString &suffix, int helpContext,
                    QWidget *parent = nullptr);

    QFrame *Panel() const { return m_panel; }
    // Centred in the area; division truncates toward zero, so a small page gives a negative
    // offset.
    void Layout(const QSize &area) override;

private:
    QFrame *m_panel;
};
