#pragma once

#include <QWidget>

class QTimer;

// A torch sweeping over a row of folders: the sign that folders are being searched.
class FolderAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit FolderAnimation(QWidget *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_timer;
    int m_frame = 0;
};
