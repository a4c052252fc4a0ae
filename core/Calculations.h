#pragma once

// Quorvex's two calculations, as functions from texts to texts.
//
// Calculate Matrix: the six field texts (three angles in degrees, three scale factors) are read
// as numbers, with "." or the user's decimal separator, the angles turned into radians, and the
// nine products of sines, cosines and scales formed; Module1::FormatParam renders each of them and
// joinLine makes them one parameter line, which the window shows in its Matrix field and puts on
// the clipboard. Calculate Angles goes the other way: the clipboard's text (the identity when it
// has none) is read by parseLine into nine numbers, Module1::ArcTan2 gives the three angles, and
// Module1::FormatAngle renders them for the angle fields. Either calculation returns an Error
// instead when a text cannot be read; the caller then writes nothing.
//
// Everything here is plain C++: no toolkit, no locale of the process. Numbers are written with
// "." always; the input fields are read with "." and the user's decimal separator, which the
// caller passes in (userNumberFormat() gives it).

#include "Error.h"
#include "NumberText.h"
#include "ParameterLine.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace quorvex {

// Texts of Rot X, Rot Y, Rot Z, Scale X, Scale Y, Scale Z, in that order.
using InputTexts = std::array<std::string_view, 6>;

// What Calculate Angles writes: the matrix field's new text, which is the text it was given (or the
// identity), and the three angle fields' texts.
struct Angles
{
    std::string_view matrix;
    std::string rotX;
    std::string rotY;
    std::string rotZ;
};

// Reads one input field: white space around the number (a pasted cell brings a line break), a
// sign and an exponent are accepted; the decimal separator is "." or the user's, and thousands
// separators are not read. A text that is not a number, whose value is beyond the range of a
// double, or that could be either a grouped or a decimal number ("1.500" where "." groups
// thousands) is an Error naming the field.
std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format);

// The parameter line of three angles in degrees and three scale factors.
std::variant<std::string, Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format);

// The three rotation angles of the parameter line on the clipboard; an empty clipboardText
// stands for a clipboard without text and reads as the identity.
std::variant<Angles, Error> calculateAngles(std::string_view clipboardText);

} // namespace quorvex
