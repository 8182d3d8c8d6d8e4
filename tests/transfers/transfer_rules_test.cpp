// The transfer rules without a screen: the amount rule, the same-bank word and
// message type, the manual-entry checks in their order, the temporary-save
// line, the duplicate test and the giche row of the approval request.
#include "core/Session.h"
#include "core/TextUtils.h"
#include "transfers/ApprovalRequest.h"
#include "transfers/TempSaveCodec.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

namespace {

TransferRow sampleRow()
{
    TransferRow r;
    r.no = QStringLiteral("1");
    r.moBankName = QStringLiteral("기업은행");
    r.moBankNo = QStringLiteral("123-012345-67-890");
    r.passWd = QStringLiteral("1234");
    r.boki = QStringLiteral("123456");
    r.workDiv = QStringLiteral("타행");
    r.transDiv = QStringLiteral("지급");
    r.money = QStringLiteral("1,234,567");
    r.bankName = QStringLiteral("우리은행");
    r.bankNo = QStringLiteral("1002-345-678901");
    r.name = QStringLiteral("홍길동상사");
    r.sendId = QStringLiteral("QVX0000001");
    r.recvId = QStringLiteral("IBK0300");
    r.firmId = QStringLiteral("HB0301");
    r.userId = QStringLiteral("MAKER");
    r.info = QStringLiteral("3월분 대금");
    r.sendFlag = QStringLiteral("1");
    r.gubun = QStringLiteral("30");
    r.msgType = QStringLiteral("0101100");
    r.moBankId = QStringLiteral("03");
    r.bankId = QStringLiteral("20");
    r.realNameNo = QStringLiteral("8001011234567");
    return r;
}

} // namespace

TEST(TransferRules, OneAmountRuleForEveryPath)
{
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("9999999999999")).value, 9999999999999LL);
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("9,999,999,999,999")).fault, AmountFault::None);
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("10000000000000")).fault, AmountFault::TooLarge);
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("10000000000000")).message(),
              QStringLiteral("이체금액이 한도를 초과하였습니다. 10조(13자리) 이상은 금액은 이체되지 않습니다."));
    EXPECT_EQ(CheckTransferAmount(QStringLiteral(" 1,234 ")).value, 1234);
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("999,999")).value, 999999);
    // A comma that does not group thousands makes no amount of the text.
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("5,000\n")).value, 5000); // a spreadsheet cell's line end
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("\u30005,000\u00A0")).value, 5000);
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("1234567890123456789")).fault, AmountFault::TooLarge);
    for (const char *none : {"", " ", "0", "000", "0,000,000"}) {
        const AmountCheck c = CheckTransferAmount(QString::fromLatin1(none));
        EXPECT_EQ(c.fault, none == std::string("0,000,000") ? AmountFault::NotWhole : AmountFault::Missing) << none;
    }
    EXPECT_EQ(CheckTransferAmount(QString()).message(), QStringLiteral("이체금액을 등록하시기 바랍니다."));
    // An amount was typed, but it is no whole won.
    for (const char *bad : {"-5", "12.5", "1000.00", "abc", "1 000", "1,0,0", ",5", "5,", "1,000,00", "1000,000",
                            "1,,000", ",100", "1234,567", "12,34", "0,001", "01,000", "+", "-"}) {
        const AmountCheck c = CheckTransferAmount(QString::fromLatin1(bad));
        EXPECT_EQ(c.fault, AmountFault::NotWhole) << bad;
        EXPECT_EQ(c.message(), QStringLiteral("이체금액을 원 단위 숫자로 입력하시기 바랍니다.")) << bad;
    }
    EXPECT_EQ(CheckTransferAmount(QStringLiteral("9８")).fault, AmountFault::NotWhole);
}

