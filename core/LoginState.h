#pragma once
// Login state and the values start-up loads from the server. One copy for the
// whole run: written by the login dialog, the start-up sequence and a few
// hand-over points, read by every screen.

#include <QString>
#include <array>

// --- written by the login dialog -------------------------------------------
extern QString LoginUserId;      // users.userid of the row that matched
extern QString LoginAuthorCode;  // users.authorcode ("0" maker, "1"/"2" approvers, "3" admin, "4"/"8"/"9" liquor makers)
extern QString LoginAuthorName;  // authority.authorcontents of that code
extern int IcheKind;             // 1 general transfers, 2 liquor-trade transfers
extern int SendModuleMode;       // 2 when the client runs as the automatic send/receive module, else 1
extern int IcheCheckFlag;        // 1: duplicate check of transfer rows includes the other information
extern int VDepositUse;          // 1: virtual-account notices in use
extern int FileSaveFlag;         // config.ini [FILESAVE] FILESAVE_FLAG: "0" -> 0, else 1
extern int DisplayMaxFlag;       // config.ini [DISPLAY] MAX: "0" -> 0, else 1
extern int SunabFlag;            // config.ini [ICHE] SUNAB: collections allowed
extern int JigubFlag;            // config.ini [ICHE] JIGUB: payments allowed

// --- connection state (data module) ----------------------------------------
extern unsigned char DupLoginFlag; // 1 once the relay refused our login frame
extern int ServerState;            // 0 normal, 1 offline after a forced disconnect, -1 closing

// --- set by the main menu ---------------------------------------------------
extern int PaymentMode;          // 0 collection, 1 payment; set before a transfer-making screen opens

// --- loaded at start-up ------------------------------------------------------
constexpr int BankNameCount = 100;             // index 1..99 used, 0 unused
extern std::array<QString, BankNameCount> BankNames;
extern int DbMode;
extern QString ServerIp;
extern QString Transport;
extern QString RecvPort;
extern QString TransTime;
extern QString RecvTime;
extern QString NetworkId;        // CONFIG.nevarid: sender id of every request row
extern QString ServiceDiv;       // CONFIG.servicediv: Service column of request rows
extern QString SendFlagInit;     // "1" after start-up
extern QString MainCaption;      // "QUVEX_Client V3.3  [ <opt> ] 사용자 : <id>"

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
extern std::array<ConvField, cvPairCount> ConvLayout;

// --- hand-over of the last batch between screens ---------------------------
extern int SeqNoBase;            // range of the batch sent last
extern int SeqNoLast;
extern int AcceptSeqBase;        // batch last submitted for approval
extern int AcceptSeqLast;
extern QString LastIcheGubun;    // "20" collection, "30" payment: batch approved last
extern QString ApproverId;       // chosen in the approver choice dialog

// Puts every value above back to its state at program start (tests run
// several logins in one process).
void ResetLoginState();
