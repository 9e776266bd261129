#pragma once

#include "TIndexPage.h"
#include "TKalendarList.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTimer;
class TAutoRepeat;
class TCalendarLegend;
class TCalendarStrip;
class TGlyphButton;
class TImage;

// The Index window's calendar page: the strip of events, the column that steers it — a
// search by year, the category and type buttons, the scroll buttons — and the bottom bar
// with the range of years in view, the three sort buttons and the legend. The events are
// loaded at the first visit and kept for the life of the window.
class TKalendariumPage : public TIndexPage
{
    Q_OBJECT

public:
    explicit TKalendariumPage(const QString &name, QWidget *parent = nullptr);

    // Loads the calendar when the list is still empty.
    void PageShown() override;
    // Any page change closes the legend.
    void CancelPending() override;
    void ApplyDocumentLook(const Preferences &prefs) override;

    void LoadCalendar();
    const TKalendarList &List() const { return m_list; }
    TCalendarStrip *Strip() const { return m_strip; }
    TAutoRepeat *Repeat() const { return m_repeat; }
    TCalendarLegend *Legend() const { return m_legend; }
    int CategoryFilter() const { return m_categoryFilter; }
    int TypeFilter() const { return m_typeFilter; }

    void btKSort1Click(int tag);
    void btKalendKat1Click(int category);
    void btKalendTyp1Click(int type);
    void btKalendSearchClick();
    void btLegendaClick();
    void SuperPanelMouseDown(int position);
    void SuperPanelMouseUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createControlColumn();
    QWidget *createSearch();
    QWidget *createCategoryButtons();
    QWidget *createTypeButtons();
    QWidget *createScrollButtons();
    QWidget *createBottomBar();
    void applyTypeGlyphs();
    QImage imageList() const;

    TKalendarList m_list;
    TCalendarStrip *m_strip;
    TCalendarLegend *m_legend;
    QTimer *m_timer;
    TAutoRepeat *m_repeat = nullptr;
    QLineEdit *m_edit = nullptr;
    QStackedWidget *m_notebook = nullptr;
    QLabel *m_superPanel = nullptr;
    QLabel *m_range = nullptr;
    QWidget *m_bottom = nullptr;
    QWidget *m_scrollButtons = nullptr;
    TGlyphButton *m_legendButton = nullptr;
    QButtonGroup *m_sortButtons = nullptr;
    QList<TGlyphButton *> m_typeButtons;
    TImage *m_imageList;
    int m_categoryFilter = 0;
    int m_typeFilter = 1;
};
