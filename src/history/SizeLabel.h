#pragma once

#include <QString>

// The size text of a file: whole kilobytes below a million bytes, else whole megabytes (decimal).
[[nodiscard]] QString sizeLabel(qint64 bytes);
