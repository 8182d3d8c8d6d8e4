#pragma once
// The session: the login state and the values screens hand each other, for
// one run of the client. Start-up makes one and gives it to the data module,
// the main window and every screen; nothing reaches it any other way. Written
// by the login dialog, the start-up sequence and a few hand-over points, read
// by every screen. Tests make a fresh one each.

#include <QString>
#include <array>

constexpr int BankNameCount = 100; // index 1..99 used, 0 unused

// Automatic conversion layout: 12 (start, length) pairs; starts are 1-based
// character positions of a drop-file line, lengths in bytes.
struct ConvField {
    int start = 0;
    int length = 0;
};
enum ConvPair {
    cvMoBankId = 0, // mother bank code   (mobankids, mobankidn)
    cvMoBankNo,     // mother account     (Mobanknos, MobankNon)
    cvBankId,       // payee bank code    (Bankids, bankidn)
    cvBankNo,       // payee account      (banknos, banknon)
    cvMoney,        // amount             (moneys, moneyn)
    cvCInfo,        // other info         (CInfos, Cinfon)
    cvSeqNo,        // message number     (SeqNoS, SeqNoN)       general only
    cvSName,        // name               (snames, snamen)
    cvGubun,        // kind               (gubuns, gubunn)
    cvJuMoney,      // liquor amount      (JuMoneys, JuMoneyn)   liquor only
    cvBJuMoney,     // non-liquor amount  (BJuMoneys, BJumoneyn) liquor only
    cvJumin,        // resident number    (Jumins, Juminn)       liquor only
    cvPairCount
};

class Session
{
public:
    // --- written by the login dialog ---------------------------------------
    QString LoginUserId;      // users.userid of the row that matched
    QString LoginAuthorCode;  // users.authorcode ("0" maker, "1"/"2" approvers, "3" admin, "4"/"8"/"9" liquor makers)
    QString LoginAuthorName;  // authority.authorcontents of that code
    int IcheKind = 0;         // 1 general transfers, 2 liquor-trade transfers
    int SendModuleMode = 0;   // 2 when the client runs as the automatic send/receive module, else 1
    int IcheCheckFlag = 0;    // 1: duplicate check of transfer rows includes the other information
    int VDepositUse = 0;      // 1: virtual-account notices in use
    int FileSaveFlag = 0;     // config.ini [FILESAVE] FILESAVE_FLAG: "0" -> 0, else 1
    int DisplayMaxFlag = 0;   // config.ini [DISPLAY] MAX: "0" -> 0, else 1
    int SunabFlag = 0;        // config.ini [ICHE] SUNAB: collections allowed
    int JigubFlag = 0;        // config.ini [ICHE] JIGUB: payments allowed

    // --- connection state (data module) ------------------------------------
    unsigned char DupLoginFlag = 0; // 1 once the relay refused our login frame
    int ServerState = 0;            // 0 normal, 1 offline after a forced disconnect, -1 closing

    // --- set by the main menu -----------------------------------------------
    int PaymentMode = 0;      // 0 collection, 1 payment; set before a transfer-making screen opens

    // --- loaded at start-up --------------------------------------------------
    std::array<QString, BankNameCount> BankNames;
    int DbMode = 0;
    QString ServerIp;
    QString Transport;
    QString RecvPort;
    QString TransTime;
    QString RecvTime;
    QString NetworkId;        // CONFIG.nevarid: sender id of every request row
    QString ServiceDiv;       // CONFIG.servicediv: Service column of request rows
    QString SendFlagInit;     // "1" after start-up
    QString MainCaption;      // "QUVEX_Client V3.3  [ <opt> ] 사용자 : <id>"
    std::array<ConvField, cvPairCount> ConvLayout;

    // --- hand-over of the last batch between screens -----------------------
    int SeqNoBase = 0;        // range of the batch sent last
    int SeqNoLast = 0;
    int SummarySeqBase = 0;   // range of the all-accounts summary request sent last
    int SummarySeqLast = 0;   // (kept apart from the transfers' SeqNoBase/SeqNoLast)
    int AcceptSeqBase = 0;    // batch last submitted for approval
    int AcceptSeqLast = 0;
    QString LastIcheGubun;    // "20" collection, "30" payment: batch approved last
    QString ApproverId;       // chosen in the approver choice dialog

    // --- the automatic send/receive module ----------------------------------
    int AutoSendCount = 0;    // lines of the drop file being sent (liquor: lines that passed the account check)

    bool offline() const { return ServerState == 1; }
};
