#pragma once

#include <QFrame>

class QTextBrowser;
class WinHelpFile;
struct HelpTopic;

// A small pop-up window that shows one help topic (or a short message) beside the mouse
// pointer and closes on the next click or key, like the help pop-ups of old.
class HelpPopup : public QFrame
{
    Q_OBJECT

public:
    explicit HelpPopup(QWidget *parent = nullptr);

    void showTopic(const WinHelpFile &file, const HelpTopic &topic, const QPoint &globalPos);
    void showMessage(const QString &text, const QPoint &globalPos);
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void popUpAt(const QPoint &globalPos);

    QTextBrowser *m_view;
};
