// Converting a general transfer file of 100,000 lines with Korean names, in
// each of its three forms, and filling the entry list with its rows, next to
// two floors measured in the same run on the same bytes: decoding them from
// CP949 with iconv, and reading the file and splitting it into lines.
//
// Two files: one whose every line is accepted (a mother account without a
// check-code rule), and a realistic one: about 30 % of its lines refused, of
// every kind a file can hold, each refused line written to the day's log,
// and mother accounts of banks 20 and 03, whose check codes depend on the
// date.
//
// A long file's lines are checked on a few threads: x_iconv is wall time
// against iconv's, x_iconv_cpu the CPU time of every thread against it.
#include "bench/BenchOnce.h"
#include "transfers/ConvertDemo.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"
#include "platform/TListGrid.h"
#include "transfers/TransferConversion.h"
#include "transfers/ConvertRunLog.h"
#include "transfers/PaintPace.h"
#include "transfers/screens/DataConvertRun.h"
#include "bench/SplitLines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int LineCount = 100000;
constexpr int Runs = 15;

enum class FileKind { Accepted, Realistic };

const TransferPositions Fixed{{1, 2}, {3, 15}, {18, 13}, {51, 20}, {31, 20}};

struct LineFields
{
    QString bank, account, amount, info, name;
};

QString nameOf(int i)
{
    static const char16_t *family[] = {u"김", u"이", u"박", u"최", u"정", u"강", u"조", u"윤", u"장", u"임"};
    static const char16_t *given[] = {u"민준", u"서연", u"도윤", u"하은", u"시우", u"지호", u"수아", u"예준"};
    return QString::fromUtf16(family[i % 10]) + QString::fromUtf16(given[(i / 10) % 8]) + QString::number(i / 80);
}

LineFields acceptedLine(int i)
{
    static const char *banks[][2] = {{"04", "123401234567"}, {"88", "110123456789"}, {"03", "12301234567890"}};
    const auto &bank = banks[i % 3];
    return {QString::fromLatin1(bank[0]), QString::fromLatin1(bank[1]), QString::number(10000 + i),
            QStringLiteral("%1월 급여").arg(1 + i % 12), nameOf(i)};
}

// A line of the realistic file: of every hundred, 70 are good payments to
// banks 20 and 03 (paid from the mother account of the same bank), and 30
// are refused: a token too long or too many, bytes that are no CP949, an
// unknown bank, a bad account, a bad amount, a bank without a mother account,
// and the same payee and amount again.
LineFields realisticLine(int i, DataForm form, bool *badBytes)
{
    const int slot = i % 100;
    *badBytes = false;
    LineFields f;
    const bool bank20 = i % 2 == 0;
    f.bank = bank20 ? QStringLiteral("20") : QStringLiteral("03");
    f.account = (bank20 ? QStringLiteral("1002%1") : QStringLiteral("12301%1")).arg(i % 1000000000, 9, 10, QLatin1Char('0'));
    f.amount = QString::number(10000 + i);
    f.info = QStringLiteral("%1월 급여").arg(1 + i % 12);
    f.name = nameOf(i);
    if (slot < 4) {
        if (form == DataForm::Comma)
            f.amount = QStringLiteral("1,%1").arg(100 + slot);
        else if (form == DataForm::Semicolon)
            f.name = QStringLiteral("주식회사 한빛상사 서울지점 %1").arg(i);
        else
            f.amount = QStringLiteral("12O%1").arg(slot);
    } else if (slot < 8) {
        *badBytes = true;
    } else if (slot < 12) {
        f.bank = QStringLiteral("99");
    } else if (slot < 17) {
        f.account = QStringLiteral("1234%1").arg(slot);
    } else if (slot < 22) {
        // Fourteen digits do not fit a fixed-width line's amount field.
        static const char *amounts[] = {"0", "-500", "12345678901234", "", "1.5"};
        f.amount = form == DataForm::Fixed && slot == 19 ? QStringLiteral("12 345")
                                                         : QString::fromLatin1(amounts[slot - 17]);
    } else if (slot < 26) {
        f.bank = QStringLiteral("88");
        f.account = QStringLiteral("110%1").arg(i % 1000000000, 9, 10, QLatin1Char('0'));
    } else if (slot >= 50 && slot < 54) {
        f = realisticLine(i - (slot - 49), form, badBytes);
    }
    return f;
}

