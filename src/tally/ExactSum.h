#pragma once

#include <gmp.h>

#include <optional>

class NumberText;

namespace tally {

// A sum of products of a decimal number and a whole number, kept exactly:
// an integer of any size (GMP) times a power of ten. A decimal number is the
// shortest decimal text of its double, so 0.1 is one tenth and three times
// 0.1 is 0.3, not 0.30000000000000004 as in binary arithmetic.
class ExactSum {
public:
    ExactSum();
    ~ExactSum();
    ExactSum(const ExactSum&) = delete;
    ExactSum& operator=(const ExactSum&) = delete;

    // Adds decimal × whole; `whole` is a whole number, `decimal` finite.
    void add(double decimal, double whole);

    // The double nearest to the sum; none when the sum is beyond the largest double.
    std::optional<double> value() const;

private:
    mpz_t m_digits;      // the sum is m_digits × 10^m_exponent
    long m_exponent = 0;
    bool m_empty = true;
};

}  // namespace tally
