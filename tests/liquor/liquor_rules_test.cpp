// The liquor-trade rules without a screen: the amount trio, the same-bank
// rule, the adding checks in their order, the duplicate test, the row edit,
// the temporary-save line and the error-log lines.
#include "core/RequestSql.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorLog.h"
#include "liquor/LiquorRules.h"
#include "liquor/LiquorSend.h"
#include "liquor/LiquorTempSave.h"
#include "transfers/TransferLog.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

LiquorRow sampleRow()
{
    LiquorRow r;
    r.no = S("1");
    r.transDiv = S("지급");
    r.moBankName = S("신한은행");
    r.moBankNo = FormatAcctNo(S("88"), S("110123456789"));
    r.juMoney = S("1,000,000");
    r.nonJuMoney = S("234,567");
    r.money = S("1,234,567");
    r.name = S("한빛주류상사");
    r.bankName = S("조흥은행");
    r.bankNo = FormatAcctNo(S("21"), S("56012345678901"));
    r.payKind = S("주류");
    r.realNameNo = S("1234567890");
    r.info = S("3월분");
    r.sendId = S("QVX0000001");
    r.recvId = S("SHB8800");
    r.firmId = S("HB8801");
    r.service = S("DY1");
    r.moBankId = S("88");
    r.userId = S("JURU");
    r.sendFlag = S("1");
    r.passWd = S("5678");
    r.boki = QString();
    r.gubun = S("30");
    r.juFlag = S("1");
    r.bankId = S("21");
    r.flag25 = S("1");
    r.bankId2 = S("21");
    return r;
}

LiquorEntryInput goodEntry()
{
    LiquorEntryInput in;
    in.hasMotherAccount = true;
    in.moBankId = S("21");
    in.sendName = S("거래처");
    in.liquorText = S("1000000");
    in.nonLiquorText = S("0");
    in.transferText = S("1000000");
    in.bankId = S("88");
    in.today = S("20261209");
    return in;
}

} // namespace