TEST(TransferRules, SameBankWordUsesTheBankGroupButTheMessageTypeDoesNot)
{
    EXPECT_EQ(SameBankWord(QStringLiteral("03"), QStringLiteral("03")), QStringLiteral("당행"));
    EXPECT_EQ(SameBankWord(QStringLiteral("03"), QStringLiteral("04")), QStringLiteral("타행"));
    EXPECT_EQ(SameBankWord(QStringLiteral("21"), QStringLiteral("26")), QStringLiteral("당행"));
    EXPECT_EQ(SameBankWord(QStringLiteral("88"), QStringLiteral("21")), QStringLiteral("당행"));
    EXPECT_EQ(SameBankWord(QStringLiteral("20"), QStringLiteral("88")), QStringLiteral("타행"));
    EXPECT_EQ(TransferMessageType(QStringLiteral("21"), QStringLiteral("26")), QStringLiteral("0101100"));
    EXPECT_EQ(TransferMessageType(QStringLiteral("20"), QStringLiteral("20")), QStringLiteral("0100100"));
    EXPECT_EQ(TransferKindCode(QStringLiteral("수납")), QStringLiteral("20"));
    EXPECT_EQ(TransferKindCode(QStringLiteral("지급")), QStringLiteral("30"));
}

TEST(TransferRules, EntryChecksComeInTheirOrder)
{
    TransferEntryInput in;
    in.today = QStringLiteral("20261209");
    TransferEntryCheck c = CheckTransferEntry(in);
    EXPECT_EQ(c.focus, EntryFocus::MotherAccount);
    EXPECT_EQ(c.message, QStringLiteral("모은행 및 계좌를 선택하시기 바랍니다."));

    in.moBankIndex = 1;
    in.moBankId = QStringLiteral("03");
    c = CheckTransferEntry(in);
    EXPECT_EQ(c.focus, EntryFocus::PayeeCombo);
    EXPECT_EQ(c.message, QStringLiteral("송금인 또는 수금인을 등록하시기 바랍니다."));
    in.payeeComboEnabled = false;
    EXPECT_EQ(CheckTransferEntry(in).focus, EntryFocus::SendName);

    in.sendName = QStringLiteral("홍길동");
    in.amountText = QStringLiteral("0");
    c = CheckTransferEntry(in);
    EXPECT_EQ(c.focus, EntryFocus::Amount);
    EXPECT_EQ(c.message, QStringLiteral("이체금액을 등록하시기 바랍니다."));
    in.amountText = QStringLiteral("10000000000000");
    EXPECT_EQ(CheckTransferEntry(in).message, AmountTooLargeMessage);
    in.amountText = QStringLiteral("50000");
    c = CheckTransferEntry(in);
    EXPECT_TRUE(c.ok());
    EXPECT_EQ(c.amount, 50000);
}

TEST(TransferRules, RowEditAppliesTheEntryRules)
{
    TransferRow row = sampleRow();
    row.moBankId = QStringLiteral("21");
    TransferRowEdit edit;
    edit.name = QStringLiteral("새이름");
    edit.bankId = QStringLiteral("26");
    edit.bankName = QStringLiteral("신한");
    edit.bankNo = QStringLiteral("1002-345-678901");
    edit.amount = 2500000;
    edit.realNameNo = QStringLiteral(" 800101-1234567 ");
    const TransferRow out = ApplyTransferRowEdit(row, edit);
    EXPECT_EQ(out.workDiv, QStringLiteral("당행"));
    EXPECT_EQ(out.msgType, QStringLiteral("0101100"));
    EXPECT_EQ(out.money, QStringLiteral("2,500,000"));
    EXPECT_EQ(out.realNameNo, QStringLiteral("8001011234567"));
    EXPECT_EQ(out.bankNo, FormatAcctNo(QStringLiteral("26"), QStringLiteral("1002345678901")));
    EXPECT_EQ(out.sendId, row.sendId);
    EXPECT_EQ(out.gubun, row.gubun);
}

