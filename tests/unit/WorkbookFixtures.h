#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// The workbooks made by tests/fixtures/make-fixtures.sh. Each holds the same
// column A on its first worksheet; these are its texts in a German locale.
namespace fixtures {

inline QString path(const QString& name)
{
    return QStringLiteral(GIPFELFLUSS_FIXTURES "/") + name;
}

// The bytes of a fixture; empty when it cannot be read.
inline QByteArray bytes(const char* name)
{
    QFile file(path(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file of the given content, for the tests' damaged copies; a null
// content leaves the path without a file.
inline bool writeFile(const QString& target, QByteArray (*content)())
{
    if (!content) return true;
    QFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(content()) >= 0;
}

// A1 to A27. A truth value is the one cell whose text depends on the
// producer: LibreOffice keeps TRUE as the number 1 with a truth format in
// .ods files.
inline QStringList columnA(const QString& truth = QStringLiteral("WAHR"))
{
    QStringList texts{QStringLiteral("Werte"), QStringLiteral("1"), QStringLiteral("2,5"), QStringLiteral("-3,75"),
                      QStringLiteral("Strang 4"), QString(), QStringLiteral("0,1"), QStringLiteral("#DIV/0!"), truth,
                      QStringLiteral("15.03.2024"), QStringLiteral("1234567,125"), QStringLiteral("Grüße"),
                      QStringLiteral("12"), QStringLiteral("0"), QStringLiteral("-0,5"), QStringLiteral("12,345")};
    for (int v = 170; v <= 250; v += 10) texts << QString::number(v);
    texts << QStringLiteral("Ende") << QStringLiteral("nicht lesen");
    return texts;
}

struct Producer {
    const char* file;
    const char* truth;  // text of A9
};

// One workbook of each kind and producer.
inline const Producer producers[] = {
    {"values-xlwt.xls", "WAHR"},
    {"values-libreoffice.xls", "WAHR"},
    {"values-openpyxl.xlsx", "WAHR"},
    {"values-libreoffice.xlsx", "WAHR"},
    {"inline-strings.xlsx", "WAHR"},
    {"absolute-targets.xlsx", "WAHR"},
    {"no-references.xlsx", "WAHR"},
    {"values-libreoffice.ods", "1"},
};

}  // namespace fixtures
