#pragma once

#include <QDialog>

class QLabel;

// The small window that stands while the update check waits for the network.
class UpdateWaitDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateWaitDialog(QWidget *parent = nullptr);
    void SetText(const QString &text);

protected:
    // Only the end of the transfer closes it.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_text;
};
