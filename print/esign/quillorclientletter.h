#pragma once

#include "print/esign/quillorclient.h"

#include <QString>

#include <functional>

// The preparer's customised client letter, kept with the e-signature
// service: when the service has a newer template than the one installed (or
// the installed one is missing), its PDF and XML layout are downloaded into
// the print engine's template folders and the new version is recorded.
// A download that fails or does not look like its kind leaves the installed
// template and its version as they were.
class QuillorClientLetter
{
public:
    enum Result {
        Current = 0,         // nothing newer; nothing downloaded
        Deployed = 100,      // both files replaced and the version recorded
        NotDeployed = 106,   // no reply, or the download failed its checks
        BadReply = 111,      // not a JSON object, or "success" is not true
        LoginFailed = QuillorClient::LoginFailed,
        NoAccount = QuillorClient::LoginNotConfigured,
    };

    static constexpr const char* kPdfName = "t1_clientletter_own.pdf";
    static constexpr const char* kXmlName = "t1_clientletter_own.xml";

    // installedVersion is the version recorded last; recordVersion stores a
    // new one (setting and settings row).
    QuillorClientLetter(QuillorClient& client, QuillorRunLog runLog, int installedVersion,
                        std::function<void(int)> recordVersion);

    int fetch(const QString& pdfFolder, const QString& xmlFolder);

private:
    // An address the template may be fetched from: https on the service's
    // own host and port.
    bool isServiceUrl(const QString& url) const;
    // Downloads both files beside their targets, checks them and then puts
    // them in place; false (with the reason logged) leaves both as they were.
    bool replaceTemplate(const QString& pdfUrl, const QString& pdfFile, const QString& xmlUrl,
                         const QString& xmlFile);
    void log(const QString& line) const;

    QuillorClient& m_client;
    QuillorRunLog m_runLog;
    int m_installedVersion;
    std::function<void(int)> m_recordVersion;
};
