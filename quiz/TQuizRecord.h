#pragma once

#include <QString>
#include <QtGlobal>

// One question of the pool: its entry number in the quiz category, its difficulty and epoch bits,
// and whether the current quiz has drawn it.
struct TQuizRecord
{
    // A "Trudność" that is none of the three words: no difficulty bit can admit it.
    static constexpr quint8 NoDifficulty = 0xFF;

    quint8 Difficulty = NoDifficulty; // 0 "Łatwe", 1 "Średnie", 2 "Trudne"
    quint8 Epoch = 0;                 // epoch number minus one, modulo 256
    QString Numer;
    bool Used = false;
};
