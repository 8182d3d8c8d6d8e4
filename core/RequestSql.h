#pragma once
// INSERT statements of the request tables, one builder per table.
//
// Each builder takes the values of its table's columns in statement order, as
// texts, and returns "insert into <table>(<columns>) values(<values>)": the
// statement of its request row (core/RequestRows.h) made from them. Every
// value goes through qvx::sqlQuote (quotes doubled); SeqNo (and TranSeqNo of
// SMS_Trans) are written bare and must be integers: anything else throws
// qvx::SqlValueError before a statement exists.
//
// MakeGicheSql, MakeJiche102Sql and MakeJiche103Sql cut Name to 12 CP949 bytes
// (11 when the 12th byte begins a double-byte character); the others write
// every value as given.

#include "core/RequestRows.h"

#include <QString>
#include <QStringList>

#include <type_traits>

// The statement of a Row from its N values in column order; a call with
// another number of values does not compile.
template <class Row, int N, class... Values>
QString PositionalInsertSql(const Values &...values)
{
    static_assert(sizeof...(Values) == N, "one value per column of the table");
    static_assert((std::is_convertible_v<const Values &, QString> && ...), "values are texts");
    return MakeInsertSql(RequestRowFromValues<Row>({QString(values)...}));
}

template <class... V>
QString MakeTrsumSql(const V &...v) { return PositionalInsertSql<TrsumRow, 33>(v...); }
template <class... V>
QString MakeGicheSql(const V &...v) { return PositionalInsertSql<GicheRow, 31>(v...); }
template <class... V>
QString MakeJiche102Sql(const V &...v) { return PositionalInsertSql<Jiche102Row, 32>(v...); }
template <class... V>
QString MakeJiche103Sql(const V &...v) { return PositionalInsertSql<Jiche103Row, 32>(v...); }
template <class... V>
QString MakeIcheResultSql(const V &...v) { return PositionalInsertSql<IcheResultRow, 28>(v...); }
template <class... V>
QString MakeIcheResult102Sql(const V &...v) { return PositionalInsertSql<IcheResult102Row, 33>(v...); }
template <class... V>
QString MakeIcheResult103Sql(const V &...v) { return PositionalInsertSql<IcheResult103Row, 33>(v...); }
template <class... V>
QString MakeAmtSearchSql(const V &...v) { return PositionalInsertSql<AmtSearchRow, 21>(v...); }
template <class... V>
QString MakeTCountSearchSql(const V &...v) { return PositionalInsertSql<TCountSearchRow, 14>(v...); }
template <class... V>
QString MakeTaNameSearchSql(const V &...v) { return PositionalInsertSql<TaNameSearchRow, 30>(v...); }
template <class... V>
QString MakeDepositOrderSql(const V &...v) { return PositionalInsertSql<DepositOrderRow, 33>(v...); }
template <class... V>
QString MakeVDepositOrderSql(const V &...v) { return PositionalInsertSql<VDepositOrderRow, 34>(v...); }
template <class... V>
QString MakeTaIcheOrderSql(const V &...v) { return PositionalInsertSql<TaIcheOrderRow, 32>(v...); }
template <class... V>
QString MakeDraftOrderSql(const V &...v) { return PositionalInsertSql<DraftOrderRow, 35>(v...); }

// The 25 values of every column but sr_flag and up_gubuncode, which the
// builder writes as '1' and '0300400'.
template <class... V>
QString MakeVasTrsumSql(const V &...v)
{
    static_assert(sizeof...(V) == 25, "one value per column but sr_flag and up_gubuncode");
    QStringList values{QString(v)...};
    values.insert(24, QStringLiteral("1"));      // sr_flag, before COMMON_DUMMY
    values.append(QStringLiteral("0300400"));   // up_gubuncode
    return MakeInsertSql(RequestRowFromValues<VasTrsumRow>(values));
}

// SendDate, SendTime (now), Service 'DY2', SeqNo and TranSeqNo (the message
// number, bare), SendID (NetworkId), RecvID 'HELP002', BankID '00', SendFlag,
// sr_flag '1' and up_gubuncode '0900900' are filled by the builder.
class Session;
QString MakeSmsTransSql(const Session &session, const QString &SeqNo, const QString &USERID, const QString &RecvName,
                        const QString &RecvTelNo, const QString &SendTelNo, const QString &ReserveDate,
                        const QString &Message, const QString &Dummy, const QString &COMMON_DUMMY);

// The 28 fields of the re-processing line of the liquor result screens, each
// padded on the right with spaces to its width (CP949 bytes) and joined; a
// longer field is written whole. 241 bytes when nothing is too long; missing
// fields count as empty.
QString MakeFixedRecord(const QStringList &fields);
constexpr int FixedRecordFieldCount = 28;
// The width in bytes of field `field` (0-based) of that line.
int FixedRecordWidth(int field);
