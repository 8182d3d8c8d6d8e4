#include "inquiries/screens/VDepositUnit.h"

#include "core/screens/ListKit.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/DepositNotices.h"

#include <QLabel>

namespace {

const char *const EditNames[10] = {"curredt_ibgum",      "curredt_jigub",      "curredt_bjigub",
                                   "curredt_bjigubcancel", "curredt_amt",      "curredt_amtdeposit",
                                   "curredt_amtdaechul", "curredt_ibgumcancel", "curredt_jigubcancel",
                                   "curredt_jigum"};

const char *const Captions[10] = {"입 금",    "지 급",          "부도지급",       "부도지급(취소)", "결산이자",
                                  "결산이자(예금)", "결산이자(대출)", "입금취소", "지급취소", "집금/어음만기입금"};

} // namespace

Tqv_V_deposit_frm::Tqv_V_deposit_frm(const ScreenContext &context, QWidget *owner)
    : NoticeListBase(context, depositParams(NoticeKind::VirtualDeposit), owner)
{
    buildDeposit(btn_order, btn_print, [this](TKitSimplePanel *) {
        TKitSimplePanel *panel = MakePanel(this, "pnl_total");
        panel->resize(width(), 84);
        SetAlign(panel, alBottom);
        panel->setEnabled(false);
        panel->setStyleSheet(QStringLiteral("QLabel { color: black; }"));   // captions stay legible
        for (int row = 0; row < 2; ++row) {
            (new QLabel(QStringLiteral("구    분"), panel))->setGeometry(8, 4 + row * 40, 60, 16);
            (new QLabel(QStringLiteral("금    액"), panel))->setGeometry(8, 22 + row * 40, 60, 20);
        }
        for (int i = 0; i < 10; ++i) {
            const int x = 72 + (i % 5) * 180;
            const int y = 4 + (i / 5) * 40;
            auto *caption = new QLabel(QString::fromUtf8(Captions[i]), panel);
            caption->setGeometry(x, y, 170, 16);
            caption->setAlignment(Qt::AlignCenter);
            if (i == 0) {
                caption->setObjectName(QStringLiteral("lbl_ibgum"));
                lbl_ibgum = caption;
            }
            totals.append(MakeCurrencyEdit(panel, EditNames[i], x, y + 18, 170, QStringLiteral(",0")));
        }
    });
    grd_deposit = list();
}

Tqv_V_deposit_frm::~Tqv_V_deposit_frm() = default;

QString Tqv_V_deposit_frm::statement(const NoticeFilter &filter, bool) const
{
    return DepositNoticeSql::virtualAccounts(filter);
}

void Tqv_V_deposit_frm::clearTotals()
{
    for (TCurrencyEdit *edit : totals)
        edit->SetValue(0);
}

void Tqv_V_deposit_frm::showTotals(const QString &captionCode, bool)
{
    if (captionCode == QLatin1String("20"))
        lbl_ibgum->setText(QStringLiteral("입 금"));
    else if (captionCode == QLatin1String("21"))
        lbl_ibgum->setText(QStringLiteral("추 심 입 금"));
    for (int index = 0; index < sums().size() && index < totals.size(); ++index)
        totals[index]->SetValue(sums()[index]);
}

RequestResult Tqv_V_deposit_frm::sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps)
{
    return sendRows(bank, day, gaps, VirtualDepositGapRow);
}

ListSaveDecl Tqv_V_deposit_frm::saveDecl()
{
    ListSaveDecl save;
    save.proposedName = [] {
        return qvx::Clock::today() + u'-' + qvx::Clock::now().toString(QStringLiteral("hhmmss"))
               + QStringLiteral("조흥예금통지");
    };
    save.lines = [this] {
        const qvx::ResultSet &rs = m_frame->listed();
        QStringList lines;
        for (int i = 0; i < rs.recordCount(); ++i)
            lines.append(VirtualDepositSaveLine(DepositNotice::FromVirtualRow(rs, i)));
        return lines;
    };
    save.options.naming = ExportNaming::KeepName;
    return save;
}

ListReportDecl Tqv_V_deposit_frm::reportDecl(QStringList &totalLabels)
{
    // The list printed with its main columns, under the totals of the ten fields.
    using namespace VDepositCol;
    static const QList<ReportColumn> columns = reportColumns(
        VirtualDepositNoticeColumns(), "NO",
        {"통지번호", "통지일자", "모은행명", "모계좌번호", "거래구분", "금 액", "잔 액", "입금인", "가상계좌번호", "거래시각"},
        {18, 22, 20, 30, 29, 29, 31, 26, 31, 18},
        {OrgSeqNo, SendDate, MoBankName, MoBankNo, TransDiv, Price, Remain, Name, VBankNo, InTime});
    return depositReport(QStringLiteral("가 상 계 좌 입 금 현 황"), columns, totalLabels);
}

QString Tqv_V_deposit_frm::totalText(int index) const
{
    return CurrToMoneyStr(sums().value(index));
}

void registerVDepositScreen()
{
    RegisterListScreen<Tqv_V_deposit_frm>(QStringLiteral("qv_V_deposit_frm"));
}
