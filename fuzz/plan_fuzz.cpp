// Any bytes read as a plan file: either refused with a reason, or a state
// that is written back, as JSON, as a plan reading back to the same state.

#include "app/planfile.h"
#include "failure.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace quarvel;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString why;
    const std::optional<FormState> plan = readPlan(bytes, why);
    if (!plan) {
        if (why.isEmpty())
            fuzzing::fail("a plan refused without a reason");
        return 0;
    }
    const QByteArray written = planText(*plan);
    // JSON holds no raw control characters in a string: lines are the only ones.
    for (char c : written)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n')
            fuzzing::fail("a plan is written with a control character unescaped");
    const std::optional<FormState> again = readPlan(written, why);
    if (!again || *again != *plan)
        fuzzing::fail("a plan written back does not read back the same: " + why.toStdString());
    return 0;
}
