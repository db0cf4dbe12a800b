#include "base/CalculationText.h"

namespace calculationText {

QString formulaName(calc::Case c, const NumberText& numbers)
{
    const calc::CaseConstants k = calc::constantsOf(c);
    // The minimum total of a small case is its largest single unit.
    if (c == calc::Case::Large) return QStringLiteral("ab %1 BW").arg(numbers.plain(calc::largeInstallationThreshold));
    return QStringLiteral("Einzel BW %1").arg(numbers.plain(k.minimumTotal));
}

QString refusalReason(const calc::Outcome& outcome, double total, double largestUnit, const NumberText& numbers)
{
    switch (outcome.refusal) {
    case calc::Outcome::Refusal::None: return {};
    case calc::Outcome::Refusal::LargestUnit:
        return QStringLiteral("grösster Einzel BW %1: nur 2, 3, 4, 5 oder 8 unter %2 BW")
            .arg(numbers.plain(largestUnit), numbers.plain(calc::largeInstallationThreshold));
    case calc::Outcome::Refusal::BelowMinimum:
        return QStringLiteral("Total %1 BW unter dem Minimum %2")
            .arg(numbers.plain(total), numbers.plain(calc::constantsOf(outcome.c).minimumTotal));
    }
    return {};
}

QString notANumber(const QString& what, const QString& text)
{
    return QStringLiteral("%1 ist keine Zahl: »%2«").arg(what, text);
}

QString missing(const QString& what)
{
    return QStringLiteral("%1 fehlt").arg(what);
}

void addReason(QString& reasons, const QString& reason)
{
    if (reason.isEmpty() || reasons == reason || reasons.endsWith(QStringLiteral("; ") + reason)) return;
    reasons = reasons.isEmpty() ? reason : reasons + QStringLiteral("; ") + reason;
}

}  // namespace calculationText
