#pragma once

#include "TLinkList.h"

#include <QDockWidget>

class QMainWindow;
class QScrollArea;

// The strip of illustration thumbnails beside a document's text, docked at the left of the
// document's body and movable to the right. A thumbnail opens its illustration when clicked,
// or from the keyboard with Enter or Space; Tab goes through the thumbnails as the eye does,
// before the text when the strip stands on its left, after it on the right.
class TThumbnailStrip : public QDockWidget
{
    Q_OBJECT

public:
    static constexpr int ThumbnailPitch = 98;
    static constexpr int ThumbnailSize = 96;

    // Docks itself in the body.
    explicit TThumbnailStrip(QMainWindow *body);

    // Shows a thumbnail for each illustration the value links, or hides the strip without any.
    void load(const QString &illustrations);
    const TLinkList &links() const { return m_links; }
    QScrollArea *scrollArea() const { return m_scroll; }
    QList<QWidget *> thumbnails() const;
    void setBackground(const QPalette &palette);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addThumbnail(int index);
    void thumbnailClicked(int index);
    void fitWidth();
    void orderTabStops();

    QMainWindow *m_body;
    TLinkList m_links;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_page = nullptr;
};
