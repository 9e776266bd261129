#pragma once

#include <QDialog>

// The update's read-me text, in a window four fifths of the screen.
class UpdateReadMeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateReadMeDialog(const QString &text, QWidget *parent = nullptr);
};
