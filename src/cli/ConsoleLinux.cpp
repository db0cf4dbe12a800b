#include "cli/Console.h"

QStringList commandLineArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromUtf8(argv[i]);
    return arguments;
}

void writeText(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

void readStandardInputAsBytes() {}
