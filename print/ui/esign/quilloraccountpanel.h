#pragma once

#include "print/esign/quilloraccountcheck.h"
#include "print/ui/esign/windowbusyindicator.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

// The account fields of the e-signature service as the preferences show
// them, with the "Check points" button. The check uses the texts as typed;
// nothing is stored here (the preferences apply the settings). The panel
// lives as long as the preferences, which bounds the number of checks.
class QuillorAccountPanel : public QWidget
{
    Q_OBJECT
public:
    // context: the prompter and edition of the messages. settings: the host
    // and title of the request (the account comes from the fields).
    QuillorAccountPanel(FeatureContext context, QuillorSettingsSource settings, QWidget* parent = nullptr);

    QLineEdit* edtUserEmail = nullptr;
    QLineEdit* edtUserPswd = nullptr;
    QPushButton* btnCheckPoints = nullptr;

    const QuillorAccountCheck& accountCheck() const { return m_check; }

public slots:
    void onBtnCheckPointsClicked();

private:
    WindowBusyIndicator m_busy;
    QuillorAccountCheck m_check;
};
