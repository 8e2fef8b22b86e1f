#pragma once

#include <QString>
#include <QStringList>

// Table definitions and rows as SQL texts, read from the system tables and
// the rows of the default connection. The full conversion of an older
// database copies each of its tables into a work table of the new one with
// these texts, so nothing may be lost on the way: time stamps keep their
// time, scaled numbers their decimals, texts their apostrophes, blanks and
// line breaks.

// The type of a column that has no named domain: rdb$field_type,
// rdb$field_length (bytes), rdb$field_scale made positive and, for blobs,
// rdb$field_sub_type. Empty for a type that has no text.
QString TypeToSQL(int type, int length, int scale, int subType = 0);

// The name of a collation, or empty when there is none or it is NONE.
QString CollationName(int charset, int collation);

// The CREATE TABLE text of `table`, one column a line:
//   create table T(
//        A D_ID not null,
//        B varchar(40));
// `asTable` names the table to create instead (the work table of a
// conversion); references "T." inside computed columns follow it.
// Throws TTalbreckException for a name that is not a plain identifier, a
// table without columns or a column whose type has no text.
QString TableDDL(const QString& table, const QString& asTable = {});

// One INSERT per row of `table`, in the order the rows are read, writing
// into `asTable` when given. Computed columns are left out. Values are
// literals: NULL, numbers with a decimal point, texts quoted with apostrophes
// doubled, dates '03/25/2009', time stamps '03/25/2009 14:05:33.000'.
// Throws TTalbreckException when a row holds binary data (a binary blob),
// which the texts cannot carry.
QStringList TableInserts(const QString& table, const QString& asTable = {});
