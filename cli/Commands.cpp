#include "Commands.h"

#include "Input.h"
#include "Options.h"
#include "quorvex/Calculations.h"

#include <algorithm>
#include <array>
#include <string>

namespace cli {
namespace {

    constexpr std::string_view MatrixValues
        = "matrix takes three angles and, optionally, three scale factors";

    bool isMatrixCount(std::size_t count)
    {
        return count == 3 || count == 6;
    }

    std::variant<std::string, quorvex::Error> matrixOf(
        std::span<const std::string_view> values, const quorvex::NumberFormat &format)
    {
        // Scale factors left out are "1" in any locale.
        quorvex::InputTexts inputs { "", "", "", "1", "1", "1" };
        std::ranges::copy(values, inputs.begin());
        return quorvex::calculateMatrix(inputs, format);
    }

    // The angles of a matrix, as the angle fields show them, and its scales if asked for. The
    // angles alone describe a mirror image wrongly: without the scales it is refused.
    LineResult anglesOf(std::string_view text, bool scales)
    {
        auto result = quorvex::calculateAngles(text, quorvex::userNumberFormat());
        if (auto *error = std::get_if<quorvex::Error>(&result))
            return std::move(*error);
        const auto &a = std::get<quorvex::AnglesAndScales>(result);
        if (scales)
            return a.rotX + a.rotY + a.rotZ + a.scaleX + ' ' + a.scaleY + ' ' + a.scaleZ + ' ';
        if (a.isMirrorImage())
            return quorvex::Error { quorvex::Field::Matrix,
                std::string(quorvex::label(quorvex::Field::Matrix))
                    + ": a mirror image, whose angles alone would describe another matrix; "
                      "quorvex-cli angles --scales gives its scale factors too" };
        return a.rotX + a.rotY + a.rotZ;
    }

    // Prints a result and a line end, or says why there is none.
    int print(const LineResult &result, Output &output)
    {
        if (const auto *error = std::get_if<quorvex::Error>(&result))
            return fail(error->message);
        output.write(std::get<std::string>(result));
        output.write("\n");
        return ExitStatus::Success;
    }

} // namespace

int matrix(std::span<const std::string_view> operands, bool eachLine, Output &output)
{
    const auto format = quorvex::userNumberFormat();
    if (!eachLine) {
        if (!isMatrixCount(operands.size()))
            return usageError(std::string(MatrixValues));
        return print(matrixOf(operands, format), output);
    }
    return cli::eachLine(operands, output, [&](std::string_view line) -> LineResult {
        // One more than a line may hold, to tell a line of seven values from one of six.
        std::array<std::string_view, 7> values;
        const auto count = quorvex::splitWords(line, values);
        // Only the message reaches the user; no field is to blame.
        if (!isMatrixCount(count))
            return quorvex::Error { quorvex::Field::RotX,
                "it holds " + std::string(count < values.size() ? "" : "more than ")
                    + std::to_string(std::min<std::size_t>(count, 6)) + " values; "
                    + std::string(MatrixValues) };
        return matrixOf(std::span(values).first(count), format);
    });
}

int angles(std::span<const std::string_view> operands, bool eachLine, bool scales, Output &output)
{
    if (eachLine) {
        return cli::eachLine(
            operands, output, [&](std::string_view line) { return anglesOf(line, scales); });
    }
    std::string line;
    if (operands.empty() || (operands.size() == 1 && operands[0] == "-")) {
        auto input = readStandardInput();
        if (const auto *status = std::get_if<int>(&input))
            return *status;
        line = std::move(std::get<std::string>(input));
    } else {
        for (const auto value : operands) {
            if (!line.empty())
                line += ' ';
            line += value;
        }
    }
    return print(anglesOf(line, scales), output);
}

} // namespace cli
