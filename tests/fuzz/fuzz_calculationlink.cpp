// libFuzzer target over calculation links, a stranger's text: reading one must
// never crash, hang or take in more than it should, and a link that reads
// must be written back to one that reads the same. The sanitized test builds
// run it over its seeds without libFuzzer (corpusrunner.cpp).
#include "app/core/calculationlink.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace calculationlink;
    const QString link = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto read = calculationlink::read(link);
    const auto *calculation = std::get_if<Calculation>(&read);
    if (!calculation)
        return 0;
    if (calculation->fields.size() > fieldNames(calculation->window).size())
        std::abort();
    for (const QString &address : {QString(), QStringLiteral("https://example.org/k/")}) {
        const auto again = calculationlink::read(write(address, *calculation));
        const auto *same = std::get_if<Calculation>(&again);
        // Empty fields are left out of a written link.
        Calculation expected = *calculation;
        expected.fields.removeIf([](const Field &field) { return field.text.isEmpty(); });
        if (!same || *same != expected) {
            // A written link may outgrow the bound only by its encoding.
            if (!std::holds_alternative<Fault>(again) || std::get<Fault>(again) != Fault::TooLong)
                std::abort();
        }
    }
    return 0;
}
