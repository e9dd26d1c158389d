// The downloader's and converter's error messages sorted into failure classes, and the
// class's code as the database stores it.

#include "engine/failurereason.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(FuzzInput::bytes(data, size));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const FailureClass failure = classifyFailureLine(line);
        FUZZ_CHECK(classifyFailure(line) == failure.reason);
        FUZZ_CHECK((failure.cause != PermanentCause::None) <= (failure.reason == FailureReason::Permanent));
        failureText(failure);
        const QString code = failureCode(failure);
        FUZZ_CHECK(failureFromCode(code) == failure);
        failureCode(failureFromCode(line));
    }
    return 0;
}
