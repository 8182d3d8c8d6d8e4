#include "inquiries/screens/DraftUnit.h"

#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "inquiries/DraftNoticeColumns.h"
#include "inquiries/DraftNotices.h"
#include "inquiries/screens/NoticeTotalsGrid.h"

namespace {

const char *const TotalLabels[6][2] = {
    {"수탁 : ", "qlbl_sutak"},         {"수탁정정 : ", "qlbl_sutakmod"},     {"수탁취소 : ", "qlbl_sutakcancel"},
    {"추심 : ", "qlbl_chusim"},        {"추심취소 : ", "qlbl_chusimcancel"}, {"반    환 : ", "qlbl_return"},
};

} // namespace

Tqv_draft_frm::Tqv_draft_frm(const ScreenContext &context, QWidget *owner)
    : NoticeListBase(context,
                     {"qv_draft_frm", QStringLiteral("보관어음 명세통지"), NoticeKind::Draft,
                      {"grd_draftlist", &DraftNoticeColumns(), 0, 23}, QStringLiteral("draftmoney"), DraftTotalsTable,
                      DraftTotalsCode, QStringLiteral("보관어음 통지 전문이 수신되지 않았습니다."),
                      QStringLiteral("해당일에 전송된 통지 내역이 존재하지 않습니다."),
                      QStringLiteral("select distinct transdivcode, transdivcontents  from transdiv where divflag = '2'")},
                     owner)
{
    const Look look{QStringLiteral("은 행 계 좌"), QStringLiteral("부터"), QStringLiteral("까지"),
                    QStringLiteral(" ◎ 보관어음 명세통지 자료 검색"), QStringLiteral(" ◎ 보관어음 명세통지 내역 목록")};
    build(look, [this](TKitSimplePanel *bottom) {
        ButtonRow buttons(session, bottom);
        DDButton1 = buttons.add("DDButton1", QStringLiteral("인 쇄"), 110, [this] { PrintList(this, list(), Report1, false); });
        btn_preview = buttons.add("btn_preview", QStringLiteral("미리보기"), 110,
                                  [this] { PrintList(this, list(), Report1, true); });
        KitButton1 = buttons.add("KitButton1", QStringLiteral("결번요청"), 110, [this] { KitButton1Click(); });
        btn_filesave = buttons.add("btn_filesave", QStringLiteral("Text 파일 저장"), 110, [this] { btn_filesaveClick(); });
        btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 110, [this] { close(); });
        QStringList captions;
        for (const char *c : {"수  탁", "수탁정정", "수탁취소", "추  심", "추심취소", "반  환"})
            captions << QString::fromUtf8(c);
        m_totalsGrid =
            new NoticeTotalsGrid(this, captions, 6, 20, 3, QStringLiteral("구  분"), QStringLiteral("금  액"), 48);
        grd_test = m_totalsGrid->grid();
    });
    grd_draftlist = list();
}

Tqv_draft_frm::~Tqv_draft_frm() = default;

QString Tqv_draft_frm::statement(const NoticeFilter &filter, bool) const
{
    return DraftNoticeSql::byFilter(filter);
}

QString Tqv_draft_frm::gapRefusal() const
{
    // The day first, then the bank.
    if (!m_dates->SameDay())
        return QStringLiteral("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");
    return chosenBank() ? QString()
                        : QStringLiteral("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
}

RequestResult Tqv_draft_frm::sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps)
{
    return sendRows(bank, day, gaps, DraftGapRow);
}

ListSaveDecl Tqv_draft_frm::saveDecl()
{
    ListSaveDecl save;
    save.proposedName = [] {
        return qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("어음통지");
    };
    save.lines = [this] {
        const qvx::ResultSet &rs = m_frame->listed();
        QStringList lines;
        for (int i = 0; i < rs.recordCount(); ++i)
            lines.append(DraftSaveLine(DraftNotice::FromRow(rs, i), i + 1));
        return lines;
    };
    return save;
}

ListReportDecl Tqv_draft_frm::reportDecl(QStringList &totalLabels)
{
    // "보 관 어 음 현 황", A4 landscape: 19 detail lines on the first page, 25
    // on the others.
    ListReportDecl r;
    r.title = QStringLiteral("보 관 어 음 현 황");
    r.width = 277;
    r.values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
                {QStringLiteral("기       간 : "), QStringLiteral("qlbl_date"), {0, 20}}};
    for (int i = 0; i < 6; ++i) {
        totalLabels << QString::fromLatin1(TotalLabels[i][1]);
        r.values.append({QString::fromUtf8(TotalLabels[i][0]), totalLabels.last(),
                         {120.0 + (i / 3) * 80, 12.0 + (i % 3) * 5}, QString(), 24, 50, AlignRight});
    }
    using namespace DraftCol;
    r.columns = reportColumns(DraftNoticeColumns(), "No",
                              {"종류", "만기일", "수탁일", "구  분", "결제계좌", "입금인코드", "어음번호", "금  액", "은행명",
                               "통지일자", "어음수탁계좌", "당/타행"},
                              {18, 20, 20, 20, 28, 20, 24, 29, 18, 20, 30, 14},
                              {DraftKind, MankiDate, SutakDate, Kind, GyuljeBankNo, IbgumCode, DraftNo, Money, BankName,
                               SendDate, BankNo, DangTa});
    r.look = {8, 6, false, 1};
    r.paging = LandscapePaging(19, 25);
    return r;
}

void registerDraftScreen()
{
    RegisterListScreen<Tqv_draft_frm>(QStringLiteral("qv_Draft_frm"));
}
