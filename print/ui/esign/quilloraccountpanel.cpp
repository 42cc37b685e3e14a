#include "print/ui/esign/quilloraccountpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QuillorAccountPanel::QuillorAccountPanel(FeatureContext context, QuillorSettingsSource settings, QWidget* parent)
    : QWidget(parent),
      m_busy(this),
      m_check(QuillorClient(std::move(context), std::move(settings), &m_busy))
{
    auto* grid = new QGridLayout(this);
    auto* emailLabel = new QLabel(tr("User Email:"), this);
    emailLabel->setObjectName(QStringLiteral("label_25"));
    edtUserEmail = new QLineEdit(this);
    edtUserEmail->setObjectName(QStringLiteral("edtUserEmail"));
    auto* passwordLabel = new QLabel(tr("User Password:"), this);
    passwordLabel->setObjectName(QStringLiteral("lblPassword"));
    edtUserPswd = new QLineEdit(this);
    edtUserPswd->setObjectName(QStringLiteral("edtUserPswd"));
    edtUserPswd->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    btnCheckPoints = new QPushButton(tr("Check points"), this);
    btnCheckPoints->setObjectName(QStringLiteral("btnCheckPoints"));

    grid->addWidget(emailLabel, 0, 0);
    grid->addWidget(edtUserEmail, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(edtUserPswd, 1, 1);
    grid->addWidget(btnCheckPoints, 2, 1, Qt::AlignRight);

    connect(btnCheckPoints, &QPushButton::clicked, this, &QuillorAccountPanel::onBtnCheckPointsClicked);
}

void QuillorAccountPanel::onBtnCheckPointsClicked()
{
    m_check.check(edtUserEmail->text(), edtUserPswd->text());
}
