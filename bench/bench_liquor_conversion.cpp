// Converting liquor transfers: a file of 100,000 lines with Korean names
// (fixed width and ','), filling the entry list with its rows, next to its
// floors in the same run (decoding the same bytes from CP949 with iconv, and
// cutting them into lines); and a sheet of 100,000 rows (.xlsx), next to its
// floor (reading the sheet's cells, nothing converted). A third of the lines
// are paid from a mother account of bank 20, whose check code depends on the
// date.
//
// Two files of each form: one whose every line is accepted, and a realistic
// one whose lines are refused three in ten, of every kind a file can hold
// (a token too long, a bank code that is no number, a resident number, a bad
// account, a bad amount, the other kind of transfer, a bank without a mother
// account, the same name and amount again, declined), each refusal written
// to the day's log as the screen writes it.
//
// A long file's lines are checked and the list's columns filled on a few
// threads: the times are wall times, the CPU column counts every thread.
#include "bench/BenchOnce.h"
#include "core/Session.h"
#include "liquor/LiquorConvertLog.h"
#include "platform/ProgramDir.h"
#include "core/TextUtils.h"
#include "liquor/LiquorConversion.h"
#include "platform/Cp949.h"
#include "platform/Spreadsheet.h"
#include "platform/TListGrid.h"
#include "liquor/screens/LiquorConvertRun.h"
#include "transfers/TransferFileParser.h"
#include "bench/SplitLines.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstring>
#include <vector>

namespace {

constexpr int LineCount = 100000;

struct Line
{
    QString bank, account, liquor, nonLiquor, money, info, name;
    QString kind = QStringLiteral("30"), realName = QStringLiteral("1234567890");
};

enum class FileKind { Accepted, Realistic };

Line lineOf(int i)
{
    static const char16_t *family[] = {u"김", u"이", u"박", u"최", u"정", u"강", u"조", u"윤", u"장", u"임"};
    static const char *banks[][2] = {{"21", "56012345678"}, {"88", "110123456789"}, {"20", "1002123456789"}};
    const auto &bank = banks[i % 3];
    const qint64 liquor = 10000 + i;
    return {QString::fromLatin1(bank[0]), QString::fromLatin1(bank[1]), QString::number(liquor),
            QString::number(i % 500), QString::number(liquor + i % 500),
            QStringLiteral("%1월분").arg(1 + i % 12),
            QString::fromUtf16(family[i % 10]) + QStringLiteral("주류") + QString::number(i)};
}

// Of every hundred lines, 70 good ones and 30 refused of every kind.
Line realisticLineOf(int i)
{
    Line l = lineOf(i);
    switch (i % 100) {
    case 70: case 71: case 72: case 73: l.name = QStringLiteral("아주아주긴거래처명"); break; // ',': too long
    case 74: case 75: case 76: case 77: l.bank = QStringLiteral("x1"); break;
    case 78: case 79: case 80: case 81:
        l.bank = QStringLiteral("21");
        l.account = QStringLiteral("56012345678");
        l.realName = QStringLiteral("8001011234567");
        break;
    case 82: case 83: case 84: case 85: l.account = QStringLiteral("123"); break;
    case 86: case 87: case 88: case 89: l.money = QStringLiteral("12345678901234"); break;
    case 90: case 91: case 92: l.kind = QStringLiteral("20"); break;
    case 93: case 94: case 95: case 96:
        l.bank = QStringLiteral("03");
        l.account = QStringLiteral("12345678901234");
        break;
    case 97: case 98: case 99: l = lineOf(i - 30); break; // the same name and amount again
    default: break;
    }
    return l;
}

QByteArray makeFile(DataForm form, FileKind kind)
{
    QString text;
    text.reserve(LineCount * 120);
    for (int i = 0; i < LineCount; ++i) {
        const Line l = kind == FileKind::Accepted ? lineOf(i) : realisticLineOf(i);
        if (form == DataForm::Fixed)
            text += FixLenSpace(l.bank, 2, true) + FixLenSpace(l.account, 15, true) + FixLenSpace(l.liquor, 13, true) +
                    FixLenSpace(l.nonLiquor, 13, true) + FixLenSpace(l.money, 13, true) +
                    FixLenSpace(l.info, 31, true) + FixLenSpace(l.name, 14, true) + l.kind + l.realName;
        else
            text += QStringList{l.bank, l.account, l.liquor, l.nonLiquor, l.money, l.info, l.name, l.kind, l.realName}
                        .join(DelimiterOf(form));
        text += QStringLiteral("\r\n");
    }
    return qvx::Cp949::encode(text);
}

const QByteArray &fileOf(DataForm form, FileKind kind)
{
    static QByteArray files[2][2];
    QByteArray &file = files[int(form)][int(kind)];
    if (file.isEmpty())
        file = makeFile(form, kind);
    return file;
}

// The program folder of the day's log the realistic runs write.
QTemporaryDir &home()
{
    static QTemporaryDir dir;
    return dir;
}

const QString &sheetFile()
{
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString name = dir.filePath(QStringLiteral("liquor.xlsx"));
        qvx::Spreadsheet::Rows rows;
        rows.reserve(LineCount + 1);
        rows.append(LiquorSheetHeaders());
        for (int i = 0; i < LineCount; ++i) {
            const Line l = lineOf(i);
            rows.append({QString::number(i + 1), l.bank, QString(), l.account, l.liquor, l.nonLiquor, l.money, l.info,
                         l.name, QStringLiteral("30"), QStringLiteral("1234567890")});
        }
        qvx::Spreadsheet::write(name, rows);
        return name;
    }();
    return file;
}

