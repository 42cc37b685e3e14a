// Fuzz target of the agency data service's replies: the stage and data
// replies' reader and the Auto-fill and notice readers over whole replies.
// No taxpayer is requested, so every item is read and none is stored;
// whatever the bytes, each reader ends with a code.
#include "agencydata/TddWebService.h"
#include "agencydata/tddsoap.h"

#include <QCoreApplication>

#include <string>

namespace {
void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler(dropMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);
    StructTDDSoapResult result;
    parseTDDTokenSoapResponseResult(reply, "GetTDDDireradResponse", "TokenIdentifier", &result);
    static TddWebService service;
    service.parseTDDTaxData(nullptr, reply);
    service.parseNOATaxData(nullptr, reply);
    return 0;
}
