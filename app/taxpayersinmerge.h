#pragma once

#include <QString>

class QSqlDatabase;

// Brings the taxpayers of a database written before S.I.N.s were unique to
// one row per S.I.N., so that the unique index can be made:
// - every S.I.N. is stored as its digits without blanks or dashes, and an
//   empty one becomes NULL (no S.I.N., never equal to another);
// - of the rows that share a S.I.N., the lowest id is kept: the stored
//   records, notices, history events and recent-return entries of the
//   others are pointed at it, its empty name, phone or e-mail is filled from
//   the newest row that has one, and the others are deleted.
// Nothing is done once the unique index exists. Runs inside the caller's
// transaction; false (with the reason) when a statement failed.
namespace TaxpayerSinMerge {
bool run(QSqlDatabase& db, QString& error);
}
