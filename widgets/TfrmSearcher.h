#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The small always-on-top panel shown during long loads: a running animation, the bold line
// "Proszę czekać", the plain line that says what is loading, and a progress bar (hidden until
// a load shows it) over the bold line, so the plain line stays readable beside it.
class TfrmSearcher : public QWidget
{
    Q_OBJECT

public:
    TfrmSearcher();

    QLabel *Label1() const { return m_bold; }
    QLabel *Label2() const { return m_line; }
    QProgressBar *ProgressBar1() const { return m_progress; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_bold;
    QLabel *m_line;
    QProgressBar *m_progress;
    QTimer *m_animation;
    int m_frame = 0;
};

// The progress window shown during long loads; null while there is none.
TfrmSearcher *Searcher();
void SetSearcher(TfrmSearcher *searcher);
