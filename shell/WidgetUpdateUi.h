#pragma once

#include "UpdateUi.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class UpdateProgressDialog;
class UpdateWaitDialog;

// The update check's windows: the program's message boxes, the wait, read-me and progress
// windows, the save dialog and the desktop's way of opening a file.
class WidgetUpdateUi : public UpdateUi
{
public:
    // `owner`: the main window, which owns the boxes and closes for an update's start.
    explicit WidgetUpdateUi(QWidget *owner);
    ~WidgetUpdateUi() override;

    void ShowWait(const QString &text, std::function<void()> cancel) override;
    void HideWait() override;
    bool Ask(const QString &caption, const QString &text) override;
    void Message(Icon icon, const QString &caption, const QString &text) override;
    void ShowReadMe(const QString &text) override;
    QString AskSaveName(const QString &suggested, Filter *chosen) override;
    void ShowProgress(std::function<void()> cancel) override;
    void SetProgress(int percent, const QString &text) override;
    void HideProgress() override;
    bool Open(const QString &path) override;
    void Quit() override;

private:
    QPointer<QWidget> m_owner;
    std::unique_ptr<UpdateWaitDialog> m_wait;
    std::unique_ptr<UpdateProgressDialog> m_progress;
};
