#pragma once

#include <QString>

// What the agency data web service needs of the program's configuration,
// copied from it when a session starts: the software code, the four service
// keys this edition may use, the hosts and paths of the endpoint table, the
// two logging switches and where the logs go. The service layer cannot see
// the application object, so the window fills this in (and tests do).
struct TddServiceSettings
{
    QString softwareCode;      // "095" or "097" unless the configuration sets another
    QString afrKey;            // Auto-fill, software code "095"
    QString afrMacKey;         // Auto-fill, any other software code
    QString noaKey;            // Express NOA, software code "095"
    QString noaMacKey;         // Express NOA, any other software code
    QString serviceHost;       // host[:port] of the data services
    QString dataDeliveryPath;  // "/ebci/awsc/tdd/ws/"
    QString tddServicePath;    // "/TaxDataDeliveryService" (test: "/CertTestDeliveryService")
    QString noaServicePath;    // "/NoticeOfAssessmentService" (test: "/CertTestNOAService")
    QString loginHost;         // host[:port] of the login page
    QString loginPath;         // "/gol-ged/awsc/tdd/auth/start" (test: the certification path)
    bool modeDebug = false;    // test mode: requests may be logged
    bool fullLog = false;      // responses are logged
    QString requestLogPath;    // "tddlog.txt" in the run folder; empty: no log
    QString sessionLogPath;    // "tddlog2.txt" in the run folder; empty: no log
    int timeoutMs = 60000;     // each SOAP call, connection to last byte
    int pollPauseMs = 4000;    // between a "not ready" reply and the next poll
    QString noaRenderHost;     // host[:port] of the notice rendering service (NOATaxDataOnePerson)
    QString noaPageFolder;     // where rendered notices are saved (the "noa1" folder)
};
