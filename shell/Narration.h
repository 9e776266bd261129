#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class TM3Player;

// The recorded narration of the frame: one recording at a time, read out of the container
// into a temporary file that goes once played. A new recording stops the one playing; it
// starts once that one is done with, the window running meanwhile.
class Narration : public QObject
{
    Q_OBJECT

public:
    // `available`: whether the machine can play sound at all; without it nothing plays.
    Narration(bool available, const QString &mp3Library, QObject *parent = nullptr);

    bool available() const { return m_available; }
    TM3Player *player() const { return m_player; }

    // Plays "_197SND\folder\name"; a recording that cannot be read is reported.
    void play(const QString &folder, const QString &name);
    void stop();

private:
    void start(const QString &folder, const QString &name);

    bool m_available;
    TM3Player *m_player;
    // Asked for while the previous recording was still stopping.
    std::optional<std::pair<QString, QString>> m_pending;
};
