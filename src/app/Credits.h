#pragma once

#include <QString>

// Who develops the program, for the credit line under the chart and the
// about box. The team works online and has no postal address of its own.
namespace credits {

inline const QString name = QStringLiteral("Gipfelfluss-Team");
inline const QString degree = QStringLiteral("Freie Software");
inline const QString postcodeAndTown = QStringLiteral("Online");
inline const QString email = QStringLiteral("maintainers@users.noreply.c-seed-859859d1.example");

// "Programmentwicklung: name, degree. postcode town"
inline QString creditLine()
{
    return QStringLiteral("Programmentwicklung: ") + name + QStringLiteral(", ") + degree + QStringLiteral(". ")
           + postcodeAndTown;
}

}  // namespace credits
