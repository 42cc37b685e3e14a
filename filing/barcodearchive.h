#pragma once

// The barcode archive of one person, as every save writes it into the
// person record: the T1 block and, for one or two statements, their blocks.
// The return model frames and writes it; this is the builder it is given
// (installBarcodeBuilder) so that the model never reaches up into filing.

#include <QByteArray>
#include <QList>

class IndividualTaxData;
struct BarcodeBlock;

// A T1 with a valid S.I.N. that does not start with 0, of a person who
// neither left nor entered Canada in the year.
bool IsGeneralBarcodeEligible(const IndividualTaxData& person);
// The statements the barcode counts: none for a bankrupt person or without
// a T1; a T5013 counts its own statements, the farm programme forms (T1163
// and type 109) none, every other statement form one, less one for each
// T777S (which counts as a statement form but has no block of its own).
int GetCountOfBarcodeSFDForms(const IndividualTaxData& person);
// Every statement block of the person in archive order (T776, T2042,
// T2121, T2125 business then commission, T5013 statements, T777, TL2,
// T2091), numbered from 1.
QList<QByteArray> buildBarcodeStatementBlocks(const IndividualTaxData& person);
// The archive of the person; false when the person is not eligible. The
// statement blocks are built first and kept only when there are one or two
// of them, so the count written is always the number of blocks that follow.
bool buildBarcodeArchive(const IndividualTaxData& person, BarcodeBlock& block);

// Hands the builder to the return model (program start and tests).
void installBarcodeBuilder();
