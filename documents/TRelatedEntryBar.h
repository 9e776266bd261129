#pragma once

#include "TLinkList.h"

#include <QColor>
#include <QWidget>

#include <array>

class QAction;
class QToolButton;
class TPSSDirectory;
class TScrollBanner;

// The bar at the top of a document window: a button for each category of related entries,
// dropping down the entries the document links to, over a gradient from black to the
// window's colour, and in some windows the scrolling banner above the buttons. Choosing an
// entry opens it; a recording is played instead.
class TRelatedEntryBar : public QWidget
{
    Q_OBJECT

public:
    // The buttons, in their order on the bar.
    enum Button {
        btDziela,
        btBiogramy,
        btEpoki,
        btRodzaje,
        btGatunki,
        btWypisy,
        btCytaty,
        btWypowiedz,
        btIlustracje,
        btBohaterowie,
        ButtonCount
    };

    // `document`, the window the bar belongs to, also owns the buttons' menus.
    explicit TRelatedEntryBar(QWidget *document);

    QToolButton *button(Button button) const { return m_buttons[button]; }
    const TLinkList &links(Button button) const { return m_links[button]; }
    // Fills the buttons' menus from the entry's fields; a button without links is hidden.
    void load(const QStringList &fields, TPSSDirectory &directory);
    // The window's colours; the visible buttons close up, and without any the bar hides.
    void applyLook(const QColor &back, const QColor &text);
    // Plain black instead of the gradient.
    void hideGradient();

    TScrollBanner *banner() const { return m_banner; }
    void enableBanner();
    // The banner across the top, the buttons under it.
    void layoutBanner();

Q_SIGNALS:
    // A recording of the related recordings was played.
    void soundPlayed(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void entryChosen(Button button, QAction *item);
    void recordingChosen(QAction *item);

    QWidget *m_document;
    QColor m_endColor = QColor(0, 0, 128);
    bool m_gradient = true;
    std::array<QToolButton *, ButtonCount> m_buttons{};
    std::array<TLinkList, ButtonCount> m_links;
    TScrollBanner *m_banner = nullptr;
};
