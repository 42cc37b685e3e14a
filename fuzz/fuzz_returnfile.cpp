// Fuzz target of the return-file reader: whatever the bytes, reading must end
// with a code and never crash, hang or leak; a file that reads as whole must
// write back and read again as whole.
#include "companion/forms/mydatastream.h"
#include "companion/core/quietprompter.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"

#include "model/MultiProvsTaxMgr.h"

#include <QCoreApplication>
#include <QFile>
#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

int readFrom(QByteArray bytes, CFamilyTaxData& family)
{
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    return family.serialize(EDITION_DIRERAD, in);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The plug-in folder is found beside the program.
    static QCoreApplication app(*argc, *argv);
    static QuietPrompter quiet;
    Prompter::install(&quiet);
    qInstallMessageHandler(dropMessages);
    // The reader loads and unloads plug-ins for every input. Their code is
    // instrumented too, and the fuzzer keeps reading their coverage counters:
    // pin each library so that an unload never unmaps it.
    for (ENUMTYPE_PROVINCE province = 1; province < PROVINCE_COUNT; ++province) {
        QString path;
        if (CMultiProvsTaxMgr::getProvLibFilePath(province, path))
            dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NODELETE);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    CFamilyTaxData family;
    if (readFrom(bytes, family) != RFL_SUCCESS)
        return 0;

    QByteArray written;
    {
        MyDataStream out(&written, QIODevice::WriteOnly);
        if (family.serialize(EDITION_DIRERAD, out) != RFL_SUCCESS)
            std::abort(); // a family read whole must write whole
    }
    CFamilyTaxData again;
    if (readFrom(written, again) != RFL_SUCCESS)
        std::abort(); // and what was written must read again
    return 0;
}
