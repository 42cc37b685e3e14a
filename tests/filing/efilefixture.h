#pragma once

// Helpers of the electronic-return tests: the fixture taxpayer Jean
// Tremblay (S.I.N. 123456782) and a reader of the document built for him.

#include <QMap>
#include <QStringList>
#include <QXmlStreamReader>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/GenerateElectronicFile.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

namespace efilefixture {

constexpr unsigned char kDirerad = 2;
constexpr unsigned char kEfile = 1;
constexpr int kOntario = 9;

// The software codes the configuration would give.
inline void useSoftwareCodes()
{
    PreparerInfo info = preparerInfo();
    info.DireradSoftwareCode = CString("097");
    info.DireradSoftwareDate = CString("2024-12-13");
    info.EfileSoftwareCode = CString("E42");
    info.EfileSoftwareDate = CString("2024-12-14");
    setPreparerInfo(info);
}

// Jean Tremblay of Ottawa as a whole family return, with everything the
// agency asks of a T1 (address, e-mail and the required answers), calculated.
inline void newFilableJean(CFamilyTaxData& family)
{
    useSoftwareCodes();
    NewReturnBasicData data;
    data.FirstName = CString("Jean");
    data.LastName = CString("Tremblay");
    data.sin = CString("123456782");
    data.dob = QDate(1975, 6, 15);
    data.TaxPronv = kOntario;
    data.MaritalStatus = 5;
    family.NewData(&data);
    TaxData_T1New& t = *family.getTaxpayer()->GetT1();
    t.FirstTimeFilerAnswer.m_value = 1;
    t.AddressLine1.m_value = CString("100 Wellington St");
    t.City.m_value = CString("Ottawa");
    t.MailingProvince.m_value = kOntario;
    t.PostalCode.m_value = CString("K1A 0A6");
    t.Email.m_value = CString("jean.tremblay@example.com");
    t.CitizenshipAnswer.m_value = choices::kYes;
    t.ElectionsCanadaAnswer.m_value = choices::kNo;
    t.ForeignPropertyAnswer.m_value = choices::kNo;
    family.Calculate(-1, nullptr);
}

// Jean Tremblay of Ottawa, single, filed before, with a Canadian address
// (in another province when one is given).
struct Taxpayer
{
    DependantInfoStruct dependants{12};
    IndividualTaxData person{0, &dependants};

    explicit Taxpayer(int province = kOntario)
    {
        useSoftwareCodes();
        person.NewData(province, CString("Jean"), CString("Tremblay"), CString("123456782"), QDate(1975, 6, 15), 5,
                       CString(), CString(), CString(), QDate(), false);
        TaxData_T1New& t = t1();
        t.FirstTimeFilerAnswer.m_value = 1;
        t.AddressLine1.m_value = CString("100 Wellington St");
        t.City.m_value = CString("Ottawa");
        t.MailingProvince.m_value = province;
        t.PostalCode.m_value = CString("K1A 0A6");
    }

    TaxData_T1New& t1() { return *person.GetT1(); }

    template <typename Form>
    Form* add(int type)
    {
        STRUCT_FORMDATA_ITEM_2004* item = person.NewFormDataItem(ENUMTYPE_FORM(type), 0, true, 0, true);
        return item ? qobject_cast<Form*>(item->data) : nullptr;
    }

    CString document(unsigned char mode)
    {
        CString xml;
        CString problem;
        const int result = CreateElectronicFile(person, xml, mode, &problem);
        if (result != ElectronicFileBuilt)
            qWarning("%s", qPrintable(problem));
        return xml;
    }
};

// What a document holds: well-formedness, the root, its namespace prefixes
// and the text of every simple element by qualified name.
struct ParsedDocument
{
    bool wellFormed = false;
    QString error;
    QString root;
    QMap<QString, QString> namespaces; // prefix -> URI of the root
    QMultiMap<QString, QString> texts;  // qualified name -> text
    QStringList elements;               // qualified names in document order

    bool has(const QString& name) const { return elements.contains(name); }
    QString text(const QString& name) const { return texts.value(name); }
    int count(const QString& name) const { return elements.count(name); }
};

inline ParsedDocument parse(const QString& xml)
{
    ParsedDocument doc;
    QXmlStreamReader reader(xml);
    QString currentText;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.qualifiedName().toString();
            if (doc.root.isEmpty()) {
                doc.root = name;
                for (const QXmlStreamNamespaceDeclaration& d : reader.namespaceDeclarations())
                    doc.namespaces.insert(d.prefix().toString(), d.namespaceUri().toString());
            }
            doc.elements << name;
            currentText.clear();
        } else if (reader.isCharacters()) {
            currentText += reader.text();
        } else if (reader.isEndElement()) {
            doc.texts.insert(reader.qualifiedName().toString(), currentText);
            currentText.clear();
        }
    }
    doc.wellFormed = !reader.hasError();
    doc.error = reader.errorString();
    return doc;
}

} // namespace efilefixture
