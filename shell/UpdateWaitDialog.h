#pragma once

#include <QDialog>

#include <functional>

class QLabel;

// The small window that stands while the update check waits for the network; its button,
// Escape and the close box abort the transfer.
class UpdateWaitDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateWaitDialog(std::function<void()> cancel, QWidget *parent = nullptr);
    void SetText(const QString &text);

protected:
    // Only the end of the transfer closes it.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> m_cancel;
    QLabel *m_text;
};
