#pragma once

#include <QString>

class QWidget;

// The help the program offers: pop-up topics by context number, and the contents and index.
class HelpSystem
{
public:
    virtual ~HelpSystem() = default;
    virtual void showPopup(int context) = 0;
    virtual void showContents() = 0;
};

// Help from the help file in the program's folder. There is no reader for the file's format
// yet, so every request reports that the file cannot be opened, as a help system does.
class HelpFile : public HelpSystem
{
public:
    HelpFile(QWidget *owner, const QString &path) : m_owner(owner), m_path(path) {}

    void showPopup(int context) override;
    void showContents() override;
    const QString &path() const { return m_path; }

private:
    void reportUnreadable();

    QWidget *m_owner;
    QString m_path;
};