QByteArray lineBytes(const LineFields &f, DataForm form, bool badBytes)
{
    QString text;
    if (form == DataForm::Fixed)
        text = FixLenSpace(f.bank, 2, true) + FixLenSpace(f.account, 15, true) + FixLenSpace(f.amount, 13, false) +
               FixLenSpace(f.name, 20, true) + FixLenSpace(f.info, 20, true);
    else
        text = QStringList{f.bank, f.account, f.amount, f.info, f.name}.join(DelimiterOf(form));
    QByteArray bytes = qvx::Cp949::encode(text);
    if (badBytes)
        bytes[bytes.size() - 1] = '\x80'; // no character starts with it
    return bytes + "\r\n";
}

QByteArray makeFile(FileKind kind, DataForm form)
{
    QByteArray bytes;
    bytes.reserve(LineCount * 80);
    for (int i = 0; i < LineCount; ++i) {
        bool bad = false;
        const LineFields f = kind == FileKind::Accepted ? acceptedLine(i) : realisticLine(i, form, &bad);
        bytes += lineBytes(f, form, bad);
    }
    return bytes;
}

// The mother accounts of the realistic file: 우리은행 (20) and 기업은행 (03),
// no account chosen, so each line is paid from the account of its own bank.
ConvertContext RealisticContext()
{
    ConvertContext c = DemoConvertContext();
    c.banks = {
        {.bankid = QStringLiteral("03"), .mobankno = QStringLiteral("12301234567890"), .bankname = QStringLiteral("기업은행"),
         .firmid = QStringLiteral("HB0301"), .sendname = QStringLiteral("한빛상사"), .tr_gubuncode = QStringLiteral("20"),
         .recvid = QStringLiteral("IBK0300"), .passwd = QStringLiteral("1234"), .dblpasswd = QStringLiteral("123456")},
        {.bankid = QStringLiteral("20"), .mobankno = QStringLiteral("1005123456789"), .bankname = QStringLiteral("우리은행"),
         .firmid = QStringLiteral("HB2001"), .sendname = QStringLiteral("한빛상사"), .tr_gubuncode = QStringLiteral("20"),
         .recvid = QStringLiteral("WRB2000"), .passwd = QStringLiteral("3456"), .dblpasswd = QStringLiteral("345678")},
    };
    c.bankNames.insert(QStringLiteral("20"), QStringLiteral("우리은행"));
    c.chosen.reset();
    return c;
}

QTemporaryDir &home()
{
    static QTemporaryDir dir;
    return dir;
}

struct Case
{
    QString file;
    QByteArray bytes;
};

