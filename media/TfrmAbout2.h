#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QTabWidget;
class QTableWidget;
class THTMLViewer;

// The about box: the program's information, licence and acknowledgements from the help
// folder beside the program, and its version values. Shift and a double click on the icon
// open a page without a tab.
class TfrmAbout2 : public QDialog
{
    Q_OBJECT

public:
    // Hands a link to the desktop; QDesktopServices::openUrl unless replaced.
    using UrlOpener = std::function<bool(const QUrl &)>;

    // The help pages are read from `programFolder`/help.
    explicit TfrmAbout2(const QString &programFolder, QWidget *parent = nullptr);

    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    enum Page { InfoPage, LicencePage, CreditsPage, HiddenPage, VersionPage };
    QTabWidget *PageControl1() const { return m_pages; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    THTMLViewer *addHtmlPage(const QString &objectName, const QString &caption,
                             const QString &font);
    void fillVersionTable();
    void HTInfo1HotSpotClick(THTMLViewer *view, const QString &target, bool *handled);
    void HTInfo2HotSpotClick(const QString &target, bool *handled);
    void openWithDesktop(THTMLViewer *view, const QString &target);

    QString m_helpFolder;
    UrlOpener m_openUrl;
    QLabel *m_image1;
    QTabWidget *m_pages;
    QTableWidget *m_listView1 = nullptr;
    // Modifier keys and mouse buttons at the last press or release on the icon.
    Qt::KeyboardModifiers m_lastModifiers;
    Qt::MouseButtons m_lastButtons;
};
