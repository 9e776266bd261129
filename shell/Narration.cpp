#include "Narration.h"

#include "ContentError.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "TData.h"
#include "TM3Player.h"

namespace {

// The container's names are matched in lower case; only ASCII letters are folded.
QString asciiLower(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return result;
}

} // namespace

Narration::Narration(bool available, const QString &mp3Library, QObject *parent)
    : QObject(parent), m_available(available), m_player(new TM3Player(this, mp3Library))
{
    connect(m_player, &TM3Player::OnTerminate, this, [this] {
        if (m_pending)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!m_pending || m_player->Running())
                        return;
                    const auto [folder, name] = *std::exchange(m_pending, std::nullopt);
                    start(folder, name);
                },
                Qt::QueuedConnection);
    });
}

void Narration::play(const QString &folder, const QString &name)
{
    if (!m_available)
        return;
    m_player->Stop();
    // The stopped recording has to be done with before the new one is set, or the player
    // would ignore it.
    if (m_player->Running()) {
        m_pending = {folder, name};
        return;
    }
    start(folder, name);
}

void Narration::start(const QString &folder, const QString &name)
{
    m_player->SetDeleteAfterPlay(true);
    QString path;
    try {
        if (TData *data = Data())
            path = data->GetSoundFile(asciiLower(folder), asciiLower(name));
    } catch (const ContentError &e) {
        // A sound that cannot be read or written out is reported and not played; what asked
        // for it (an opening illustration, say) goes on.
        MessageBoxes::showError(nullptr, e.message());
        return;
    }
    m_player->SetFileName(path);
    m_player->Play();
}

void Narration::stop()
{
    if (m_available) {
        m_pending.reset();
        m_player->Stop();
    }
}
