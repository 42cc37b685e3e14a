#include "filing/t1135road.h"

#include "filing/t1135statement.h"

#include "model/cfamilytaxdata.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("T1135Road", text);
}

} // namespace

T1135Road::T1135Road(FeatureContext context, T1135RoadEnvironment environment, FormFilingDialogs& dialogs)
    : m_context(std::move(context)), m_env(std::move(environment)), m_dialogs(dialogs)
{
}

void T1135Road::tell(const QString& text)
{
    m_context.tellInformation(text, nullptr);
}

int T1135Road::run()
{
    CFamilyTaxData* family = m_context.family;
    if (!family)
        return T1135RoadNoStatement;
    if (!family->HasForm(FORM_T1135)) {
        tell(tr("Please add form T1135 into tax return first!"));
        return T1135RoadNoStatement;
    }
    if (m_env.validateT1135 && m_env.validateT1135() > 0)
        return T1135RoadInvalid;

    CString sin, firstName, lastName;
    family->getFedStringClaimed(1, sin);
    family->getFedStringClaimed(11, firstName);
    family->getFedStringClaimed(12, lastName);
    const CString name = firstName + QLatin1Char(' ') + lastName;

    CString xml;
    const int built = getT1135XMLContent(*family, xml);
    if (built != T1135StatementBuilt) {
        tell(tr("%1 message creation failed, error code=[%2].")
                 .arg(QStringLiteral("T1135 Filing"), QString::number(built)));
        return T1135RoadNoStatement;
    }

    FormFilingRequest request;
    request.family = family;
    request.type = FORM_T1135;
    request.xml = &xml;
    request.name = name;
    request.sin = sin;
    request.parent = m_context.dialogParent;
    request.settings = m_env.filing;
    request.settings.edition = m_context.edition;
    if (!request.settings.now)
        request.settings.now = [this] { return m_context.currentTime(); };
    m_dialogs.fileForm(request);
    return T1135RoadFiled;
}
