#pragma once

#include <QByteArrayView>

// The hash by which |CONTEXT and jumps name a topic: h = h * 43 + weight(c) over the context
// name, blind to letter case. The hash of the empty name is 1.
qint32 contextHash(QByteArrayView name);
