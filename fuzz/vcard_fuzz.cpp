// The address book's reader, fed any bytes: every card ends named or
// unnamed, never in a crash or a hang.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "fuzzplatform.h"
#include "platform/contactssource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPlatform::Get();
    ContactsSource::NamesOf(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                    static_cast<qsizetype>(size)));
    return 0;
}
