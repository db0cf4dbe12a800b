#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <utility>

// Runs a python3 script (with openpyxl and the csv module, an independent
// reader and writer of workbooks and separated values) and returns what it prints.
inline QByteArray runPython(const QString& script, const QStringList& arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput();
}

inline QByteArray runPython(const QString& script, const QString& argument)
{
    return runPython(script, QStringList{argument});
}

// A saved workbook as openpyxl sees its first worksheet: every cell with
// its value, type and number format.
struct SavedCell {
    QJsonValue value;
    QString type;    // openpyxl's data type: "n" number, "s" text
    QString format;  // number format code, "General" when none
};
inline std::map<std::pair<int, int>, SavedCell> readWithOpenpyxl(const QString& path)
{
    const QString script = QStringLiteral(
        "import json, sys, openpyxl\n"
        "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
        "print(json.dumps([[c.row, c.column, c.value, c.data_type, c.number_format]\n"
        "                  for row in sheet.iter_rows() for c in row if c.value is not None]))\n");
    std::map<std::pair<int, int>, SavedCell> cells;
    for (const QJsonValue& entry : QJsonDocument::fromJson(runPython(script, path)).array()) {
        const QJsonArray a = entry.toArray();
        cells[{a[0].toInt(), a[1].toInt()}] = {a[2], a[3].toString(), a[4].toString()};
    }
    return cells;
}
