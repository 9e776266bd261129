#pragma once

#include <QWidget>

class QLabel;

// The start-up window: a picture and a status line, shown until the Index window exists.
class TfrmSplasher : public QWidget
{
    Q_OBJECT

public:
    TfrmSplasher();

    // Shows the text at once, so it is visible while the next step blocks.
    void SetStatus(const QString &text);
    QString Status() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_status;
};
