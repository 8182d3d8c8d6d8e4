#include "core/screens/IcheSearchSubUnit.h"

#include "core/CellText.h"
#include "core/TextUtils.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"

#include <QLabel>
#include <QLineEdit>

Tqv_ichesearchsub_frm::Tqv_ichesearchsub_frm(const ScreenContext &context, QWidget *owner, ResultDetailKind kind)
    : ScreenDialog(context, owner), kind(kind)
{
    const bool liquor = kind == ResultDetailKind::Liquor;
    setObjectName(liquor ? QStringLiteral("qv_j_ichesearchsub_frm") : QStringLiteral("qv_ichesearchsub_frm"));
    setWindowTitle(liquor ? QStringLiteral("이체전문 개별조회") : QStringLiteral("이체전문개별조회"));
    setModal(true);
    resize(560, 330);
    SetFormColour(this);
    MakeBand(this, "pnl_caption", QStringLiteral(" ◎ 이체전문 개별조회 응답 확인"), 28);

    int slot = 0;
    auto place = [this, &slot](const QString &label, QWidget *field) {
        const int x = slot % 2 == 0 ? 10 : 285;
        const int y = 40 + (slot / 2) * 30;
        (new QLabel(label, this))->setGeometry(x, y, 80, 22);
        field->setGeometry(x + 84, y, 180, 22);
        ++slot;
    };
    auto edit = [this, &place](const char *name, const QString &label) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        place(label, e);
        return e;
    };
    auto money = [this, &place](const char *name, const QString &label) {
        auto *e = new TCurrencyEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->SetDisplayFormat(QStringLiteral(",0.;-\\,0."));
        e->setReadOnly(true);
        place(label, e);
        return e;
    };
    edt_senddate = edit("edt_senddate", QStringLiteral("전 송 일 자"));
    edt_mobankno = edit("edt_mobankno", QStringLiteral("모계좌번호"));
    edt_mobankname = edit("edt_mobankname", QStringLiteral("모  은  행"));
    curredt_ichemoney = money("curredt_ichemoney", QStringLiteral("이 체 금 액"));
    edt_errcode = edit("edt_errcode", QStringLiteral("처 리 상 태"));
    edt_receivetime = edit("edt_receivetime", QStringLiteral("수 신 시 각"));
    edt_bankname = edit("edt_bankname", QStringLiteral("거 래 은 행"));
    edt_bankno = edit("edt_bankno", QStringLiteral("거 래 계 좌"));
    edt_ichename = edit("edt_ichename", QStringLiteral("이  체  명"));
    edt_proctime = edit("edt_proctime", QStringLiteral("처 리 시 각"));
    edt_cmscode = edit("edt_cmscode", QStringLiteral("C M S 코드"));
    curredt_fee = money("curredt_fee", QStringLiteral("수  수  료"));
    edt_procno = edit("edt_procno", QStringLiteral("타행처리번호"));
    edt_sendname = edit("edt_sendname", QStringLiteral("송  금  인"));
    edt_procresult = edit("edt_procresult", liquor ? QStringLiteral("결 과 코 드") : QStringLiteral("에 러 코 드"));

    DDButton1 = MakeButton(this, "DDButton1", QStringLiteral("닫 기"), 450, 290, 90, 26);
    BindClick(this, DDButton1, "DDButton1Click", &Tqv_ichesearchsub_frm::DDButton1Click);
}

void Tqv_ichesearchsub_frm::FillResult(const qvx::ResultSet &rs)
{
    const bool liquor = kind == ResultDetailKind::Liquor;
    if (rs.isEmpty()) {
        if (liquor) {
            edt_senddate->setText(DashedDate(qvx::Clock::today()));
            edt_procresult->setText(QStringLiteral("자료를 찾을 수 없습니다."));
        }
        return;
    }
    auto v = [&rs](const char *n) { return rs.value(0, QString::fromLatin1(n)); };
    const QString none = QStringLiteral("결과코드 없음");
    edt_senddate->setText(DashedDate(v("senddate")));
    edt_mobankname->setText(v("mobankname"));
    edt_bankname->setText(v("transbankname"));
    edt_sendname->setText(v("name"));
    edt_receivetime->setText(ColonTime(v("receivetime")));
    edt_mobankno->setText(FormatAcctNo(v("bankid"), v("mobankno")));
    edt_bankno->setText(FormatAcctNo(v("trans_bankid"), v("bankno")));
    if (liquor)
        edt_procresult->setText(v("procresult").trimmed().isEmpty() ? none : v("proccontents"));
    else if (v("gubun") == QLatin1String("20"))
        edt_ichename->setText(QStringLiteral("수납"));
    else if (v("gubun") == QLatin1String("30"))
        edt_ichename->setText(QStringLiteral("지급"));
    curredt_ichemoney->SetValue(qvx::Decimal(SafeStrToCurr(v("price").trimmed(), 0)));
    curredt_fee->SetValue(qvx::Decimal(SafeStrToCurr(v("fee").trimmed(), 0)));
    edt_cmscode->setText(v("cmscode"));
    edt_errcode->setText(v("errcode").trimmed().isEmpty() ? QStringLiteral("결과코드 없음") : v("errcontents"));
    edt_proctime->setText(ColonTime(v("proctime")));
    edt_procno->setText(v("taprocno"));
}

void Tqv_ichesearchsub_frm::DDButton1Click()
{
    // The list keeps what its last search showed; the next search brings
    // the answer into it.
    if (kind == ResultDetailKind::Liquor || !edt_mobankname->text().isEmpty()
        || qvx::Prompt::instance().confirm(QStringLiteral(
            "현재 은행에서 아직 전문이 도달하지 않은 상태일 수 있습니다. 개별조회창을 닫으시겠습니까?")))
        accept();
}
