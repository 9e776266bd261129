#pragma once

#include "TfrmWzorDoc.h"

class QSplitter;
class TPictureDisplay;

// The illustration window: the full picture in the middle, the title as a
// scrolling banner, the description below, and the spoken caption as it opens.
class TfrmIlustra : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmIlustra(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
    void FormDeactivate() override;
    // The displayed picture, fitted to one page; nothing when there is none.
    bool Print(QPrinter &printer) override;
    // The displayed picture, when there is one.
    void CopyToClipboard() override;

    TPictureDisplay *pmDisplay() const { return m_display; }
    QSplitter *Splitter1() const { return m_splitter; }

protected:
    void LayoutBanner() override;
    void closeEvent(QCloseEvent *event) override;

private:
    TPictureDisplay *m_display;
    QSplitter *m_splitter;
};