TEST(LiquorRules, AmountTrioTakesWholeWonOfAtMost13Digits)
{
    LiquorAmounts a = CheckLiquorAmounts(S("1000000"), S(""), S("1,000,000"));
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a.liquor, 1000000);
    EXPECT_EQ(a.nonLiquor, 0);
    EXPECT_EQ(a.transfer, 1000000);

    a = CheckLiquorAmounts(S("9999999999999"), S("0"), S("9999999999999"));
    EXPECT_TRUE(a.ok());
    EXPECT_EQ(a.transfer, Q_INT64_C(9999999999999));

    a = CheckLiquorAmounts(S("10000000000000"), S("0"), S("1"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Liquor);
    EXPECT_EQ(a.message, S("금액을 초과하였습니다."));
    a = CheckLiquorAmounts(S("0"), S("0000000000000"), S("10000000000000"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Transfer);
    EXPECT_EQ(a.message, S("금액을 초과하였습니다."));
    // Each refusal names the field that is wrong.
    a = CheckLiquorAmounts(S("1000.5"), S("0"), S("1"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Liquor);
    EXPECT_EQ(a.message, S("주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    a = CheckLiquorAmounts(S("0"), S("12.5"), S("1"));
    EXPECT_EQ(a.faultField, LiquorAmountField::NonLiquor);
    EXPECT_EQ(a.message, S("비주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    a = CheckLiquorAmounts(S("0"), S("0"), S("0"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Transfer);
    EXPECT_EQ(a.message, S("이체금액을 등록하시기 바랍니다."));
    a = CheckLiquorAmounts(S("0"), S("-5"), S("10"));
    EXPECT_EQ(a.faultField, LiquorAmountField::NonLiquor);
    EXPECT_EQ(a.message, S("비주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    // A comma counts only where it groups the digits by thousands.
    a = CheckLiquorAmounts(S("0"), S("0"), S("12,34"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Transfer);
    EXPECT_EQ(a.message, S("이체금액을 원 단위 숫자로 입력하시기 바랍니다."));
    a = CheckLiquorAmounts(S("0,001"), S("0"), S("1"));
    EXPECT_EQ(a.faultField, LiquorAmountField::Liquor);
    EXPECT_EQ(a.message, S("주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    a = CheckLiquorAmounts(S(" 1,234 "), S("0"), S("1,234"));
    EXPECT_TRUE(a.ok());
    EXPECT_EQ(a.liquor, 1234);

    qint64 sum = 0;
    EXPECT_TRUE(SumLiquorParts(S("1000000"), S(""), &sum));
    EXPECT_EQ(sum, 1000000);
    EXPECT_FALSE(SumLiquorParts(S("1.5"), S("2"), &sum));

    EXPECT_FALSE(LiquorAmountTextTooLong(S("1234567890123")));
    EXPECT_TRUE(LiquorAmountTextTooLong(S("12345678901234")));
    EXPECT_FALSE(LiquorAmountTextTooLong(S("1,234,567,890,123"))); // typed with its groups
    EXPECT_TRUE(LiquorAmountTextTooLong(S("12,345,678,901,234")));
}

TEST(LiquorRules, SameBankCountsTheGroup21_26_88AsOneBank)
{
    EXPECT_TRUE(LiquorSameBank(S("21"), S("88")));
    EXPECT_TRUE(LiquorSameBank(S("26"), S("21")));
    EXPECT_TRUE(LiquorSameBank(S("04"), S("04")));
    EXPECT_FALSE(LiquorSameBank(S("21"), S("04")));
    EXPECT_FALSE(LiquorSameBank(S("04"), S("88")));
}

TEST(LiquorRules, AddingChecksComeInTheirOrder)
{
    EXPECT_TRUE(CheckLiquorEntry(goodEntry()).ok());
    EXPECT_EQ(CheckLiquorEntry(goodEntry()).amounts.transfer, 1000000);

    LiquorEntryInput in = goodEntry();
    in.hasMotherAccount = false;
    in.sendName.clear();
    LiquorEntryCheck c = CheckLiquorEntry(in);
    EXPECT_EQ(c.focus, LiquorEntryFocus::MotherAccount);
    EXPECT_EQ(c.message, S("등록된 은행계좌가 존재하지 않습니다."));

    in = goodEntry();
    in.sendName.clear();
    in.transferText = S("0");
    EXPECT_EQ(CheckLiquorEntry(in).message, S("송금인 또는 수금인을 등록하시기 바랍니다."));
    EXPECT_EQ(CheckLiquorEntry(in).focus, LiquorEntryFocus::PayeeCombo);
    in.payeeComboEnabled = false;
    EXPECT_EQ(CheckLiquorEntry(in).focus, LiquorEntryFocus::SendName);

    in = goodEntry();
    in.transferText = S("0");
    in.bankId = S("04");
    c = CheckLiquorEntry(in);
    EXPECT_EQ(c.message, S("이체금액을 등록하시기 바랍니다."));
    EXPECT_EQ(c.focus, LiquorEntryFocus::Liquor);

    in = goodEntry();
    in.realNameNo = S("8001011234567");
    in.bankId = S("04");
    c = CheckLiquorEntry(in);
    EXPECT_EQ(c.focus, LiquorEntryFocus::RealNameNo);
    EXPECT_EQ(c.message, S("실명번호의 주민등록번호는 생년월일로 대체 되었습니다.\r\n확인 후 수정해 주시기 바랍니다."));

    in = goodEntry();
    in.bankId = S("04");
    c = CheckLiquorEntry(in);
    EXPECT_EQ(c.focus, LiquorEntryFocus::SendName);
    EXPECT_EQ(c.message, S("타행 이체는 할 수 없습니다."));
}

TEST(LiquorRules, DuplicateTestTakesTheOtherInformationAsAFlagOfItsOwn)
{
    QList<LiquorRow> rows = {sampleRow()};
    rows[0].info = S("N");
    auto cell = [&](int c, int r) { return rows.value(r - 1).value(LiquorColumn(c)); };
    const QString name = S("한빛주류상사");
    EXPECT_TRUE(IsDuplicateLiquorTransfer(cell, 2, name, S("1,234,567"), S("다른정보"), false));
    EXPECT_FALSE(IsDuplicateLiquorTransfer(cell, 2, name, S("1,234,567"), S("다른정보"), true));
    // A typed "N" is compared like any other text.
    EXPECT_TRUE(IsDuplicateLiquorTransfer(cell, 2, name, S("1,234,567"), S("N"), true));
    rows[0].info = S("3월분");
    EXPECT_FALSE(IsDuplicateLiquorTransfer(cell, 2, name, S("1,234,567"), S("N"), true));
    EXPECT_FALSE(IsDuplicateLiquorTransfer(cell, 2, name, S("1234567"), S(""), false));
    EXPECT_EQ(LiquorDuplicateLogLine(name, S("1,234,567")),
              S("중복이체건 추가 -> 거래처명 : 한빛주류상사  이체금액 :     1,234,567 원\r"));
}

TEST(LiquorRules, QuestionsPadAmountsButNeverCutThem)
{
    EXPECT_EQ(LiquorSendQuestion(1, S("가게"), 1500),
              S("이체하실 자료는\r\r거래처명 : 가게\r이체금액 :         1,500 원\r\r입니다. 이체송신을 하시겠습니까?"));
    EXPECT_EQ(LiquorSendQuestion(3, S("가게"), Q_INT64_C(9999999999999)),
              S("이체하실 자료는\r\r총이체건수 : 3 건\r이 체 금 액 : 9,999,999,999,999 원\r\r"
                "입니다. 이체송신을 하시겠습니까?"));
    // 17 characters in a 13-character field stand whole.
    EXPECT_TRUE(LiquorSendQuestion(1, S("가게"), Q_INT64_C(9999999999999)).contains(S("이체금액 : 9,999,999,999,999 원")));
    EXPECT_TRUE(DuplicateQuestion(S("가게"), S("1,234,567,890,123")).contains(S("이체금액 : 1,234,567,890,123 원")));
}

TEST(LiquorRules, EntryRowCarriesTheSessionAndMotherAccountValues)
{
    Session session;
    session.PaymentMode = 1;
    session.NetworkId = S("QVX0000001");
    session.ServiceDiv = S("DY1");
    session.LoginUserId = S("JURU");
    session.SendFlagInit = S("1");
    MotherAccount account;
    account.bankid = S("88");
    account.mobankno = S("110123456789");
    account.bankname = S("신한은행");
    account.firmid = S("HB8801");
    account.recvid = S("SHB8800");
    account.passwd = S("5678");
    LiquorEntry entry;
    entry.name = S("한빛주류상사");
    entry.bankId = S("21");
    entry.bankName = S("조흥은행");
    entry.bankNo = S("56012345678901");
    entry.realNameNo = S("1234567890");
    entry.info = S("3월분");
    entry.amounts = CheckLiquorAmounts(S("1000000"), S("234567"), S("1234567"));
    LiquorRow expected = sampleRow();
    expected.no.clear();
    EXPECT_EQ(MakeLiquorEntryRow(session, account, entry), expected);
}

TEST(LiquorRules, RowEditWritesBackTheFieldsAsTheyStand)
{
    LiquorRowEdit edit;
    edit.name = S("새거래처");
    edit.bankId = S("26");
    edit.bankName = S("신한은행(구)");
    edit.bankNo = S("12-34");
    edit.realNameNo = S("1112223334");
    edit.amounts = CheckLiquorAmounts(S("2000"), S("500"), S("2500"));
    const LiquorRow out = ApplyLiquorRowEdit(sampleRow(), edit);
    EXPECT_EQ(out.name, S("새거래처"));
    EXPECT_EQ(out.bankId, S("26"));
    EXPECT_EQ(out.bankId2, S("26"));
    EXPECT_EQ(out.bankName, S("신한은행(구)"));
    EXPECT_EQ(out.bankNo, S("12-34"));
    EXPECT_EQ(out.juMoney, S("2,000"));
    EXPECT_EQ(out.nonJuMoney, S("500"));
    EXPECT_EQ(out.money, S("2,500"));
    EXPECT_EQ(out.realNameNo, S("1112223334"));
    EXPECT_EQ(out.info, sampleRow().info);
    EXPECT_EQ(out.moBankNo, sampleRow().moBankNo);
}

TEST(LiquorTempSave, LineRoundTripsByteForByteWithKoreanNames)
{
    const LiquorRow row = sampleRow();
    const LiquorTempSaveEncoded line = EncodeLiquorTempSaveLine(row);
    ASSERT_TRUE(line.ok());
    ASSERT_EQ(line.line.size(), LiquorTempSaveLineBytes);
    EXPECT_EQ(line.line.mid(0, 4), qvx::Cp949::encode(S("지급")));
    EXPECT_EQ(line.line.mid(24, 15), QByteArray("110123456789   "));
    EXPECT_EQ(line.line.mid(39, 13), QByteArray("1000000      "));
    EXPECT_EQ(line.line.mid(65, 13), QByteArray("1234567      "));
    EXPECT_EQ(line.line.mid(78, 12), qvx::Cp949::encode(S("한빛주류상사")));
    EXPECT_EQ(line.line.mid(189, 2), QByteArray("88"));
    EXPECT_EQ(line.line.mid(220, 9), QByteArray("301211 21"));

    const LiquorTempSaveDecoded back = DecodeLiquorTempSaveLine(line.line, 1);
    ASSERT_TRUE(back.ok());
    LiquorRow expected = row;
    expected.no.clear();
    EXPECT_EQ(back.row, expected);
    EXPECT_EQ(EncodeLiquorTempSaveLine(back.row).line, line.line);
}

TEST(LiquorTempSave, NameIsCutSafelyAndOtherLongValuesRefuseNamingRowAndField)
{
    LiquorRow row = sampleRow();
    row.name = S("가a나다라마바사"); // 11 bytes up to "마"; "바" would take bytes 12 and 13
    LiquorTempSaveEncoded line = EncodeLiquorTempSaveLine(row);
    ASSERT_TRUE(line.ok());
    EXPECT_EQ(line.line.mid(78, 12), qvx::Cp949::encode(S("가a나다라마")) + QByteArray(1, ' '));

    row = sampleRow();
    row.info = S("열네바이트넘는기타정보");
    line = EncodeLiquorTempSaveLine(row);
    EXPECT_FALSE(line.ok());
    EXPECT_EQ(line.badColumn, lcInfo);
    EXPECT_EQ(LiquorTempSaveTooLongMessage(2, line.badColumn, line.badWidth),
              S("2번째 자료의 '기타' 값이 저장 길이(14바이트)를 초과합니다.\r\n값을 수정한 후 다시 저장하시기 바랍니다."));
}

TEST(LiquorTempSave, ACharacterCp949CannotHoldIsNamedAsTheCause)
{
    // Also in a name long enough to be cut: the cut must not turn it into '?'.
    LiquorRow named = sampleRow();
    named.name = S("😀가나다라마바");
    const LiquorTempSaveEncoded refused = EncodeLiquorTempSaveLine(named);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.badColumn, lcName);
    EXPECT_EQ(refused.badCharacter, S("😀"));

    LiquorRow row = sampleRow();
    row.info = S("납품😀"); // short enough: the emoji is what cannot be saved
    const LiquorTempSaveEncoded line = EncodeLiquorTempSaveLine(row);
    EXPECT_FALSE(line.ok());
    EXPECT_EQ(line.badColumn, lcInfo);
    EXPECT_EQ(LiquorTempSaveRefusalMessage(3, line),
              S("3번째 자료의 '기타' 값의 문자 \"😀\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                "값을 수정한 후 다시 저장하시기 바랍니다."));
}

TEST(LiquorTempSave, LoadingRefusesTheOtherModeAndImplausibleLines)
{
    const QByteArray good = EncodeLiquorTempSaveLine(sampleRow()).line;
    EXPECT_EQ(DecodeLiquorTempSaveLine(good, 0).fault, LiquorTempSaveFault::OtherMode);
    EXPECT_EQ(LiquorOtherModeMessage(0), S("수납이체 자료가 아닙니다. 파일 확인후 재시도 하세요"));
    EXPECT_EQ(LiquorOtherModeMessage(1), S("지급이체 자료가 아닙니다. 파일 확인후 재시도 하세요"));

    auto patched = [&](int at, const QByteArray &bytes) {
        QByteArray line = good;
        line.replace(at, bytes.size(), bytes);
        return DecodeLiquorTempSaveLine(line, 1).fault;
    };
    EXPECT_EQ(patched(0, qvx::Cp949::encode(S("이체"))), LiquorTempSaveFault::Implausible);
    EXPECT_EQ(patched(189, "8 "), LiquorTempSaveFault::Implausible);
    EXPECT_EQ(patched(223, "2A"), LiquorTempSaveFault::Implausible);
    EXPECT_EQ(patched(220, "20"), LiquorTempSaveFault::Implausible);
    EXPECT_EQ(patched(65, "12a4         "), LiquorTempSaveFault::Implausible);
    EXPECT_EQ(patched(65, "0            "), LiquorTempSaveFault::Implausible);
    // A line shifted by a longer value, or cut short.
    EXPECT_EQ(DecodeLiquorTempSaveLine(good.left(150) + "xx" + good.mid(150), 1).fault,
              LiquorTempSaveFault::Implausible);
    EXPECT_EQ(DecodeLiquorTempSaveLine(good.left(200), 1).fault, LiquorTempSaveFault::Implausible);
}

TEST(LiquorTempSave, ReprocessingRecordLoadsThroughTheSameReader)
{
    const LiquorRow row = sampleRow();
    const QStringList fields = {row.transDiv,     row.moBankName, row.plainMoBankNo(), row.plainJuMoney(),
                                row.plainNonJuMoney(), row.plainMoney(), row.name,     row.bankName,
                                row.plainBankNo(), S("주류"),      row.realNameNo,     row.info,
                                row.sendId,       row.recvId,     row.firmId,          S("DY2"),
                                row.moBankId,     S("JURU"),      S("1"),              row.passWd,
                                S("123456"),      row.gubun,      S("1"),              row.bankId,
                                S("1"),           row.bankId,     S("20261209"),       S("0000")};
    const QByteArray record = qvx::Cp949::encode(MakeFixedRecord(fields));
    ASSERT_EQ(record.size(), LiquorReprocessLineBytes);
    const LiquorTempSaveDecoded back = DecodeLiquorTempSaveLine(record, 1);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.row.money, S("1,234,567"));
    EXPECT_EQ(back.row.moBankNo, row.moBankNo);
    EXPECT_EQ(back.row.bankNo, row.bankNo);
    EXPECT_EQ(back.row.service, S("DY2"));
    EXPECT_EQ(back.row.boki, S("123456"));
    EXPECT_EQ(back.row.bankId2, S("21"));
}

TEST(LiquorLog, LinesOfEachKind)
{
    const QString stamp = S("20261209 101112");
    EXPECT_EQ(LiquorTransferLogLine(S("2"), S("1001"), LiquorSendErrorValues(sampleRow(), 1), stamp),
              S("이체송신 Error -> 20261209 101112 1001 88 ") + sampleRow().moBankNo
                  + S(" 1234567 1000000 234567 1234567890 한빛주류상사 30 3월분"));
    // Empty values keep their separating space: 12 parts after the prefix.
    const QString empty = LiquorTransferLogLine(S("1"), S("      "), QStringList(9, QString()), stamp);
    EXPECT_EQ(empty, S("자료변환 Error -> 20261209 101112       ") + QString(9, QLatin1Char(' ')));
    EXPECT_EQ(LiquorTransferLogLine(S("3"), S("1001"), {S("1005")}, stamp),
              S("database Error -> 20261209 101112 1001-1005"));
    EXPECT_EQ(LiquorTransferLogLine(S("0"), S("      "), {S("04"), S("123")}, stamp),
              S("database Error -> 20261209 101112       -04"));
    EXPECT_EQ(LiquorStoreFailedLogLine(sampleRow(), 0, S("JURU")),
              S("수납이체자료 저장 실패 User : JURU  은행계좌 : ") + sampleRow().bankNo
                  + S("  이체금액 : 1,234,567  거래처명 : 한빛주류상사"));
}
