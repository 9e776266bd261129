#pragma once

#include <QString>
#include <QWidget>

// The base of every child window of the main window: the category code and entry number of
// what it shows, by which the dispatcher finds it.
class TfrmWzorBazowy : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmWzorBazowy(QWidget *parent = nullptr);

    const QString &Typ() const { return m_typ; }
    const QString &Numer() const { return m_numer; }
    void SetTyp(const QString &typ);
    void SetNumer(const QString &numer);

    // Reads and shows the entry; the document windows do the work.
    virtual void LoadDocument(const QString &typ, const QString &numer);
    // A window that is still loading refuses to close.
    virtual bool IsLoading() const { return false; }
    // One step of the window's scrolling banner, for windows that have one.
    virtual void BannerStep() {}
    virtual bool HasBanner() const { return false; }
    // The window stopped being the active child window.
    virtual void FormDeactivate() {}
    // The name of the recording this window played last, for the replay button.
    virtual QString LastSound() const { return QString(); }

protected:
    // Closing forgets the window in the main window's open-window list.
    void closeEvent(QCloseEvent *event) override;

private:
    QString m_typ;
    QString m_numer;
};
