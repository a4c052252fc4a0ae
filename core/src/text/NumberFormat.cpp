#include "quorvex/NumberFormat.h"

#include <langinfo.h> // nl_langinfo_l: a locale's separators, without changing the process's locale
#include <locale.h>

namespace quorvex {

NumberFormat userNumberFormat()
{
    const locale_t locale = newlocale(LC_NUMERIC_MASK, "", nullptr);
    if (!locale)
        return {};
    NumberFormat format { nl_langinfo_l(RADIXCHAR, locale), nl_langinfo_l(THOUSEP, locale) };
    freelocale(locale);
    return format.decimalPoint.empty() ? NumberFormat {} : format;
}

} // namespace quorvex
