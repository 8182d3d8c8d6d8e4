#pragma once
// The statements that read the firm's mother accounts (table bank) and the
// bank codes (table allbank). Every screen and service that lists them asks
// here; what differs between them (the passwords, the order, a filter) is a
// parameter.
//
//   accounts.Load(server, BankSql::motherAccounts({.passwords = true}));
//   dm.cms_select1(BankSql::bankCodes(BankSql::BankCodeRows::Named));

#include <QString>

namespace BankSql {

struct MotherAccountQuery
{
    // passwd and dblpasswd too (after firmid): the screens whose requests carry them.
    bool passwords = false;
    // Only the accounts of banks that serve virtual accounts (TR_GubunCode 'Y').
    bool virtualAccountBanksOnly = false;
    // By bank code; otherwise in the order the table keeps them.
    bool ordered = true;
};

// "select      bankid,    mobankno,    bankname,    firmid,    sendname,    tr_gubuncode,    recvid from    bank"
// (the spacing is part of the text), passwd and dblpasswd after firmid when
// asked, then " where TR_GubunCode = 'Y'" and " order by bankid" as asked.
QString motherAccounts(const MotherAccountQuery &query = {});

// "SELECT      Distinct MoBankNo,    bankid, ... FROM Bank order by bankid":
// every account once with its passwords, as the liquor conversion lists them.
QString distinctMotherAccounts();

// "select * from bank": every column of every account, in the table's order
// (the general reload checks its rows against them).
QString everyMotherAccount();
// "select bankid, firmid, bankname from BANK order by bankid" (the start screen).
QString startScreenBanks();

enum class BankCodeRows {
    All,
    Named,       // leaves out the placeholder rows whose name is only their code
    NamedSpaced  // the same, worded "not ( bankid = bankname)" as the row edit sends it
};

// "select * from allbank", the conditions asked for (one bank code's row
// when `bankId` is not empty), " order by bankid".
QString bankCodes(BankCodeRows rows = BankCodeRows::All, const QString &bankId = QString());
// "SELECT * FROM allbank" (the start-up's bank names, in the table's order).
QString everyBankCode();
// "select bankid, bankname from allbank", " where bankid = '" + code + "'"
// when a code is given, " order by bankid" (the bank codes screen's search).
QString bankCodeNames(const QString &bankId = QString());

} // namespace BankSql
