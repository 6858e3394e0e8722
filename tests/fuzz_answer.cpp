// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: reading a typed answer and judging it. Whatever the
// bytes, nothing may crash, and the result must agree with a plain reference
// reading of the same text (C-locale strtod on the characters the rules
// accept) and with the judging rule.
#include "answer.h"
#include "numbers.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The rules, written out the slow and obvious way.
double referenceParse(std::u16string_view text)
{
    std::string kept;
    bool signAllowed = true, point = false, digit = false;
    for (char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            kept.push_back(char(c));
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (c >= u'0' && c <= u'9') {
            kept.push_back(char(c));
            digit = true;
        } else if (c == u'.' && !point) {
            kept.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!digit)
        return 0.0;
    return std::strtod(kept.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::setlocale(LC_NUMERIC, "C");
    if (size < 2)
        return 0;

    // First two bytes pose the reading; the rest is the text, read both as
    // UTF-16 code units and as single bytes (the common ASCII case).
    const int regle = data[0] % 91;
    const int nonius = (data[1] % 20) * 5;
    data += 2;
    size -= 2;

    std::u16string wide(size / 2, u'\0');
    std::memcpy(wide.data(), data, wide.size() * 2);
    std::u16string narrow(data, data + size);

    for (const std::u16string &text : {wide, narrow}) {
        const double value = parseNumber(text);
        const double reference = referenceParse(text);
        const bool tiny = std::fabs(reference) < DBL_MIN; // strtod may keep subnormals
        if (!(value == reference || (tiny && value == 0.0)))
            std::abort();

        ExerciseState s;
        s.ValorRegle = float(regle);
        s.ValorNonius = std::int16_t(nonius);
        const bool right = judgeAnswer(s, text);
        const float reading = float(double(nonius) / 100.0 + double(regle));
        if (s.Resultat != reading || right != (toSingle(value) == reading))
            std::abort();
        if (s.NumEncerts != (right ? 1.0f : 0.0f))
            std::abort();
        (void)numberText(value);
    }
    return 0;
}
