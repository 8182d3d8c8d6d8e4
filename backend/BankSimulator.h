#pragma once

#include "backend/BatchRegistry.h"
#include "backend/BatchSink.h"
#include "backend/Database.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace qvx {

// The simulated bank's work on the database: answers a registered batch
// (its rows go from sr_flag '1' to '2' sent and then '4' answered, with the
// answer columns filled) and posts unrequested notices. Runs on one
// connection, from one thread at a time; every step is one transaction.
// The rules are in backend/BANK.md and backend/BankRules.h.
class BankSimulator
{
public:
    using Clock = std::function<QDateTime()>;
    using Assignments = QList<QPair<QString, QString>>; // column, text value

    // `registry`: the stored registrations; a result inquiry has the bank
    // process a transfer still waiting to be sent only when one covers it
    // (null: none does).
    BankSimulator(DbConnection &db, Clock now, BatchRegistry *registry = nullptr);

    // Creates the bank's own table (numbers of the notices it issued) when missing.
    static void ensureTables(DbConnection &db);

    struct Reply
    {
        QString userId;   // who registered the batch
        QString code;     // the reply code to announce, e.g. "0610300"
        int rows = 0;     // rows answered
        // The makers of the answered transfer rows other than the registering
        // user: a transfer batch is registered by its final approver, and its
        // makers follow the answer on their result inquiry too.
        QStringList makers;
    };
    // Answers one batch. Throws DbError (nothing is half written: the sent
    // mark and the answers are two transactions, each whole or nothing).
    Reply answer(const SendBatch &batch);

    // One round of unrequested notices: a deposit notice and a stored-bill
    // notice for every mother account, a virtual-account notice for every
    // virtual-account ('Y') account. Every fourth number is lost on its first
    // delivery (issued but not stored). Returns the codes to announce
    // ("0200300" when deposit notices were stored, "0200900" for virtual-account ones).
    QStringList postNotices();
    // The notice text of Get_Comm_Msg(1) (code 9000880) and the SMS id of
    // Get_Comm_Msg(2) (code 9919100).
    void setCommNotice(const QString &text);
    void setSmsId(const QString &smsId);

private:
    struct Account
    {
        QString bankId;
        QString moBankNo;
        QString bankName;
        QString firmId;
        QString sendName;
        QString recvId;
    };

    QString batchCondition(const SendBatch &batch) const;
    Assignments answerRow(const QString &table, const ResultSet &rs, int r);

    Assignments transferAnswer(const QString &table, const ResultSet &rs, int r);
    Assignments resultInquiryAnswer(const QString &table, const ResultSet &rs, int r);
    Assignments balanceAnswer(const ResultSet &rs, int r);
    Assignments nameAnswer(const ResultSet &rs, int r);
    Assignments countAnswer(const ResultSet &rs, int r);
    Assignments summaryAnswer(const ResultSet &rs, int r);
    Assignments vasSummaryAnswer(const ResultSet &rs, int r);
    Assignments smsAnswer(const ResultSet &rs, int r);
    Assignments gapAnswer(const QString &table, const ResultSet &rs, int r);

    // Notices.
    QString networkId();
    QList<Account> accounts(const QString &where = QString());
    bool accountOf(const QString &bankId, Account *account);
    int nextNoticeNumber(const QString &kind, const Account &a, const QString &date);
    int issuedNotices(const QString &kind, const QString &bankId, const QString &firmId, const QString &date);
    // The fields every notice row begins and ends with (the bank sends it now).
    Assignments noticeHeader(const Account &a, int number);
    Assignments noticeTrailer(const QString &upGubunCode) const;
    Assignments depositNotice(const Account &a, const QString &date, int number, bool virtualAccount);
    Assignments draftNotice(const Account &a, const QString &date, int number);
    Assignments failureNotice(const Account &a, const QString &date, int number);
    bool noticeStored(const QString &table, const QString &dateColumn, const QString &numberColumn,
                      const Account &a, const QString &date, int number);
    void postFailureNotice(const ResultSet &rs, int r, const QString &errCode);

    // SQL helpers.
    void insertRow(const QString &table, const Assignments &values);
    static QString assignments(const Assignments &values);
    

    QString today() const;
    QString nowTime() const;

    DbConnection &m_db;
    Clock m_now;
    BatchRegistry *m_registry = nullptr;
    QDateTime m_at; // the moment of the current answer
};

} // namespace qvx
