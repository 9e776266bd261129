#pragma once

#include <QString>

#include <functional>

// Everything the update check shows or asks, so that the check itself needs no windows and
// tests can answer for the user.
class UpdateUi
{
public:
    enum class Icon { None, Information, Warning, Question };
    // The save dialog's filters, in their order.
    enum class Filter { Applications, ZipArchives, AllFiles };

    virtual ~UpdateUi() = default;

    // A small modal window with the text while a transfer runs; closed by HideWait. `cancel`
    // aborts the transfer (its button, Escape, the close box).
    virtual void ShowWait(const QString &text, std::function<void()> cancel) = 0;
    virtual void HideWait() = 0;
    // A Yes/No question; true for Yes.
    virtual bool Ask(const QString &caption, const QString &text) = 0;
    virtual void Message(Icon icon, const QString &caption, const QString &text) = 0;
    virtual void ShowReadMe(const QString &text) = 0;
    // The file to save the update in, starting from `suggested` (a whole path); empty when
    // cancelled. The check adds the filter's extension and asks about replacing a file.
    virtual QString AskSaveName(const QString &suggested, Filter *chosen) = 0;
    // The download's progress window; `cancel` aborts the transfer.
    virtual void ShowProgress(std::function<void()> cancel) = 0;
    virtual void SetProgress(int percent, const QString &text) = 0;
    virtual void HideProgress() = 0;
    // Opens the file as the desktop would; false when it could not be started.
    virtual bool Open(const QString &path) = 0;
    // Ends the program, as when the user closes its main window.
    virtual void Quit() = 0;
};