TEST(TempSave, LineRoundTripsByteForByte)
{
    const TransferRow row = sampleRow();
    const TempSaveEncoded line = EncodeTempSaveLine(row);
    ASSERT_TRUE(line.ok());
    ASSERT_EQ(line.line.size(), TempSaveLineBytes);
    // Fields sit at their positions, padded with blanks; the name is CP949.
    EXPECT_EQ(line.line.mid(0, 12), qvx::Cp949::encode(QStringLiteral("기업은행")) + QByteArray(4, ' '));
    EXPECT_EQ(line.line.mid(12, 15), QByteArray("12301234567890 "));
    EXPECT_EQ(line.line.mid(49, 13), QByteArray("1234567      "));
    EXPECT_EQ(line.line.mid(89, 16), qvx::Cp949::encode(QStringLiteral("홍길동상사")) + QByteArray(6, ' '));
    EXPECT_EQ(line.line.mid(187, 7), QByteArray("0101100"));
    EXPECT_EQ(line.line.mid(198, 13), QByteArray("8001011234567"));

    const TempSaveDecoded back = DecodeTempSaveLine(line.line);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.amount, 1234567);
    TransferRow expected = row;
    expected.no.clear();
    expected.moBankNo = FormatAcctNo(row.moBankId, row.plainMoBankNo());
    expected.bankNo = FormatAcctNo(row.bankId, row.plainBankNo());
    EXPECT_EQ(back.row, expected);
    EXPECT_EQ(EncodeTempSaveLine(back.row).line, line.line);
}

TEST(TempSave, AValueLongerThanItsFieldIsRefusedNotShifted)
{
    TransferRow row = sampleRow();
    row.name = QStringLiteral("아주긴거래처이름입니다"); // 22 bytes in a 16-byte field
    const TempSaveEncoded line = EncodeTempSaveLine(row);
    EXPECT_FALSE(line.ok());
    EXPECT_EQ(line.badColumn, tcName);
    EXPECT_EQ(TempSaveTooLongMessage(3, line.badColumn, line.badWidth),
              QStringLiteral("3번째 자료의 '업체' 값이 저장 길이(16바이트)를 초과합니다.\r\n값을 수정한 후 다시 저장하시기 바랍니다."));

    row = sampleRow();
    row.info = QString(41, QLatin1Char('x'));
    EXPECT_EQ(EncodeTempSaveLine(row).badColumn, tcInfo);
    EXPECT_EQ(TempSaveRefusalMessage(2, EncodeTempSaveLine(row)),
              QStringLiteral("2번째 자료의 '업체정보' 값이 저장 길이(40바이트)를 초과합니다.\r\n값을 수정한 후 다시 저장하시기 바랍니다."));
}

