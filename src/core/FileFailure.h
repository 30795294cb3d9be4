#pragma once

#include <QString>

#include <cstdint>

// Why a file could not be opened or written, for a line of its own under the program's message.
// Texts of the current language where the program has one, else the system's own wording.

// The reason a system error number (errno) stands for.
QString SystemErrorReason(int systemError);
// Looks at what is at `path` for why it cannot be read: missing, a folder, a pipe or device, no
// permission; empty when none of these applies.
QString ReadFailureReason(const QString& path);
// "The file is too large (2.0 GiB)".
QString TooLargeReason(std::int64_t bytes);
// A size as people read it: bytes below 1 KiB, else KiB, MiB or GiB with one decimal.
QString ReadableSize(std::int64_t bytes);

// The file layer's own message for a file that cannot be written (not translated), the name
// escaped, and the reason on a line of its own.
QString FileNotCreatedMessage(const QString& path, const QString& reason);

// `text` with every character that could move the cursor, start a line, change the terminal or
// turn the writing direction shown as an escape (\n, \t, \x1b, \u202e),
// so that a name from outside cannot forge a line of a message.
QString EscapeControls(const QString& text);
