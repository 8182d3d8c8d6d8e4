#include "transfers/DataFileKinds.h"

namespace {

QStringList split(const char *fields)
{
    return QString::fromUtf8(fields).split(QLatin1Char('|'));
}

} // namespace

QList<DataFileKind> DataFileKinds(int icheKind)
{
    const QString prefix = icheKind == 1 ? QString() : QStringLiteral("J_");
    return {
        {prefix + QStringLiteral("SUNABICHE_USE"), QStringLiteral("chk_sunabiche"), QStringLiteral("수납이체전문")},
        {prefix + QStringLiteral("JIGUBICHE_USE"), QStringLiteral("chk_jigubiche"), QStringLiteral("지급이체전문")},
        {QStringLiteral("DRAFT_USE"), QStringLiteral("chk_draft"), QStringLiteral("보관어음통지전문")},
        {QStringLiteral("DEPOSIT_USE"), QStringLiteral("chk_deposit"), QStringLiteral("예금거래명세통지전문")},
        {QStringLiteral("TA_ICHE_ERR_USE"), QStringLiteral("chk_taicheerr"), QStringLiteral("타행이체불능통지전문")},
    };
}

QStringList DataFileFields(const QString &kindName, int icheKind)
{
    if (kindName == QStringLiteral("수납이체전문") || kindName == QStringLiteral("지급이체전문")) {
        QStringList f = split("송신일자|송신시각|전문번호|모은행코드|사용자ID|승인자ID|결과코드|모계좌|금액|잔액부호|잔액|"
                              "거래은행코드|거래계좌|수수료|CMScode|성명|타행처리결과|타행처리수수료|타행미처리금액|"
                              "타행미처리누계금액|예비영역|수신시각|수신일자");
        if (icheKind != 1) {
            f[8] = QStringLiteral("이체금액");
            f[16] = QStringLiteral("처리번호");
            f[17] = QStringLiteral("실명번호");
            f[18] = QStringLiteral("주류금액");
            f[19] = QStringLiteral("비주류금액");
        }
        return f;
    }
    if (kindName == QStringLiteral("보관어음통지전문"))
        return split("통지전송일|통지번호|모은행코드|결과코드|모계좌|입금코드|어음번호|어음종류|어음금액|발행인|의뢰인|"
                     "수탁일|만기일|지급은행명|지급점명|당타지구분|결제계좌|거래점|수신일자|수신시각");
    if (kindName == QStringLiteral("예금거래명세통지전문"))
        return split("통지전송일|통지번호|모은행코드|결과코드|모계좌|거래은행코드|이체금액|부호|잔액|입금점|성명|수표번호|"
                     "거래처코드|거래시각|거래일자|예비영역|수신시각|수신일자");
    if (kindName == QStringLiteral("타행이체불능통지전문"))
        return split("통지전송일|통지번호|모은행코드|결과코드|원전문번호|모계좌|거래은행코드|거래계좌|이체금액|처리시각|"
                     "수수료|CMS code|송금인|SUB-SEQ|처리결과|타행처리번호|예비영역|수신시각|수신일자");
    return {};
}
