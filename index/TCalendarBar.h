#pragma once

#include <QFrame>
#include <QImage>

class QLabel;

// One bar of the calendar strip: an event's year, its category icon and its text on the
// colour of its type, or the black end bar after the last event. The bar's tag is the year
// the range label counts (1997 for the end bar).
class TCalendarBar : public QFrame
{
    Q_OBJECT

public:
    static constexpr int EventHeight = 40;
    static constexpr int EndHeight = 100;
    static constexpr int EndTag = 1997;

    struct Event
    {
        int year = 0;
        int type = 0;
        int category = 0;
        QImage icon;
        QString text;
        bool link = false; // the event refers to a work
        int position = 0;  // in the calendar list
    };

    // An event's bar, `width` wide, as high as its text needs (40 for one or two lines).
    TCalendarBar(const Event &event, const QFont &font, int width, QWidget *parent);
    // The end bar.
    TCalendarBar(int width, QWidget *parent);

    int Tag() const { return m_tag; }
    // The event's text; null on the end bar.
    QLabel *TextLabel() const { return m_text; }
    // What a screen reader says of the bar: the year and the text, then the type and the
    // category.
    QString Name() const { return m_name; }
    QString Description() const { return m_description; }
    bool IsLink() const { return m_link; }
    // Opens the work the event refers to, as a click on its text does (Enter on the bar).
    void Open();

Q_SIGNALS:
    // The mouse went down or up on the text of an event that refers to a work.
    void LinkPressed(int position);
    void LinkReleased();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // With the focus, the frame of the picture buttons around the bar.
    void paintEvent(QPaintEvent *event) override;

private:
    int m_tag;
    int m_position = 0;
    bool m_link = false;
    QLabel *m_text = nullptr;
    QString m_name;
    QString m_description;
};
