#pragma once

#include <QMap>
#include <QString>

#include "companion/core/cstring.h"
#include "companion/forms/fieldowner.h"
#include "companion/forms/fields.h"

class MyDataStream;

// Base of the data records behind wizard pages and dialogs. The record's
// fields are plain members; a record may name them and add them to the field
// list (addField, in order), or declare them as table fields with this as
// their owner. The operations below work on the field list.
class CWSBaseData : public CFieldOwner
{
public:
    CWSBaseData() = default;
    ~CWSBaseData() override = default;

    virtual int Calculate() { return 0; }
    // Values of the fields of the same id.
    virtual void copyFrom(const CWSBaseData& other) { copyFieldsFrom(other); }
    // Writes or reads the record's fields in the self-delimiting form of
    // CFieldOwner; 0 on success, a negative SerialResult otherwise.
    virtual int Serialize(MyDataStream& ar, unsigned fileVersion = 0);
    // Next year's record: values that do not carry forward go back to their
    // start values. True when the record is still used.
    virtual bool ChangeToNewYearData();
    // "name=value" lines, one per named field, in list order.
    virtual void writeToString(CString& out) const;
    // Sets every named field found in the map; others keep their values.
    virtual void readFromStringMap(const QMap<QString, QString>& values);
    // Java declarations and constructions of the record's fields, one per
    // line, for the print engine's generated sources.
    virtual void WriteJavaFileDeclaration(CString& out) const;
    virtual void WriteJavaFileContruction(CString& out) const;
};
