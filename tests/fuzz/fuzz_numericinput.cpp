// libFuzzer target over the numeric field input: it must never crash, and for
// every text it must agree with an independent reading (a small state machine
// for the number's form, then strtod under the C locale) on accepted or
// rejected and on the value.
#include "app/core/numericinput.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Most inputs are made of the characters a number uses, with a few that it
// must not, so that the fuzzer spends its time near the boundary.
std::string textFrom(const uint8_t *data, size_t size)
{
    static const char alphabet[] = "-0123456789E,.e+ ";
    std::string text;
    if (size > 0 && data[0] % 4 == 0) {
        text.assign(reinterpret_cast<const char *>(data + 1), size - 1);
        return text;
    }
    for (size_t i = 1; i < size; ++i)
        text += alphabet[data[i] % (sizeof alphabet - 1)];
    return text;
}

// [-] (digits [sep digits*] | sep digits) [E [-] digits], sep one of "." ","
bool hasNumberForm(const std::string &text)
{
    enum State { Start, Sign, Int, Sep, Frac, E, ESign, Exp };
    State state = Start;
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool sep = c == '.' || c == ',';
        switch (state) {
        case Start:
            if (c == '-')
                state = Sign;
            else if (digit)
                state = Int;
            else if (sep)
                state = Sep;
            else
                return false;
            break;
        case Sign:
            if (digit)
                state = Int;
            else if (sep)
                state = Sep;
            else
                return false;
            break;
        case Int:
            if (digit)
                break;
            if (sep)
                state = Frac;
            else if (c == 'E')
                state = E;
            else
                return false;
            break;
        case Sep:
            if (digit)
                state = Frac;
            else
                return false;
            break;
        case Frac:
            if (digit)
                break;
            if (c == 'E')
                state = E;
            else
                return false;
            break;
        case E:
            if (c == '-')
                state = ESign;
            else if (digit)
                state = Exp;
            else
                return false;
            break;
        case ESign:
            if (digit)
                state = Exp;
            else
                return false;
            break;
        case Exp:
            if (!digit)
                return false;
            break;
        }
    }
    return state == Int || state == Frac || state == Exp;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text = textFrom(data, size);
    const QString qtext = QString::fromLatin1(text.data(), qsizetype(text.size()));
    const std::optional<double> read = numeric::readFieldText(qtext, numeric::FieldRoutines());

    std::optional<double> expected;
    if (text.size() <= std::size_t(numeric::maxFieldLength) && hasNumberForm(text)) {
        std::string dotted = text;
        for (char &c : dotted)
            c = c == ',' ? '.' : c;
        errno = 0;
        const double value = std::strtod(dotted.c_str(), nullptr);
        const bool overflow = errno == ERANGE && std::isinf(value);
        if (!overflow)
            expected = value;
    }

    if (read.has_value() != expected.has_value())
        __builtin_trap();
    if (read && !(*read == *expected))
        __builtin_trap();
    if (read)
        (void)numeric::formatResult(*read);
    return 0;
}
