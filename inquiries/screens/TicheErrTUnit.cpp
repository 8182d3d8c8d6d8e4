#include "inquiries/screens/TicheErrTUnit.h"

#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/NoticeGapRequest.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

Tqv_TicheerrT_frm::Tqv_TicheerrT_frm(const ScreenContext &context, QWidget *owner)
    : FailedNoticeList(context, owner, Filter::Account)
{
    TKitSimplePanel *top = makeSearchBar("qv_TicheerrT_frm", QStringLiteral("타행이체 불능통지"),
                                         QStringLiteral(" ◎ 타행이체 불능통지 자료 검색"), "pnl_top", 44);
    (new QLabel(QStringLiteral("기 간 설 정"), top))->setGeometry(460, 11, 70, 22);
    const int datesEnd =
        makeChoices(MakeLabeledCombo(top, "cmb_allbank", QStringLiteral("은 행 계 좌"), 8, 11, 70, 360), top, 532, 11);
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 7, 90, 30,
                           [this] { btn_searchClick(this); });
    EnterMovesFocus({cmb_allbank, dtpkr_from, dtpkr_to});

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 타행이체 불능통지 내역 목록"), 24);
    StatusBar1 = MakeStatusBar(this);
    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 44, alBottom));
    addPrintButtons(buttons, 110);
    btn_order = buttons.add("btn_order", QStringLiteral("결번요청"), 110, [this] { btn_orderClick(); });
    btn_filesave = buttons.add("btn_filesave", QStringLiteral("Text 파일 저장"), 110, [this] { btn_filesaveClick(); });
    btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 110, [this] { close(); });

    ListDecl decl = declare(21);
    decl.gapRequest = gapRequest();
    makeList(std::move(decl));
    RunGuarded(session, QStringLiteral("qv_TicheerrT_frm.FormCreate"), [this] {
        m_frame->formCreate();
        m_dates->SetToday();
        m_accounts->Load(dm);
    });
}

void Tqv_TicheerrT_frm::btn_searchClick(QObject *)
{
    StatusBar1->clearMessage();
    m_frame->search();
}

GapRequestDecl Tqv_TicheerrT_frm::gapRequest()
{
    GapRequestDecl g;
    g.emptyListMessage = QStringLiteral("수신된 통지가 없습니다.");
    g.searchFirstMessage = QStringLiteral("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
    g.refusal = [this, searchFirst = g.searchFirstMessage] {
        if (!m_dates->SameDay())
            return QStringLiteral("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");
        return m_accounts->Chosen() ? QString() : searchFirst;
    };
    g.numbers = [this] {
        const FailedTransferFilter chosen = chosenFilter();
        return dm.cms_select1(FailedTransferSql::noticeNumbers(chosen.bankCode, chosen.dateFrom));
    };
    g.numberColumn = QStringLiteral("bank_seqno");
    g.noNumbersMessage = QStringLiteral("해당일에 전송된 통지 내역이 존재하지 않습니다.");
    g.send = [this](const qvx::ResultSet &numbers, const QList<int> &gaps) {
        // Back the way the day's notices came: to their sender, from their receiver.
        FailedNoticeAddress address;
        address.sendId = numbers.value(0, QStringLiteral("recvid"));
        address.recvId = numbers.value(0, QStringLiteral("sendid"));
        address.firmId = numbers.value(0, QStringLiteral("firmid"));
        address.bankId = chosenFilter().bankCode;
        address.day = chosenFilter().dateFrom;
        const RequestHeader header = RequestHeader::of(session);
        RequestSender sender(dm);
        return SendNoticeGapRequest<TaIcheOrderRow>(sender, NoticeKind::FailedTransfer, gaps, [&](int number) {
            return FailedNoticeGapRow(header, address, number);
        });
    };
    return g;
}

void Tqv_TicheerrT_frm::btn_orderClick()
{
    m_frame->requestGaps(StatusBar1);
}

void Tqv_TicheerrT_frm::btn_filesaveClick()
{
    if (RefuseWhenOffline(session))
        return;
    const QString today = qvx::Clock::today();
    const qvx::ResultSet &rs = dm.cms_select1(FailedTransferSql::dayNotices(today));
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("금일 수신된 타행이체 불능통지 전문이 존재하지 않습니다."));
        return;
    }
    QStringList lines;
    for (int i = 0; i < rs.recordCount(); ++i)
        lines.append(FailedNoticeDayLine(rs, i));
    const QString dir = QDir::currentPath() + QStringLiteral("/data");
    const QString file = dir + u'/' + FailedNoticeDayFileName(today);
    QString error;
    if (!QDir().mkpath(dir))
        error = dir + QStringLiteral(" 폴더를 만들 수 없습니다.");
    else
        qvx::TextFile::writeLines(file, lines, &error);
    if (!error.isEmpty())
        qvx::Prompt::instance().message(QDir::toNativeSeparators(file) + QStringLiteral(" 파일을 저장하지 못하였습니다.\r\n")
                                        + error);
}

void registerTicheErrTScreen()
{
    RegisterListScreen<Tqv_TicheerrT_frm>(QStringLiteral("qv_TIcheerrT_frm"));
}
