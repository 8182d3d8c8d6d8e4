#include "core/LoginState.h"

QString LoginUserId;
QString LoginAuthorCode;
QString LoginAuthorName;
int IcheKind = 0;
int SendModuleMode = 0;
int IcheCheckFlag = 0;
int VDepositUse = 0;
int FileSaveFlag = 0;
int DisplayMaxFlag = 0;
int SunabFlag = 0;
int JigubFlag = 0;

unsigned char DupLoginFlag = 0;
int ServerState = 0;

int PaymentMode = 0;

std::array<QString, BankNameCount> BankNames;
int DbMode = 0;
QString ServerIp;
QString Transport;
QString RecvPort;
QString TransTime;
QString RecvTime;
QString NetworkId;
QString ServiceDiv;
QString SendFlagInit;
QString MainCaption;
std::array<ConvField, cvPairCount> ConvLayout;

int SeqNoBase = 0;
int SeqNoLast = 0;
int AcceptSeqBase = 0;
int AcceptSeqLast = 0;
QString LastIcheGubun;
QString ApproverId;

void ResetLoginState()
{
    LoginUserId.clear();
    LoginAuthorCode.clear();
    LoginAuthorName.clear();
    IcheKind = 0;
    SendModuleMode = 0;
    IcheCheckFlag = 0;
    VDepositUse = 0;
    FileSaveFlag = 0;
    DisplayMaxFlag = 0;
    SunabFlag = 0;
    JigubFlag = 0;
    DupLoginFlag = 0;
    ServerState = 0;
    PaymentMode = 0;
    BankNames.fill(QString());
    DbMode = 0;
    ServerIp.clear();
    Transport.clear();
    RecvPort.clear();
    TransTime.clear();
    RecvTime.clear();
    NetworkId.clear();
    ServiceDiv.clear();
    SendFlagInit.clear();
    MainCaption.clear();
    ConvLayout.fill(ConvField{});
    SeqNoBase = SeqNoLast = 0;
    AcceptSeqBase = AcceptSeqLast = 0;
    LastIcheGubun.clear();
    ApproverId.clear();
}
