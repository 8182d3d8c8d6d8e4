#pragma once
// One mother account of the firm: a row of table `bank`, as the transfer
// screens, the conversion and the list screens' account combos read it.

#include "platform/ResultSet.h"

#include <QString>

struct MotherAccount
{
    QString bankid;
    QString mobankno;
    QString bankname;
    QString firmid;
    QString sendname;
    QString tr_gubuncode;
    QString recvid;
    QString passwd;
    QString dblpasswd;

    // The account on row `row` of a bank select; columns the select did not
    // name stay empty.
    static MotherAccount FromRow(const qvx::ResultSet &rs, int row);
};

// The account a printed list names in its title band: the chosen account
// hyphenated for its bank, else `otherChoice` (what the screen chose instead
// of an account, e.g. a bank) when there is one, else "모든 계좌".
QString ReportAccountText(const MotherAccount *chosen, const QString &otherChoice = QString());
