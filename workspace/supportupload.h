#pragma once

#include <QDateTime>
#include <QString>

// The support upload: one multipart HTTPS post of a saved return file to the
// maker's support service, with the user's e-mail address and message as
// fields of the body. The user's folders stay on this computer: the file goes
// under a name of its own, and no local path is sent.
class SupportUpload
{
public:
    static constexpr const char* kUploadPath = "/php/fileupload2.php";
    static constexpr const char* kFilePart = "file";

    struct Request
    {
        QString host;      // "name" or "name:port" of the maker's web host
        QString localPath; // the saved return file
        QString email;
        QString message;   // the user's message
        QString appTitle;  // goes first in the message, naming the program
    };

    // The name the file gets on the service: the local time as "MMddHHmm-",
    // eight random hexadecimal digits and "-", then the file's own name, so
    // that two uploads within one minute do not overwrite each other.
    static QString remoteFileName(const QDateTime& now, const QString& localPath);

    // True when the service took the file (a 2xx reply). Blocks until the
    // reply or the client's time-out.
    static bool send(const Request& request);
};
