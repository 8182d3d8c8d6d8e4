// Converting a general transfer file of 100,000 lines with Korean names, in
// each of its three forms, next to the floor: decoding the same bytes from
// CP949 with iconv. Then filling the entry list with the rows.
#include "transfers/ConvertDemo.h"
#include "core/TextUtils.h"
#include "platform/Cp949.h"
#include "platform/TListGrid.h"
#include "transfers/TransferConversion.h"
#include "transfers/screens/DataConvertRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <iconv.h>

namespace {

constexpr int LineCount = 100000;

const TransferPositions Fixed{{1, 2}, {3, 15}, {18, 13}, {51, 20}, {31, 20}};

QByteArray makeFile(DataForm form)
{
    static const char16_t *family[] = {u"김", u"이", u"박", u"최", u"정", u"강", u"조", u"윤", u"장", u"임"};
    static const char16_t *given[] = {u"민준", u"서연", u"도윤", u"하은", u"시우", u"지호", u"수아", u"예준"};
    static const char *banks[][2] = {{"04", "123401234567"}, {"88", "110123456789"}, {"03", "12301234567890"}};
    QString text;
    text.reserve(LineCount * 72);
    for (int i = 0; i < LineCount; ++i) {
        const QString name = QString::fromUtf16(family[i % 10]) + QString::fromUtf16(given[(i / 10) % 8]) +
                             QString::number(i / 80);
        const QString info = QStringLiteral("%1월 급여").arg(1 + i % 12);
        const QString amount = QString::number(10000 + i);
        const auto &bank = banks[i % 3];
        if (form == DataForm::Fixed) {
            text += FixLenSpace(QString::fromLatin1(bank[0]), 2, true) +
                    FixLenSpace(QString::fromLatin1(bank[1]), 15, true) + FixLenSpace(amount, 13, false) +
                    FixLenSpace(name, 20, true) + FixLenSpace(info, 20, true);
        } else {
            text += QStringList{QString::fromLatin1(bank[0]), QString::fromLatin1(bank[1]), amount, info, name}.join(
                DelimiterOf(form));
        }
        text += QStringLiteral("\r\n");
    }
    return qvx::Cp949::encode(text);
}

const QByteArray &fileOf(DataForm form)
{
    static const QByteArray files[3] = {makeFile(DataForm::Fixed), makeFile(DataForm::Comma),
                                        makeFile(DataForm::Semicolon)};
    return files[int(form)];
}

ConvertCounters convert(const ConvertContext &c, DataForm form, QVector<TransferRow> *rows)
{
    TransferConversion conversion(c, form, Fixed);
    ConvertHooks hooks;
    hooks.askDuplicate = [](const QString &, const QString &) { return false; };
    const TransferFileText file = DecodeTransferFile(fileOf(form));
    return conversion.run(file.lines, hooks, rows);
}

// The floor: the file's bytes through iconv, nothing else.
void decodeWithIconv(iconv_t cd, const QByteArray &bytes, QByteArray *out)
{
    char *src = const_cast<char *>(bytes.constData());
    size_t srcLeft = size_t(bytes.size());
    char *dst = out->data();
    size_t dstLeft = size_t(out->size());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    benchmark::DoNotOptimize(dst);
}

void BM_IconvFloor(benchmark::State &state)
{
    const QByteArray &bytes = fileOf(DataForm(state.range(0)));
    QByteArray out(bytes.size() * 2, Qt::Uninitialized);
    iconv_t cd = iconv_open("UTF-8", "CP949");
    for (auto _ : state)
        decodeWithIconv(cd, bytes, &out);
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.SetLabel(QStringLiteral("%1 MB").arg(bytes.size() / 1e6, 0, 'f', 1).toStdString());
}

// The best of a few floor runs, in milliseconds.
double floorMs(const QByteArray &bytes)
{
    QByteArray out(bytes.size() * 2, Qt::Uninitialized);
    iconv_t cd = iconv_open("UTF-8", "CP949");
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        decodeWithIconv(cd, bytes, &out);
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    iconv_close(cd);
    return best;
}

// The conversion core: decoding, cutting, the checks, the mother account,
// the duplicate index and the rows.
void BM_ConvertFile(benchmark::State &state)
{
    const DataForm form = DataForm(state.range(0));
    fileOf(form); // made before the clock runs
    const ConvertContext c = DemoConvertContext();
    ConvertCounters counters;
    double best = 1e9;
    for (auto _ : state) {
        QVector<TransferRow> rows;
        QElapsedTimer t;
        t.start();
        counters = convert(c, form, &rows);
        best = qMin(best, t.nsecsElapsed() / 1e6);
        // The rows go on to the list: letting them go is not the conversion's time.
        state.PauseTiming();
        rows = {};
        state.ResumeTiming();
    }
    if (counters.accepted != LineCount)
        state.SkipWithError("not every line converted");
    state.SetItemsProcessed(state.iterations() * LineCount);
    // The floor of the same bytes in this run, and how many floors the conversion took.
    const double floor = floorMs(fileOf(form));
    state.counters["floor_ms"] = floor;
    state.counters["best_ms"] = best;
    state.counters["x_floor"] = best / floor;
}

// The entry list filled with the rows of one run.
void BM_FillEntryList(benchmark::State &state)
{
    QVector<TransferRow> rows;
    convert(DemoConvertContext(), DataForm::Fixed, &rows);
    for (auto _ : state) {
        TListGrid grid;
        grid.SetColCount(TransferColumnCount);
        grid.SetRowCount(2);
        AppendConvertedRows(&grid, rows);
        benchmark::DoNotOptimize(grid.Cells(tcName, LineCount));
    }
    state.SetItemsProcessed(state.iterations() * LineCount);
}

} // namespace

// 0 fixed-width, 1 ',', 2 ';'.
BENCHMARK(BM_IconvFloor)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillEntryList)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
