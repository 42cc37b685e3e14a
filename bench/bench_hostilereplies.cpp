// Figures for refusing a hostile reply: a reply nested 100,000 levels deep
// (about 700 KB), handed to the filing reader, the agency data readers and
// the e-signature service's JSON reader, each of which must refuse it
// unparsed well within 50 ms, on the thread that waits for it.
#include <QCoreApplication>

#include "agencydata/TddWebService.h"
#include "agencydata/tddsoap.h"
#include "companion/core/jsonutil.h"
#include "filing/direradreturn.h"
#include "filing/soapfilingresult.h"

#include "benchstats.h"

#include <string>

namespace {

constexpr double kBudgetMs = 50.0;
constexpr int kRuns = 21;

template <typename F>
void measure(const char* name, F&& refuse)
{
    benchstats::Figure figure{name, kBudgetMs, {}};
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        CALLGRIND_START_INSTRUMENTATION;
        refuse();
        CALLGRIND_STOP_INSTRUMENTATION;
        figure.samplesMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    benchstats::print(figure);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::string xml = "<soapenv:Envelope><soapenv:Body>";
    for (int i = 0; i < 100000; ++i)
        xml += "<a>";
    for (int i = 0; i < 100000; ++i)
        xml += "</a>";
    xml += "</soapenv:Body></soapenv:Envelope>";
    QByteArray json = QByteArray("{\"access_token\":") + QByteArray(100000, '[') + QByteArray(100000, ']') + "}";

    measure("Refuse a deep filing reply", [&] {
        SoapFilingResult r(SoapFilingResult::KindT1Return);
        parseDireradSoapResponseResult(nullptr, SoapFilingResult::KindT1Return, xml, &r);
    });
    measure("Refuse a deep agency data reply", [&] {
        StructTDDSoapResult result;
        parseTDDTokenSoapResponseResult(xml, "GetTDDDireradResponse", "TokenIdentifier", &result);
    });
    TddWebService service;
    measure("Refuse a deep Auto-fill reply", [&] { service.parseTDDTaxData(nullptr, xml); });
    measure("Refuse a deep e-signature reply", [&] {
        JsonUtil reader;
        reader.parseBytes(json);
    });
    return 0;
}
