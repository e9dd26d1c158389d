// The language list file of the program's Lang folder.

#include "app/languagelist.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LanguageList list =
        readLanguageList(FuzzInput::file(FuzzInput::bytes(data, size), QStringLiteral("Lang_config")));
    FUZZ_CHECK(list.names.size() == list.codes.size());
    for (const QString &code : list.codes)
        FUZZ_CHECK(code.size() <= 2);
    return 0;
}
