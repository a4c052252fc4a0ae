#include "InputWatch.h"

#include "InputFieldTexts.h"

namespace quorvex {

InputWatch::InputWatch(QObject &parent, const std::array<QLineEdit *, 6> &inputs)
    : QObject(&parent)
    , m_inputs(inputs)
{
    m_pending.setSingleShot(true);
    m_pending.callOnTimeout(this, &InputWatch::read);
    for (auto *field : inputs)
        connect(field, &QLineEdit::textChanged, &m_pending, qOverload<>(&QTimer::start));
}

void InputWatch::read()
{
    m_pending.stop();
    const InputFieldTexts texts(m_inputs);
    const auto parameters = calculateParameters(texts.views(), userNumberFormat());
    if (const auto *error = std::get_if<Error>(&parameters))
        emit unreadable(*error);
    else
        emit readable(std::get<Parameters>(parameters));
}

} // namespace quorvex