const Case &caseOf(FileKind kind, DataForm form)
{
    static Case cases[2][3];
    Case &c = cases[int(kind)][int(form)];
    if (c.file.isEmpty()) {
        c.bytes = makeFile(kind, form);
        c.file = home().filePath(QStringLiteral("transfer%1%2.txt").arg(int(kind)).arg(int(form)));
        QFile out(c.file);
        if (!out.open(QIODevice::WriteOnly) || out.write(c.bytes) != c.bytes.size()) {
            std::fputs("bench: cannot write the transfer file\n", stderr);
            std::exit(1);
        }
    }
    return c;
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The run as the entry screen makes it, without painting: the file read (its
// lines counted first) and decoded, its lines converted with every refused line and every duplicate
// written to the day's log, the duplicate question answered "no". The rows
// read the file's text, which *file keeps.
ConvertCounters convert(const ConvertContext &c, DataForm form, const QString &fileName, const Session &session,
                        TransferFileText *file, ConvertedRows *rows)
{
    QString refusal;
    if (!ReadTransferFile(fileName, file, &refusal))
        qFatal("%s", qPrintable(refusal));
    TransferConversion conversion(c, form, Fixed);
    ConvertHooks hooks;
    ConvertRunLog runLog(session, c.kind());
    runLog.attach(hooks);
    hooks.askDuplicate = [](const QString &, const QString &) { return false; };
    PaintPace pace;
    int paints = 0;
    // As the screen paints: the first and last line of each pass always.
    hooks.progress = [&](const ConvertCounters &counters) {
        const bool must = counters.phase == ConvertCounters::Checking
                              ? counters.checked == 0 || counters.checked == counters.total
                              : counters.position == 0 || counters.position == counters.passed;
        if (pace.due(must))
            ++paints;
    };
    const ConvertCounters counters = conversion.run(file->lines, hooks, rows);
    runLog.flush();
    benchmark::DoNotOptimize(paints);
    return counters;
}

// The first floor: the file's bytes through iconv, nothing else (a byte that
// starts no character is passed over, as the decoding of a file does).
void decodeWithIconv(iconv_t cd, const QByteArray &bytes, QByteArray *out)
{
    char *src = const_cast<char *>(bytes.constData());
    size_t srcLeft = size_t(bytes.size());
    char *dst = out->data();
    size_t dstLeft = size_t(out->size());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (srcLeft > 0 && iconv(cd, &src, &srcLeft, &dst, &dstLeft) == size_t(-1) && errno == EILSEQ) {
        ++src;
        --srcLeft;
    }
    benchmark::DoNotOptimize(dst);
}

// The second floor: the file read and cut into its lines, nothing else.
qsizetype readAndSplit(const QString &fileName)
{
    return bench::SplitLines(readFile(fileName), size_t(LineCount));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// CPU time of the whole process, the conversion's helper threads included:
// on shared cores the work done, apart from waiting for a core.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// One case: Runs times, each the two floors, then the conversion, then the
// entry list filled with its rows; medians of each, and how many floors the
// conversion with the fill took.
void BM_Convert(benchmark::State &state)
{
    const FileKind kind = FileKind(state.range(0));
    const DataForm form = DataForm(state.range(1));
    const Case &file = caseOf(kind, form);
    const ConvertContext c = kind == FileKind::Accepted ? DemoConvertContext() : RealisticContext();
    qvx::ProgramDir::setOverride(home().path());
    Session session;
    session.LoginUserId = c.userId;
    QByteArray decoded(file.bytes.size() * 2, Qt::Uninitialized);
    iconv_t cd = iconv_open("UTF-8", "CP949");
    std::vector<double> iconvMs, splitMs, convertMs, fillMs, totalMs, iconvCpuMs, totalCpuMs;
    ConvertCounters counters;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        double cpu = cpuMs();
        decodeWithIconv(cd, file.bytes, &decoded);
        iconvMs.push_back(msSince(t));
        iconvCpuMs.push_back(cpuMs() - cpu);
        t.start();
        const qsizetype lines = readAndSplit(file.file);
        splitMs.push_back(msSince(t));
        if (lines != LineCount)
            state.SkipWithError("the split found another line count");

        TransferFileText text;
        ConvertedRows rows;
        TListGrid grid;
        grid.SetColCount(TransferColumnCount);
        grid.SetRowCount(2);
        t.start();
        cpu = cpuMs();
        counters = convert(c, form, file.file, session, &text, &rows);
        const double converted = msSince(t);
        t.start();
        AppendConvertedRows(&grid, rows);
        // Let go within the timed part, as the entry screen does when the run ends.
        rows = ConvertedRows();
        text = TransferFileText();
        const double filled = msSince(t);
        totalCpuMs.push_back(cpuMs() - cpu);
        benchmark::DoNotOptimize(grid.Cells(tcName, 1));
        convertMs.push_back(converted);
        fillMs.push_back(filled);
        totalMs.push_back(converted + filled);
        state.SetIterationTime((converted + filled) / 1000);
        // The log grows by the refused lines of each run; a fresh one each time.
        QFile::remove(DayLogFileName());
    }
    iconv_close(cd);
    qvx::ProgramDir::setOverride(QString());
    if (counters.total != LineCount || (kind == FileKind::Accepted && counters.accepted != LineCount))
        state.SkipWithError("not every line converted");
    const double floor = median(iconvMs), split = median(splitMs), total = median(totalMs);
    state.counters["refused"] = counters.errors;
    state.counters["iconv_ms"] = floor;
    state.counters["split_ms"] = split;
    state.counters["convert_ms"] = median(convertMs);
    state.counters["fill_ms"] = median(fillMs);
    state.counters["total_ms"] = total;
    state.counters["x_iconv"] = total / floor;
    state.counters["x_split"] = total / split;
    state.counters["total_cpu_ms"] = median(totalCpuMs);
    state.counters["iconv_cpu_ms"] = median(iconvCpuMs);
    state.counters["x_iconv_cpu"] = median(totalCpuMs) / median(iconvCpuMs);
    state.SetLabel(QStringLiteral("%1, %2").arg(kind == FileKind::Accepted ? QStringLiteral("all accepted")
                                                                           : QStringLiteral("realistic"),
                                                 form == DataForm::Fixed   ? QStringLiteral("fixed")
                                                 : form == DataForm::Comma ? QStringLiteral("','")
                                                                           : QStringLiteral("';'"))
                       .toStdString());
}

} // namespace

// (file: 0 all accepted, 1 realistic) x (form: 0 fixed-width, 1 ',', 2 ';').
BENCHMARK(BM_Convert)
    ->ArgsProduct({{1, 0}, {0, 1, 2}})
    ->Iterations(bench::Runs(Runs))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
