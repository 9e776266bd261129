#pragma once

#include "MessageBoxes.h"

#include <QList>

// Puts the program's message boxes aside for a test: from now on each message is kept in `log`
// (emptied first) and answered with Ok. `MessageBoxes::setHandler(nullptr)` ends it.
inline void recordMessages(QList<MessageBoxes::Message> &log)
{
    log.clear();
    MessageBoxes::setHandler([&log](const MessageBoxes::Message &m) {
        log.append(m);
        return QMessageBox::Ok;
    });
}
