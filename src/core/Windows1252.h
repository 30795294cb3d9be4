#pragma once

#include <QByteArrayView>
#include <QString>

// Log files are written in Windows-1252; Qt 6.4 has no codec for it without ICU, so the 32 code
// points that differ from Latin-1 are mapped here.
QString DecodeWindows1252(QByteArrayView bytes);
