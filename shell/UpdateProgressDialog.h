#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;

// The download's progress: a bar, the byte counts and a button that aborts the transfer.
class UpdateProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateProgressDialog(std::function<void()> cancel, QWidget *parent = nullptr);
    void SetProgress(int percent, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> m_cancel;
    QProgressBar *m_bar;
    QLabel *m_bytes;
};
