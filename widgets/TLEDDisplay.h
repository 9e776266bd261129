#pragma once

#include <QLCDNumber>

// A seven-segment display of a whole number in three digits with leading zeros ("060"),
// lime segments on black.
class TLEDDisplay : public QLCDNumber
{
    Q_OBJECT

public:
    static constexpr int Digits = 3;

    explicit TLEDDisplay(QWidget *parent = nullptr);

    int Value() const { return m_value; }
    void SetValue(int value);

private:
    int m_value = 0;
};
