#pragma once

#include <QByteArray>

// The minisign public key that updates of the program are signed with.
QByteArray UpdateSigningKey();
