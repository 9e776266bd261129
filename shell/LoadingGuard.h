#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// The state of a long load, set for its length and restored however it ends (a normal end,
// an early return or an error): the hourglass, the progress window with its text on the
// plain line and, when asked for, its bar from 0, and the main window, disabled while the
// load lets pending messages run, with the keyboard focus it had.
class LoadingGuard
{
public:
    enum Option {
        Hourglass = 0x1,
        Progress = 0x2,
        DisableMain = 0x4,
        ProgressBar = 0x8, // with Progress: the bar over the bold line, from 0
        All = Hourglass | Progress | DisableMain,
    };

    explicit LoadingGuard(const QString &text, int options = All);
    ~LoadingGuard();

    LoadingGuard(const LoadingGuard &) = delete;
    LoadingGuard &operator=(const LoadingGuard &) = delete;

private:
    int m_options;
    QPointer<QWidget> m_focus;
};
