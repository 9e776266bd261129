#pragma once

#include <QAccessibleWidget>

class THTMLViewer;

// What assistive technology sees of the quiz page: a document named by its text up to the
// first answer (the question and its number), or by the whole page when there is no form (the
// summary), with the page's check boxes and button as its items.
class QuizViewAccessible : public QAccessibleWidget
{
public:
    explicit QuizViewAccessible(THTMLViewer *view);
    ~QuizViewAccessible() override;

    // The property that makes a view answer with this interface.
    static constexpr char Property[] = "quizPage";

    // Makes the views with the property answer with this interface; once is enough.
    static void Install();
    // Tells assistive technology that the page changed, that the control at `index` was
    // ticked or unticked, or that it took the focus.
    static void PageChanged(THTMLViewer *view);
    static void ControlToggled(THTMLViewer *view, int index);
    static void ControlFocused(THTMLViewer *view);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    THTMLViewer *view() const;
    // The controls' items follow the page shown.
    void refresh() const;
    void dropControls() const;

    mutable QList<QAccessibleInterface *> m_controls;
    mutable QString m_page;
};
