#pragma once

#include "model/featuresettings.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class CFamilyTaxData;
class Prompter;
class QWebClient;
class QWidget;

// What a feature service (filing, agency data, print and e-signature) is
// given by the window that runs it. The services use the model and the core
// layer only: the user, the network, the clock and the saving of the open
// return all reach them through here, so a test runs a service with a
// scripted prompter and a fixed clock and no window.
struct FeatureContext
{
    CFamilyTaxData* family = nullptr; // the open return; null for commands without one
    Prompter* prompter = nullptr;     // asks and tells the user; null: the installed one
    QWebClient* webClient = nullptr;  // the web services' client; null until a feature needs one
    std::function<QDateTime()> now;   // the clock of date rules and time stamps; empty: AppClock
    std::function<bool()> saveReturn; // saves the open return first; false when it was not saved
    // Handed through, never used as a widget here, to the feature's own
    // dialogs (its ui part) and to the prompter as the parent of its boxes.
    QWidget* dialogParent = nullptr;
    unsigned char edition = 0; // the program's edition, which titles its messages
    FeatureSettings settings;  // the configuration as the command started
    // The page or window the command runs for. A feature finds on it the
    // interface it needs (its own host interface, declared in its folder) with
    // hostAs; null or lacking it, the feature has nothing to run on.
    QObject* host = nullptr;

    template <class Interface>
    Interface* hostAs() const
    {
        return dynamic_cast<Interface*>(host);
    }

    Prompter& prompterToUse() const;
    QDateTime currentTime() const;
    // Tells the user that feature is not part of this build yet.
    void tellNotAvailable(const QString& feature) const;
    // An information box titled for the edition, over parent (null: the
    // program's main window), with cause as its second paragraph.
    void tellInformation(const QString& text, QWidget* parent, const QString& cause = QString()) const;
};
