// Fuzz target of the agency's filing replies: the terms, return and EFILE
// readers and the SOAP envelope cut of the T1013 reply. Whatever the bytes,
// each reader ends with a code and a record, and never crashes or hangs.
#include "filing/direradreturn.h"
#include "filing/direradterms.h"
#include "filing/efileexchange.h"
#include "filing/soapenvelopecut.h"
#include "filing/soapfilingresult.h"
#include "filing/t1013exchange.h"

#include "companion/core/outsidexml.h"

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
    {
        SoapFilingResult r(SoapFilingResult::KindTerms);
        parseDireradTermSoapResponseResult(reply, &r);
    }
    for (int kind : {int(SoapFilingResult::KindT1Return), int(SoapFilingResult::KindT1135)}) {
        SoapFilingResult r(kind);
        parseDireradSoapResponseResult(nullptr, kind, reply, &r);
        SoapFilingResult e(kind);
        parseEOLSoapResponseResult(nullptr, reply, kind, &e);
    }
    QByteArray envelope;
    if (cutSoapEnvelope(QByteArray::fromStdString(reply), envelope)) {
        TiXmlDocument doc;
        if (parseOutsideXml(doc, envelope.constData(), std::size_t(envelope.size()), TIXML_ENCODING_UTF8)
            && !doc.Error()) {
            StructT1013SoapResult t1013;
            parseT1013SoapResponseResult(doc.RootElement(), &t1013);
            StructT1013SoapResult pad;
            parseT183PADSoapResponseResult(doc.RootElement(), &pad);
        }
    }
    return 0;
}