TEST(TempSave, ACharacterCp949CannotHoldIsNamedAsTheCause)
{
    TransferRow row = sampleRow();
    row.info = QStringLiteral("납품😀");   // short enough: the emoji is what cannot be saved
    const TempSaveEncoded line = EncodeTempSaveLine(row);
    EXPECT_FALSE(line.ok());
    EXPECT_EQ(line.badColumn, tcInfo);
    EXPECT_EQ(TempSaveRefusalMessage(4, line),
              QStringLiteral("4번째 자료의 '업체정보' 값의 문자 \"😀\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                             "값을 수정한 후 다시 저장하시기 바랍니다."));
}

TEST(TempSave, ReloadRefusesLongLinesAndBadAmounts)
{
    const QByteArray good = EncodeTempSaveLine(sampleRow()).line;
    EXPECT_EQ(DecodeTempSaveLine(good + "X").fault, TempSaveDecodeFault::TooLong);
    QByteArray badAmount = good;
    badAmount.replace(49, 13, "12a4         ");
    EXPECT_EQ(DecodeTempSaveLine(badAmount).fault, TempSaveDecodeFault::BadAmount);
    QByteArray tooBig = good;
    tooBig.replace(49, 13, "0000000000000");
    EXPECT_EQ(DecodeTempSaveLine(tooBig).fault, TempSaveDecodeFault::BadAmount);
    // A short line gives empty fields where it ends.
    const TempSaveDecoded shortLine = DecodeTempSaveLine(good.left(194));
    ASSERT_TRUE(shortLine.ok());
    EXPECT_EQ(shortLine.row.msgType, QStringLiteral("0101100"));
    EXPECT_TRUE(shortLine.row.moBankId.isEmpty());
}

TEST(TransferShared, DuplicateTestComparesNameAmountAndMemoUnlessN)
{
    const QList<TransferRow> rows = {sampleRow()};
    auto cell = [&](int c, int r) { return rows.value(r - 1).value(TransferColumn(c)); };
    const QString name = QStringLiteral("홍길동상사");
    const QString amount = QStringLiteral("1,234,567");
    EXPECT_TRUE(IsDuplicateTransfer(cell, 2, name, amount, QStringLiteral("N")));
    EXPECT_TRUE(IsDuplicateTransfer(cell, 2, name, amount, QStringLiteral("3월분 대금")));
    EXPECT_FALSE(IsDuplicateTransfer(cell, 2, name, amount, QStringLiteral("4월분")));
    EXPECT_FALSE(IsDuplicateTransfer(cell, 2, name, QStringLiteral("1234567"), QStringLiteral("N")));
    EXPECT_EQ(DuplicateMemo(QStringLiteral(" 메모 "), 1), QStringLiteral("메모"));
    EXPECT_EQ(DuplicateMemo(QStringLiteral(" 메모 "), 0), QStringLiteral("N"));
    EXPECT_EQ(DuplicateQuestion(name, amount),
              QStringLiteral("중복이체자료를 발견하였습니다.\r\r거래처명 : 홍길동상사\r이체금액 :     1,234,567 원\r\r"
                             "위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.\r\r이체자료에 추가하시겠습니까?"));
}

TEST(ApprovalRequestRow, RealNameNumberIsSplitAndCmsCodeOnlyForBank20Collections)
{
    ApprovalBatch batch;
    batch.sendDate = QStringLiteral("20261209");
    batch.sendTime = QStringLiteral("101010");
    batch.serviceDiv = QStringLiteral("S1");
    batch.networkId = QStringLiteral("QVX0000001");
    batch.userId = QStringLiteral("MAKER");
    batch.approverId = QStringLiteral("APPR1");
    batch.sendFlagInit = QStringLiteral("1");
    TransferRow row = sampleRow();
    GicheRow g = ApprovalGicheRow(batch, row, 1001, QStringLiteral("999"));
    EXPECT_EQ(g.SeqNo, QStringLiteral("1001"));
    EXPECT_EQ(g.TaErrFee, QStringLiteral("80010"));
    EXPECT_EQ(g.TaErrPrice, QStringLiteral("11234567"));
    EXPECT_EQ(g.CmsCode, QString());
    EXPECT_EQ(g.MoBankNo, QStringLiteral("12301234567890"));
    EXPECT_EQ(g.BankNo, QStringLiteral("1002345678901"));
    EXPECT_EQ(g.Price, QStringLiteral("1234567"));
    EXPECT_EQ(g.sr_flag, QStringLiteral("0"));
    EXPECT_EQ(g.up_gubuncode, QStringLiteral("0101100"));
    EXPECT_EQ(g.COMMON_DUMMY, QStringLiteral("3월분 대금"));
    row.moBankId = QStringLiteral("20");
    row.gubun = QStringLiteral("20");
    EXPECT_EQ(ApprovalGicheRow(batch, row, 1002, QString()).CmsCode, QStringLiteral("8001011234567"));
    row.name = QStringLiteral("O'Brien");
    EXPECT_TRUE(MakeInsertSql(ApprovalGicheRow(batch, row, 1003, QString())).contains(QStringLiteral("'O''Brien'")));
}
