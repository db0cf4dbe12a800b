#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// The command line's console: its arguments and its standard streams, which
// Linux and Windows hand a program differently (ConsoleLinux.cpp,
// ConsoleWindows.cpp).

// The arguments of main() as texts, the program's name first: as Windows
// passes them (UTF-16, whatever the code page), as UTF-8 on Linux.
QStringList commandLineArguments(int argc, char* argv[]);

// Writes text to standard output or standard error: into a Windows console
// as its characters, otherwise (a terminal on Linux, a file, a pipe) as UTF-8.
void writeText(std::FILE* stream, const QString& text);

// Standard input is read as the bytes it holds, a CSV file's line ends and
// all (Windows reads it as text otherwise).
void readStandardInputAsBytes();
