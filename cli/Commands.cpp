#include "Commands.h"

#include "Batch.h"
#include "Input.h"
#include "quorvex/Calculations.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace cli {
namespace {

    constexpr std::string_view MatrixValues
        = "matrix takes three angles and, optionally, three scale factors";

    bool isMatrixCount(std::size_t count)
    {
        return count == 3 || count == 6;
    }

    // Appends the parameter line of three angles and maybe three scale factors.
    std::optional<quorvex::Error> appendMatrix(std::string &out,
        std::span<const std::string_view> values, const quorvex::NumberFormat &format)
    {
        // Scale factors left out are "1" in any locale.
        quorvex::InputTexts inputs { "", "", "", "1", "1", "1" };
        std::ranges::copy(values, inputs.begin());
        return quorvex::calculateMatrix(inputs, format, out);
    }

    // Appends the angles of a matrix, as the angle fields show them, and its scales if asked
    // for. The angles alone describe a mirror image wrongly: without the scales it is refused.
    std::optional<quorvex::Error> appendAngles(std::string &out, std::string_view text,
        const Options &options, const quorvex::NumberFormat &format)
    {
        const auto order
            = options.columns ? quorvex::ValueOrder::Columns : quorvex::ValueOrder::Rows;
        const auto size = out.size();
        auto result = quorvex::calculateAngles(text, format, options.scales, out, order);
        if (auto *error = std::get_if<quorvex::Error>(&result))
            return std::move(*error);
        if (!options.scales
            && std::get<quorvex::Handedness>(result) == quorvex::Handedness::MirrorImage) {
            out.resize(size);
            return quorvex::Error { quorvex::Field::Matrix,
                std::string(quorvex::label(quorvex::Field::Matrix))
                    + ": a mirror image, whose angles alone would describe another matrix; "
                      "quorvex-cli angles --scales gives its scale factors too" };
        }
        return std::nullopt;
    }

    // Prints a result and a line end, or says why there is none.
    int print(const std::optional<quorvex::Error> &error, std::string &text, Output &output)
    {
        if (error)
            return fail(error->message);
        text += '\n';
        output.write(text);
        return ExitStatus::Success;
    }

    unsigned jobs(const Options &options)
    {
        return options.jobs ? options.jobs : availableCores();
    }

} // namespace

int matrix(std::span<const std::string_view> operands, const Options &options, Output &output)
{
    const auto format = quorvex::userNumberFormat();
    if (options.columns)
        return usageError("--columns is for angles: it reads a matrix given by columns");
    if (!options.eachLine) {
        if (!isMatrixCount(operands.size()))
            return usageError(std::string(MatrixValues));
        std::string line;
        return print(appendMatrix(line, operands, format), line, output);
    }
    return eachLine(
        operands, output,
        [&](std::string_view line, std::string &out) -> std::optional<quorvex::Error> {
            // One more than a line may hold, to tell a line of seven values from one of six.
            std::array<std::string_view, 7> values;
            const auto count = quorvex::splitWords(line, values);
            // Only the message reaches the user; no field is to blame.
            if (!isMatrixCount(count))
                return quorvex::Error { quorvex::Field::RotX,
                    "it holds " + std::string(count < values.size() ? "" : "more than ")
                        + std::to_string(std::min<std::size_t>(count, 6))
                        + (count == 1 ? " value; " : " values; ") + std::string(MatrixValues) };
            return appendMatrix(out, std::span(values).first(count), format);
        },
        jobs(options));
}

int angles(std::span<const std::string_view> operands, const Options &options, Output &output)
{
    const auto format = quorvex::userNumberFormat();
    if (options.eachLine) {
        return eachLine(
            operands, output,
            [&](std::string_view line, std::string &out) {
                return appendAngles(out, line, options, format);
            },
            jobs(options));
    }
    std::string text;
    if (operands.empty() || (operands.size() == 1 && operands[0] == "-")) {
        auto input = readStandardInput();
        if (const auto *status = std::get_if<int>(&input))
            return *status;
        text = std::move(std::get<std::string>(input));
    } else {
        for (const auto value : operands) {
            if (!text.empty())
                text += ' ';
            text += value;
        }
    }
    std::string result;
    return print(appendAngles(result, text, options, format), result, output);
}

} // namespace cli
