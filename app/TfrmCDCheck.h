#pragma once

#include <QDialog>

#include <functional>

class FolderAnimation;
class QLabel;
class QPushButton;
class TCheckThread;
class VolumeList;

// Asks for the program's disc or for the data folder: while it is open the CD-ROM drives are
// watched, and a disc whose subfolder holds the required files closes it; so does a folder
// picked by hand that holds them.
class TfrmCDCheck : public QDialog
{
    Q_OBJECT

public:
    // The folder browser: the picked folder, or empty when the user cancelled it.
    using FolderBrowser =
        std::function<QString(QWidget *parent, const QString &caption, const QString &start)>;

    explicit TfrmCDCheck(const VolumeList &volumes, QWidget *parent = nullptr);
    // Stops the watching thread and waits for it.
    ~TfrmCDCheck() override;

    void SetExplanation(const QString &text);
    // The ";"-separated names that must all be in the folder.
    void SetFileList(const QString &fileList) { m_fileList = fileList; }
    // Where the data lies on the disc ("DATA\").
    void SetSubFolder(const QString &subFolder) { m_subFolder = subFolder; }
    // At opening the folder the browser starts in; once accepted, the folder found.
    void SetFolder(const QString &folder) { m_folder = folder; }
    const QString &Folder() const { return m_folder; }

    void SetFolderBrowser(FolderBrowser browser) { m_browse = std::move(browser); }
    void SetInterval(int msecs) { m_interval = msecs; }

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ThreadDone();

    const VolumeList &m_volumes;
    QString m_fileList;
    QString m_subFolder;
    QString m_folder;
    int m_interval = 500;
    FolderBrowser m_browse;
    TCheckThread *m_thread = nullptr;

    QLabel *m_expLabel;
    FolderAnimation *m_animate;
};
