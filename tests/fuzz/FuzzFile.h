#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

// The readers open files by path: each input is written to one file of this
// process's own, which is overwritten by the next input.
inline QString writeFuzzFile(const std::uint8_t* data, std::size_t size, const char* suffix)
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/gipfelfluss-fuzz-%1%2").arg(getpid()).arg(QLatin1String(suffix));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    return path;
}
