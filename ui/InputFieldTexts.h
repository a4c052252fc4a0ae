#pragma once

#include "quorvex/Calculations.h"

#include <QLineEdit>

#include <array>
#include <string>

namespace quorvex {

// The texts of the six input fields, Rot X … Scale Z, as the core reads them: views of strings that
// this holds for as long as it lives (so it is never copied, which would leave them behind).
class InputFieldTexts
{
public:
    explicit InputFieldTexts(const std::array<QLineEdit *, 6> &fields)
    {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            m_strings[i] = fields[i]->text().toStdString();
            m_views[i] = m_strings[i];
        }
    }
    InputFieldTexts(const InputFieldTexts &) = delete;
    InputFieldTexts &operator=(const InputFieldTexts &) = delete;

    const InputTexts &views() const { return m_views; }

private:
    std::array<std::string, 6> m_strings;
    InputTexts m_views;
};

} // namespace quorvex
