#include "HtmlForms.h"

int HtmlForms::addForm(const QString &action, const QString &target)
{
    m_forms.append({action, target});
    return int(m_forms.size()) - 1;
}

int HtmlForms::addCheckBox(int form, const QString &name, const QString &value, bool checked)
{
    Control control;
    control.kind = Kind::CheckBox;
    control.form = form;
    control.name = name;
    control.value = value;
    control.checked = checked;
    m_controls.append(control);
    return count() - 1;
}

int HtmlForms::addSubmitButton(int form, const QString &label)
{
    Control control;
    control.kind = Kind::SubmitButton;
    control.form = form;
    control.label = label;
    m_controls.append(control);
    return count() - 1;
}

bool HtmlForms::toggle(int index)
{
    if (index < 0 || index >= count() || m_controls[index].kind != Kind::CheckBox)
        return false;
    m_controls[index].checked = !m_controls[index].checked;
    return true;
}

QStringList HtmlForms::submission(int index) const
{
    QStringList lines;
    const int form = m_controls.at(index).form;
    for (const Control &control : m_controls) {
        // As in a browser, a box without a name takes no part in the submission.
        if (control.form == form && control.kind == Kind::CheckBox && control.checked &&
            !control.name.isEmpty())
            lines.append(control.name + u'=' + control.value);
    }
    return lines;
}

int HtmlForms::buttonForAccelerator(QChar key) const
{
    if (key.isNull())
        return -1;
    for (int i = 0; i < count(); ++i) {
        const Control &control = m_controls.at(i);
        if (control.kind == Kind::SubmitButton &&
            accelerator(control.label).toUpper() == key.toUpper())
            return i;
    }
    return -1;
}

QChar HtmlForms::accelerator(const QString &label)
{
    for (qsizetype i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != u'&')
            continue;
        if (label[i + 1] != u'&')
            return label[i + 1];
        ++i;
    }
    return {};
}
