#include "SizeLabel.h"

QString sizeLabel(qint64 bytes)
{
    // Below 1,000,000 the megabyte figure would read "0 mb", so stay in kilobytes until then.
    if (bytes < 1000000)
        return QString::number(bytes / 1000) + QStringLiteral(" kb");
    return QString::number(bytes / 1000000) + QStringLiteral(" mb");
}