struct Setup
{
    Session session;
    LiquorConvertContext context;
    Setup()
    {
        session.PaymentMode = 1;
        session.NetworkId = QStringLiteral("QVX0000001");
        session.LoginUserId = QStringLiteral("JURU");
        MotherAccount a;
        a.bankid = QStringLiteral("21");
        a.mobankno = QStringLiteral("56011122233");
        a.bankname = QStringLiteral("조흥은행");
        MotherAccount b;
        b.bankid = QStringLiteral("20");
        b.mobankno = QStringLiteral("1005123456789");
        b.bankname = QStringLiteral("우리은행");
        context.session = &session;
        context.banks = {a, b};
        context.today = QStringLiteral("20260101");
    }
};

struct Timing
{
    double convertMs = 0, fillMs = 0;
    LiquorConvertCounters counters;
};

// The run with the screen's day log (duplicates declined), then its rows
// into an entry list of the screen's columns.
Timing convert(const LiquorLineSource &lines, QElapsedTimer &t)
{
    static const Setup setup;
    Timing out;
    TListGrid grid;
    grid.SetColCount(LiquorColumnCount);
    grid.SetRowCount(2);
    LiquorConversion conversion(setup.context);
    LiquorConvertedRows rows;
    LiquorConvertHooks hooks;
    LiquorConvertLog runLog(setup.session);
    runLog.attach(hooks);
    hooks.askDuplicate = [](const QString &, const QString &) { return false; };
    const LiquorConvertCounters counters = conversion.run(lines, hooks, &rows);
    runLog.flush();
    out.counters = counters;
    out.convertMs = t.nsecsElapsed() / 1e6;
    t.start();
    AppendLiquorRows(&grid, rows);
    out.fillMs = t.nsecsElapsed() / 1e6;
    benchmark::DoNotOptimize(grid.Cells(lcName, 1));
    return out;
}

