#include "cli/Console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

QStringList commandLineArguments(int, char*[])
{
    QStringList arguments;
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) arguments << QString::fromWCharArray(words[i]);
        LocalFree(words);
    }
    return arguments;
}

// A console takes UTF-16 through WriteConsoleW, whatever its code page; a
// file or a pipe gets UTF-8, as on Linux.
void writeText(std::FILE* stream, const QString& text)
{
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()), &written, nullptr);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

void readStandardInputAsBytes()
{
    _setmode(_fileno(stdin), _O_BINARY);
}
