// The transfer result inquiry over 100,000 answered giche rows of one maker:
// the screen's search (server query, answer encoding, client decoding, the
// grid and its totals) beside its floor, the same joined statement run raw
// on the database in the same run; then the statement through the
// application server alone, and the floor alone.

#include "bench/BenchOnce.h"
#include "BenchMeasure.h"
#include "BenchServer.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "inquiries/ResultInquirySql.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "platform/Clock.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QDateEdit>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

namespace {

constexpr int Rows = 100000;

// 100,000 answered payments of MAKER today, one in ten failed.
void SeedTransfers(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into giche (SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, "
                       "CFMID, SendFlag, MoBankNo, PassWd, Gubun, Price, TRANS_BankID, BankNo, Fee, Name, TaProcNo, "
                       "TaErrFee, TaErrPrice, TaErrMoney, sr_flag, up_gubuncode, COMMON_DUMMY, ERRCODE, RECEIVEDATE, "
                       "RECEIVETIME) values (?1, '101500', 'DY1', ?2, 'QVX0000001', 'WRB2000', 'HB2001', '20', 'MAKER', "
                       "'APPR2', '1', '1005123456789', '3456', '30', ?3, '04', '123401234567', '500', ?4, ?5, '0', '0', "
                       "'0', '4', '0101100', '메모', ?6, ?1, '101530')",
                       -1, &insert, nullptr);
    const QByteArray today = qvx::Clock::today().toUtf8();
    for (int i = 1; i <= Rows; ++i) {
        const QByteArray price = QByteArray::number(1000 + i % 977 * 10);
        const QByteArray name = QStringLiteral("거래처%1").arg(i % 500).toUtf8();
        const QByteArray procNo = QByteArray::number(261209000000LL + i);
        bench::BindText(insert, 1, today);
        sqlite3_bind_int(insert, 2, i);
        bench::BindText(insert, 3, price);
        bench::BindText(insert, 4, name);
        bench::BindText(insert, 5, procNo);
        sqlite3_bind_text(insert, 6, i % 10 == 0 ? "0012" : "0000", 4, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

BenchServer &server()
{
    static BenchServer instance(SeedTransfers);
    return instance;
}

// The screen's statement for the maker's payments of today.
QString InquiryStatement()
{
    ResultFilter f;
    f.userId = QStringLiteral("MAKER");
    f.dateFrom = f.dateTo = qvx::Clock::today();
    ResultInquirySql::Refusal refusal;
    return ResultInquirySql::byFilter(f, &refusal);
}

// The result inquiry's search (the query, its list and the totals), 15
// times, each beside the floor in the same run.
void BM_ResultInquirySearch(benchmark::State &state)
{
    Session session;
    session.LoginUserId = QStringLiteral("MAKER");
    Tdm data(session);
    data.setAppServer(&server().client());
    Tqv_ichesearch_frm screen(ScreenContext{session, data});
    SetChecked(screen.chk_jigub, true);
    bench::SearchBesideFloor(
        state, [&] { screen.btn_searchClick(nullptr); }, screen.grd_ichelist, server().file(), InquiryStatement(), Rows);
    state.counters["total"] = double(screen.Totals().amount(3));
}
BENCHMARK(BM_ResultInquirySearch)->Iterations(bench::Runs(15))->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor alone.
void BM_RawJoinedSelect(benchmark::State &state)
{
    sqlite3 *db = bench::OpenRaw(server().file());
    const QByteArray sql = bench::RawStatement(InquiryStatement());
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = bench::RawSelect(db, sql, Rows);
        if (bytes < 0)
            state.SkipWithError("wrong row count");
    }
    sqlite3_close(db);
    state.counters["text_mb"] = bytes / 1e6;
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_RawJoinedSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

// The screen's statement through the application server and the client's link.
void BM_ServerSelect(benchmark::State &state)
{
    auto &app = server().client();
    const QString sql = InquiryStatement();
    std::vector<double> processCpu, clientCpu;
    for (auto _ : state) {
        const double process = bench::CpuMs(), client = bench::ThreadCpuMs();
        if (app.select(sql).recordCount() != Rows)
            state.SkipWithError("wrong row count");
        processCpu.push_back(bench::CpuMs() - process);
        clientCpu.push_back(bench::ThreadCpuMs() - client);
    }
    // The client's reading on this thread; the rest of the process's time is
    // the server's answer.
    state.counters["client_cpu_ms"] = bench::Median(clientCpu);
    state.counters["server_cpu_ms"] = bench::Median(processCpu) - bench::Median(clientCpu);
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ServerSelect)->Iterations(bench::Runs(7))->Unit(benchmark::kMillisecond)->UseRealTime();


} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
