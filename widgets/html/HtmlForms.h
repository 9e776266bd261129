#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The forms of one page and the state of their controls: check boxes that can be ticked and
// submit buttons whose pressing yields the ticked boxes of their form as name=value lines.
class HtmlForms
{
public:
    enum class Kind { CheckBox, SubmitButton };

    struct Control
    {
        Kind kind = Kind::CheckBox;
        int form = 0;
        QString name;
        QString value;
        bool checked = false;
        QString label; // submit buttons: the caption, with '&' before the accelerator
    };

    struct Form
    {
        QString action;
        QString target;
    };

    int addForm(const QString &action, const QString &target);
    int addCheckBox(int form, const QString &name, const QString &value, bool checked);
    int addSubmitButton(int form, const QString &label);

    int count() const { return int(m_controls.size()); }
    bool isEmpty() const { return m_controls.isEmpty(); }
    const Control &control(int index) const { return m_controls.at(index); }
    const Form &formOf(int control) const { return m_forms.at(m_controls.at(control).form); }

    // Ticks or unticks a check box; false when `index` is no check box.
    bool toggle(int index);
    // The lines a press of the submit button `index` hands over, in document order.
    QStringList submission(int index) const;
    // The first submit button whose accelerator is `key`, regardless of case; -1 when none.
    int buttonForAccelerator(QChar key) const;

    // The letter after the first single '&' of a caption ("&&" stands for '&' itself), or a
    // null character.
    static QChar accelerator(const QString &label);

private:
    QList<Form> m_forms;
    QList<Control> m_controls;
};
