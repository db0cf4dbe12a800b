#include "tally/ExactSum.h"

#include "base/NumberText.h"

#include <string>

namespace tally {

namespace {

// Decimal texts in the C locale ("1.5e-07", "12.25"): the form GMP's digits
// are read from and written back in.
const NumberText& pointNumbers()
{
    static const NumberText numbers{QLocale::c()};
    return numbers;
}

void scaleByPowerOfTen(mpz_t value, unsigned long power)
{
    mpz_t factor;
    mpz_init(factor);
    mpz_ui_pow_ui(factor, 10, power);
    mpz_mul(value, value, factor);
    mpz_clear(factor);
}

}  // namespace

ExactSum::ExactSum()
{
    mpz_init(m_digits);
}

ExactSum::~ExactSum()
{
    mpz_clear(m_digits);
}

void ExactSum::add(double decimal, double whole)
{
    // "-1.25e+02": the digits with their sign, the point taken out, and the
    // exponent less the digits that stood after the point.
    const QString text = pointNumbers().plain(decimal);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    QString mantissa = e < 0 ? text : text.left(e);
    long exponent = e < 0 ? 0 : text.mid(e + 1).toLong();
    const qsizetype point = mantissa.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        exponent -= long(mantissa.size() - point - 1);
        mantissa.remove(point, 1);
    }
    mpz_t term, count;
    mpz_init_set_str(term, mantissa.toLatin1().constData(), 10);
    mpz_init_set_d(count, whole);  // exact: a whole double is an integer
    mpz_mul(term, term, count);
    mpz_clear(count);

    if (m_empty) {
        mpz_swap(m_digits, term);
        m_exponent = exponent;
        m_empty = false;
    } else if (exponent < m_exponent) {
        scaleByPowerOfTen(m_digits, static_cast<unsigned long>(m_exponent - exponent));
        m_exponent = exponent;
        mpz_add(m_digits, m_digits, term);
    } else {
        scaleByPowerOfTen(term, static_cast<unsigned long>(exponent - m_exponent));
        mpz_add(m_digits, m_digits, term);
    }
    mpz_clear(term);
}

std::optional<double> ExactSum::value() const
{
    if (m_empty) return 0.0;
    std::string digits(mpz_sizeinbase(m_digits, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, m_digits);
    digits.resize(std::char_traits<char>::length(digits.c_str()));
    // The locale's reading rounds a text of any length to the nearest double.
    const QString text = QString::fromLatin1(digits) + QStringLiteral("e%1").arg(m_exponent);
    if (!pointNumbers().isNumber(text)) return std::nullopt;
    return pointNumbers().toDouble(text);
}

}  // namespace tally