double bestOf(const std::function<void()> &work, int times)
{
    double best = 1e9;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

double iconvFloorMs(const QByteArray &bytes)
{
    QByteArray out(bytes.size() * 2, Qt::Uninitialized);
    iconv_t cd = iconv_open("UTF-8", "CP949");
    const double best = bestOf(
        [&] {
            char *src = const_cast<char *>(bytes.constData());
            size_t srcLeft = size_t(bytes.size());
            char *dst = out.data();
            size_t dstLeft = size_t(out.size());
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            iconv(cd, &src, &srcLeft, &dst, &dstLeft);
            benchmark::DoNotOptimize(dst);
        },
        5);
    iconv_close(cd);
    return best;
}

// The bytes cut into their lines, nothing else.
double splitFloorMs(const QByteArray &bytes)
{
    return bestOf([&] { bench::SplitLines(bytes, size_t(LineCount)); }, 5);
}

// The text conversion core: decoding, cutting, the checks, the mother
// account, the duplicate index and the rows.
void BM_LiquorTextFile(benchmark::State &state)
{
    const DataForm form = DataForm(state.range(0));
    const FileKind kind = FileKind(state.range(1));
    const QByteArray &bytes = fileOf(form, kind);
    qvx::ProgramDir::setOverride(home().path());
    LiquorConvertCounters counters;
    double best = 1e9, bestDecode = 1e9, bestConvert = 1e9, bestFill = 1e9;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const TransferFileText file = DecodeTransferFile(bytes);
        const double decoded = t.nsecsElapsed() / 1e6;
        t.start();
        const LiquorLineCutter cutter(form, LiquorDelimitedLayout(), QStringLiteral("30"));
        const Timing timing = convert(LiquorTextLines(file.lines, cutter), t);
        counters = timing.counters;
        best = qMin(best, decoded + timing.convertMs + timing.fillMs);
        bestDecode = qMin(bestDecode, decoded);
        bestConvert = qMin(bestConvert, timing.convertMs);
        bestFill = qMin(bestFill, timing.fillMs);
    }
    qvx::ProgramDir::setOverride(QString());
    // A line without a mother account is refused yet counts as processed, as
    // the screen reports it; every line is either processed or an error.
    if (counters.processed + counters.errors != LineCount ||
        (kind == FileKind::Accepted && counters.accepted != LineCount))
        state.SkipWithError("lines lost or refused");
    state.counters["refused"] = counters.errors;
    state.counters["no_mother"] = counters.processed - counters.accepted;
    const double floor = iconvFloorMs(bytes);
    const double split = splitFloorMs(bytes);
    state.counters["iconv_ms"] = floor;
    state.counters["split_ms"] = split;
    state.counters["decode_ms"] = bestDecode;
    state.counters["convert_ms"] = bestConvert;
    state.counters["fill_ms"] = bestFill;
    state.counters["best_ms"] = best;
    state.counters["x_iconv"] = best / floor;
    state.counters["x_split"] = best / split;
}

// The sheet: reading the workbook, its data rows, the same conversion.
void BM_LiquorSheet(benchmark::State &state)
{
    const QString &file = sheetFile();
    int accepted = 0;
    double best = 1e9;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        qvx::SheetCells cells;
        qvx::Spreadsheet::read(file, &cells);
        const double read = t.nsecsElapsed() / 1e6;
        t.start();
        const Timing timing = convert(LiquorSheetLines(LiquorSheetRows(cells)), t);
        accepted = timing.counters.accepted;
        best = qMin(best, read + timing.convertMs + timing.fillMs);
    }
    if (accepted != LineCount)
        state.SkipWithError("not every row converted");
    const double floor = bestOf(
        [&] {
            qvx::SheetCells cells;
            qvx::Spreadsheet::read(file, &cells);
            benchmark::DoNotOptimize(cells.cellCount());
        },
        3);
    state.counters["floor_ms"] = floor;
    state.counters["best_ms"] = best;
    state.counters["x_floor"] = best / floor;
}

} // namespace

// Form 0 fixed-width, 1 ','; file 0 accepted, 1 realistic; the best of seven runs.
BENCHMARK(BM_LiquorTextFile)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(bench::Runs(7))
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiquorSheet)->Unit(benchmark::kMillisecond)->Iterations(bench::Runs(3))->MeasureProcessCPUTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
