#pragma once

#include "workbook/SheetRows.h"

#include <QString>

// Reads a text file of separated values as spreadsheet programs write it
// (through libcsv): the separator is the semicolon, comma or tab found most
// often outside quotes in the first line that holds anything (a tie: the
// semicolon); fields may be in double quotes, with doubled quotes inside and
// separators and line breaks as text; blanks around a field outside its
// quotes are dropped. The encoding is UTF-8 (a byte-order mark is skipped)
// when the whole file is valid UTF-8, otherwise Windows-1252, decided by a
// first pass over the file. Every field is a text; an empty one is empty.
// Rows are numbered by the file's lines, a line break inside quotes not
// counted, so that they are the rows a spreadsheet program shows.
// The rows go to `handler` as they are read, up to lastRow.
//
// Refused with a RuntimeError and a German reason: a file with NUL bytes or
// in UTF-16, a field longer than 32767 characters, a row of more than 16384
// fields or more than 8 MiB, more rows than a sheet has (1048576) when the
// whole sheet is asked for, a quote left open at the end of the file (a
// cut-off file: what it holds cannot be told apart from a damaged one).
// Memory stays bounded by these limits whatever the file.
void readCsv(const QString& path, int lastRow, const SheetRowHandler& handler);
