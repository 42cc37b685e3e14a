#pragma once

#include "companion/forms/taxtypes.h"

class IndividualTaxData;
class MyDataStream;

// One person's record in the return file: the header words, the reserved
// area with the read password, the forms, slips and notes with their ids,
// and the barcode block between its two marker runs. Reading checks every
// count and id against its bound and refuses a record that would lose forms.
class PersonRecordCodec
{
public:
    explicit PersonRecordCodec(IndividualTaxData& person) : m_person(person) {}
    PersonRecordCodec(const PersonRecordCodec&) = delete;
    PersonRecordCodec& operator=(const PersonRecordCodec&) = delete;

    // Writes or reads the record; on success the file version, else a
    // ReturnFileLoadCode. A record read is completed by the family
    // (DoSthAfterReading) once the whole file is read.
    int serialize(unsigned char purpose, MyDataStream& ar);
    // Form types that reading drops (retired or expired forms).
    bool isDataTypeSerializationSkipped(ENUMTYPE_FORM type) const;
    // Completes a person after reading: the forms every return holds and the
    // interview data. Nothing without a T1.
    void DoSthAfterReading(unsigned char purpose);
    // The barcode block; false when the stream failed (writing) or the block
    // is damaged (reading).
    bool WriteBarcode(MyDataStream& ar);
    bool ReadBarcode(MyDataStream& ar);

private:
    IndividualTaxData& m_person;
};
