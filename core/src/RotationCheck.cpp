#include "RotationCheck.h"

#include <algorithm>
#include <array>
#include <charconv> // std::to_chars: the message's angle with "." in every locale
#include <cmath>
#include <utility>
#include <vector>

namespace quorvex::detail {
namespace {

    // A row whose digits leave its direction open by more than this (in radians, about a degree)
    // does not tell the angles to the hundredth of a degree that the fields show.
    constexpr double VagueRow = 0.02;

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

} // namespace

std::optional<std::string> rotationProblem(
    const Parameters &values, const Parameters &uncertainties)
{
    const auto row = [](const Parameters &m, std::size_t i) { return &m[3 * i]; };
    std::array<double, 3> length {};
    for (std::size_t i = 0; i < 3; ++i) {
        const double *p = row(values, i), *u = row(uncertainties, i);
        // hypot, so that a row of huge values does not overflow to infinity.
        length[i] = std::hypot(p[0], p[1], p[2]);
        // Within its uncertainty of zero a row has no direction, and the matrix no angles.
        if (!(length[i] > std::hypot(u[0], u[1], u[2])))
            return "row " + std::to_string(i + 1) + " is zero";
    }
    constexpr std::array<std::pair<std::size_t, std::size_t>, 3> pairs { { { 0, 1 }, { 0, 2 },
        { 1, 2 } } };
    // The rows as unit vectors: their dot product is the cosine of the angle between them, and
    // each value's uncertainty moves it by at most what the slack adds up.
    const auto cosine = [&](std::size_t i, std::size_t j, bool exactly, double &slack) {
        double sum = 0;
        slack = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const double a = row(values, i)[k] / length[i], b = row(values, j)[k] / length[j];
            const double ua = exactly ? 0 : row(uncertainties, i)[k] / length[i];
            const double ub = exactly ? 0 : row(uncertainties, j)[k] / length[j];
            sum += a * b;
            slack += std::fabs(a) * ub + std::fabs(b) * ua + 3 * ua * ub + 1e-15;
        }
        return sum;
    };
    // Rows already perpendicular as written are taken as written. Otherwise their digits must
    // pin down which way they point: of a row too short for its digits the angles can do without
    // one (it is the cross product of the others), not two.
    double slack = 0;
    if (!std::ranges::all_of(pairs, [&](auto ij) {
            return std::fabs(cosine(ij.first, ij.second, true, slack)) <= slack;
        })) {
        std::vector<std::size_t> vague;
        for (std::size_t i = 0; i < 3; ++i) {
            const double *u = row(uncertainties, i);
            if (std::hypot(u[0], u[1], u[2]) > VagueRow * length[i])
                vague.push_back(i + 1);
        }
        if (vague.size() > 1) {
            std::string rows = "rows " + std::to_string(vague[0]);
            for (std::size_t i = 1; i < vague.size(); ++i)
                rows += (i + 1 < vague.size() ? ", " : " and ") + std::to_string(vague[i]);
            return rows + " hold too few digits to tell which way they point";
        }
    }
    for (const auto &[i, j] : pairs) {
        const double c = cosine(i, j, false, slack);
        if (std::fabs(c) > slack) {
            const double degrees = toDegrees(std::acos(std::clamp(c, -1.0, 1.0)));
            return "rows " + std::to_string(i + 1) + " and " + std::to_string(j + 1) + " stand at "
                + degreesText(degrees) + "°, not 90°";
        }
    }
    return std::nullopt;
}

} // namespace quorvex::detail
