#pragma once

#include "companion/core/cstring.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <string>

class QSqlDatabase;
class TiXmlElement;

// What the program reads of the notice itself: only whether the reply
// carries it.
struct StructT1Notice
{
    bool present = false;
};

// One notice of assessment from the agency's Express NOA service: who it is
// for, the English assessment summary and whether the notice came with it.
// The save stores the notice under its taxpayer, with the notice rendered
// into a page by the product's rendering service when the notice came, or a
// message for the user otherwise.
//
// Runs on the thread that reads the agency's reply (a fetch's worker): it
// touches no widget and no cursor; the dialog that runs the fetch shows that
// the program is busy.
class NOATaxDataOnePerson
{
public:
    // What toHtmlFileXslt2 (and the rendering part of a save) gives.
    enum RenderResult : int {
        RenderOk = 0,
        RenderNoService = 1,  // no rendering host is configured
        RenderNoReply = 2,    // transport or TLS failure, or the time-out passed
        RenderBadStatus = 3,  // the service answered with a status other than 200
        RenderEmptyPage = 4,  // the service answered 200 with nothing in it
        RenderNotWritten = 5, // the page file could not be written
    };

    static constexpr int kDefaultRenderTimeoutMs = 60000;

    // resourceFolder: the program's notice resources; pageFolder: where
    // rendered notices are saved (made when missing); taxYear: the year of
    // the notices the service was asked for.
    NOATaxDataOnePerson(const CString& resourceFolder, const CString& pageFolder, int taxYear);
    virtual ~NOATaxDataOnePerson();
    NOATaxDataOnePerson(const NOATaxDataOnePerson&) = delete;
    NOATaxDataOnePerson& operator=(const NOATaxDataOnePerson&) = delete;

    // Reads a NoticeOfAssessmentItem: -1 (nothing filled) when it names no
    // taxpayer, else 0. The summary is the text of the last
    // AssessmentSummaryText whose xml:lang is "en" (any case).
    int parseXMLData(TiXmlElement* item);

    // Renders the notice xml through the rendering service and writes the
    // page to path (replaced only by a complete page). RenderOk, or why no
    // page was written (lastRenderError() says more).
    int toHtmlFileXslt2(CString& path, const char* time, std::string& xml);

    // Stores the notice under the taxpayer of sin (added when new), in place
    // of the taxpayer's notice of the same tax year, in one transaction. The
    // account number in xml is masked first (xml is changed in place). With
    // the notice, its page is rendered and its path stored; without it, or
    // when the rendering fails, the message for the user is stored instead.
    // 1 when stored, -1 when not (the earlier notice is then kept).
    int saveToSqliteDB(QSqlDatabase* db, FILE* log, const std::string& sin, std::string& xml);

    // The rendering service: "host" or "host:port" (HTTPS, verified), and how
    // long a rendering may take.
    void setRenderHost(const QString& hostAndPort) { m_renderHost = hostAndPort; }
    void setRenderTimeoutMs(int ms) { m_renderTimeoutMs = ms; }
    QString renderUrl() const;
    const QString& lastRenderError() const { return m_lastRenderError; }

    // "xxxxx" followed by the S.I.N. from its sixth character on.
    static std::string maskSIN(const std::string& sin);
    // Sets the text of every element of xml whose local name is
    // MaskedAccountNumber to masked and prints the document again. False, with
    // xml unchanged, when it has no such element or is not well-formed.
    static bool maskAccountNumbers(std::string& xml, const std::string& masked);
    // The page of this record's notice for a taxpayer row: named by tax year,
    // masked S.I.N. and row, so no two taxpayers or years share a page.
    CString pagePath(const std::string& maskedSin, int taxpayerId) const;
    // The text stored in place of a page.
    CString messageFor(const std::string& maskedSin) const;

    CString noticeFolder;
    CString resourceFolder;
    int taxYear = 0;
    std::string identifier;
    std::string summaryText;
    StructT1Notice notice;

private:
    int renderNotice(const char* time, const std::string& xml, QByteArray& page);
    int writePage(const CString& path, const QByteArray& page);

    QString m_renderHost;
    int m_renderTimeoutMs = kDefaultRenderTimeoutMs;
    QString m_lastRenderError;
};

// Replaces the taxpayer's notice row of that tax year by one row. 1 when the
// row was stored, else 0 (the insert is not tried when the delete failed).
// Texts are UTF-8.
int updateNOADataForSIN(QSqlDatabase* db, int uid, const char* time, const char* data, const char* path,
                        int taxYear);
