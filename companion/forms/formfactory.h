#pragma once

#include <vector>

#include "companion/forms/taxtypes.h"

class CTaxData_Form;

// Makes the data object of a kind and type number: every federal form,
// every slip, the interview data of kinds 1 to 5 and the note. Numbers it
// does not make give null (provincial forms and the provincial interview
// data come from the province's plug-in). The caller owns the object.
class CFormFactory
{
public:
    // One row of a factory table: the type number and the class it makes.
    struct Row
    {
        int type;
        const char* className;
        CTaxData_Form* (*make)(int type);
    };

    static CTaxData_Form* create(ENUMTYPE_FROM kind, int type);

    static CTaxData_Form* AllocFedFormData(ENUMTYPE_FORM type);
    static CTaxData_Form* AllocSlipData(ENUMTYPE_SLIP type);
    static CTaxData_Form* NewWizData(ENUMTYPE_TAXWIZARD type);
    static CTaxData_Form* AllocNoteData();

    // The tables themselves, in type order (the note's table has one row,
    // type 1). Tests and catalogues walk them.
    static const std::vector<Row>& formRows();
    static const std::vector<Row>& slipRows();
    static const std::vector<Row>& wizardRows();
    static const std::vector<Row>& noteRows();
    static const std::vector<Row>& rows(ENUMTYPE_FROM kind);
};
