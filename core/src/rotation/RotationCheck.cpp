#include "rotation/RotationCheck.h"

#include "rotation/Uncertainty.h"
#include "text/Message.h"
#include "text/NumberScanner.h"

#include <algorithm>
#include <array>
#include <charconv> // std::to_chars: an angle and the values in a message, with "." in every locale
#include <cmath>
#include <utility>

namespace quorvex::detail {
namespace {

    // An angle close enough to 90° to need more than one decimal to show that it is not: "89.97".
    std::string degreesText(double degrees)
    {
        int decimals = 1;
        while (decimals < 6
            && std::round(degrees * std::pow(10, decimals)) == 90 * std::pow(10, decimals))
            ++decimals;
        std::array<char, 32> text {};
        const auto end
            = std::to_chars(text.begin(), text.end(), degrees, std::chars_format::fixed, decimals)
                  .ptr;
        return { text.begin(), end };
    }

    // How far each value may be off (Uncertainty.h, 1 to 3): half a unit of its last digit, or of
    // the finest digit of the values in fixed notation where it is shorter than they are; with
    // `narrowCells`, a value of NarrowCellDigits or more at its own last digit; and never less
    // than SinglePrecision of its size.
    Parameters uncertaintiesOf(const WrittenValues &nine, bool narrowCells)
    {
        std::array<double, 9> lastDigit {};
        double finest = HUGE_VAL, finestScientific = HUGE_VAL;
        for (std::size_t i = 0; i < 9; ++i) {
            lastDigit[i] = 0.5 * powerOfTen(nine.exponents[i] - nine.decimals[i]);
            if (nine.exponents[i] != 0)
                finestScientific = std::min(finestScientific, lastDigit[i]);
            else if (nine.decimals[i] > 1
                || (nine.decimals[i] == 1 && std::trunc(nine.values[i]) != nine.values[i]))
                finest = std::min(finest, lastDigit[i]);
        }
        if (finest == HUGE_VAL)
            finest = finestScientific == HUGE_VAL ? 0 : finestScientific;

        Parameters uncertainties {};
        for (std::size_t i = 0; i < 9; ++i) {
            // A number in fixed notation has NarrowCellDigits significant digits or more where
            // its digits, read as a whole number, reach 10^(NarrowCellDigits - 1): they are not
            // counted as they are read, which a batch's lines would pay for (angles -l, 120
            // instructions a line).
            const bool own = nine.exponents[i] != 0
                || (narrowCells && nine.decimals[i] > 0
                    && std::fabs(nine.values[i]) * powerOfTen(nine.decimals[i])
                        >= powerOfTen(NarrowCellDigits - 1) - 0.5);
            uncertainties[i] = std::max(
                own ? lastDigit[i] : finest, std::fabs(nine.values[i]) * SinglePrecision);
        }
        return uncertainties;
    }

    // "0.813798 -0.469846 0.34202  0.543838 …": the values as the program took them, so that a
    // misread shows itself.
    std::string valuesText(const Parameters &values)
    {
        std::string text;
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::array<char, 32> number {};
            const auto end = std::to_chars(
                number.begin(), number.end(), values[i], std::chars_format::general, 6)
                                 .ptr;
            text.append(i == 0 ? "" : i % 3 == 0 ? "  " : " ").append(number.begin(), end);
        }
        return text;
    }

    RowLengths rowLengths(const Parameters &values, const Parameters &uncertainties)
    {
        RowLengths rows {};
        for (std::size_t i = 0; i < 3; ++i) {
            const double *p = &values[3 * i], *u = &uncertainties[3 * i];
            rows.lengths[i] = length(p[0], p[1], p[2]);
            rows.uncertainties[i] = length(u[0], u[1], u[2]);
        }
        return rows;
    }

    std::optional<std::string> rotationProblem(
        const Parameters &values, const Parameters &uncertainties, const RowLengths &rows)
    {
        // The rows as unit vectors, and their uncertainties at that scale.
        Parameters unit {}, off {};
        std::array<std::size_t, 3> vagueRows {}; // numbered from 1
        std::size_t vague = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            // Within its uncertainty of zero a row has no direction, and the matrix no angles.
            if (!(rows.lengths[i] > rows.uncertainties[i]))
                return "row " + std::to_string(i + 1) + " is zero";
            if (rows.uncertainties[i] > VagueRow * rows.lengths[i])
                vagueRows[vague++] = i + 1;
            for (std::size_t k = 3 * i; k < 3 * i + 3; ++k) {
                unit[k] = values[k] / rows.lengths[i];
                off[k] = uncertainties[k] / rows.lengths[i];
            }
        }
        // The dot product of two unit rows is the cosine of the angle between them, and the values'
        // uncertainties move it by at most the slack (Uncertainty.h, 6).
        constexpr std::array<std::pair<std::size_t, std::size_t>, 3> pairs { { { 0, 1 }, { 0, 2 },
            { 1, 2 } } };
        std::array<double, 3> cosines {}, slacks {};
        bool perpendicular = true; // as written
        for (std::size_t n = 0; n < pairs.size(); ++n) {
            const std::size_t i = 3 * pairs[n].first, j = 3 * pairs[n].second;
            double slack = DotProductRounding;
            for (std::size_t k = 0; k < 3; ++k) {
                cosines[n] += unit[i + k] * unit[j + k];
                slack += std::fabs(unit[i + k]) * off[j + k] + std::fabs(unit[j + k]) * off[i + k]
                    + SecondOrderMargin * off[i + k] * off[j + k];
            }
            slacks[n] = slack;
            perpendicular = perpendicular && std::fabs(cosines[n]) <= DotProductRounding;
        }
        // Rows already perpendicular as written are taken as written. Otherwise their digits must
        // pin down which way they point: the angles can do without one vague row, not two
        // (Uncertainty.h, 5).
        if (vague > 1 && !perpendicular) {
            return "rows " + listed(std::span(vagueRows).first(vague))
                + " hold too few digits to tell which way they point";
        }
        for (std::size_t n = 0; n < pairs.size(); ++n) {
            if (std::fabs(cosines[n]) > slacks[n]) {
                const double degrees = toDegrees(std::acos(std::clamp(cosines[n], -1.0, 1.0)));
                return "rows " + std::to_string(pairs[n].first + 1) + " and "
                    + std::to_string(pairs[n].second + 1) + " stand at " + degreesText(degrees)
                    + "°, not 90°";
            }
        }
        return std::nullopt;
    }

} // namespace

std::optional<std::string> checkRotation(const WrittenValues &written, PastedMatrix &matrix)
{
    matrix.values = written.values;
    const auto check = [&](bool narrowCells) {
        matrix.uncertainties = uncertaintiesOf(written, narrowCells);
        matrix.rows = rowLengths(matrix.values, matrix.uncertainties);
        return rotationProblem(matrix.values, matrix.uncertainties, matrix.rows);
    };
    auto problem = check(false);
    if (problem && !check(true))
        problem.reset();
    if (problem)
        problem = "read as " + valuesText(matrix.values)
            + ", which is not a rotation with scales: " + *problem;
    return problem;
}

} // namespace quorvex::detail
