#include "liquor/screens/LiquorConvertRun.h"

#include "core/BankSql.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitContainers.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/screens/EntryScreenParts.h"
#include "core/screens/GridRowFill.h"
#include "core/screens/GridRows.h"
#include "core/screens/KitLook.h"
#include "core/screens/TextFileViewer.h"
#include "liquor/LiquorConversion.h"
#include "liquor/LiquorConvertLog.h"
#include "liquor/LiquorLog.h"
#include "liquor/LiquorRules.h"
#include "liquor/screens/CatchIcheEx.h"
#include "liquor/screens/CatchIcheJ.h"
#include "liquor/screens/IcheMakeJuruUnit.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferLog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

#include <iterator>
#include <vector>

namespace {

// btn_dataconvert, the list and btn_excel stay disabled while a run lasts
// and come back, with the cursor, however it ends.
class ConvertingLock
{
public:
    explicit ConvertingLock(Tqv_IcheMakeJuru_frm &s) : m_screen(&s)
    {
        SetButtonEnabled(s.btn_dataconvert, false);
        SetButtonEnabled(s.btn_excel, false);
        s.grd_ichelist->setEnabled(false);
    }
    void waitCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursor = true;
    }
    void release()
    {
        if (m_cursor)
            QApplication::restoreOverrideCursor();
        m_cursor = false;
        if (!m_screen)
            return;
        SetButtonEnabled(m_screen->btn_dataconvert, true);
        SetButtonEnabled(m_screen->btn_excel, true);
        m_screen->grd_ichelist->setEnabled(true);
    }
    ~ConvertingLock() { release(); }
    ConvertingLock(const ConvertingLock &) = delete;
    ConvertingLock &operator=(const ConvertingLock &) = delete;

private:
    QPointer<Tqv_IcheMakeJuru_frm> m_screen;
    bool m_cursor = false;
};

std::function<void(const QString &)> &errorListOpener()
{
    static std::function<void(const QString &)> opener;
    return opener;
}

} // namespace

void SetLiquorErrorListOpener(std::function<void(const QString &path)> opener)
{
    errorListOpener() = std::move(opener);
}

void AppendLiquorRows(TListGrid *grid, const LiquorConvertedRows &rows)
{
    AppendRowsByTextNumber<LiquorConvertedRows, LiquorColumnCount>(grid, rows, lcNo);
}

namespace {

QString listTitle(const Session &session)
{
    return session.PaymentMode == 1 ? QStringLiteral(" ◎ 지급이체 자료 목록") : QStringLiteral(" ◎ 수납이체 자료 목록");
}

// The run's own copy of the bank rows: nothing arriving meanwhile changes them.
LiquorConvertContext readContext(Tqv_IcheMakeJuru_frm &screen, std::optional<MotherAccount> chosen, bool sheet)
{
    LiquorConvertContext context;
    context.session = &screen.session;
    const qvx::ResultSet banks = screen.dm.cms_select1(BankSql::motherAccounts({.passwords = true}));
    for (int i = 0; i < banks.recordCount(); ++i)
        context.banks.append(MotherAccount::FromRow(banks, i));
    context.chosen = std::move(chosen);
    context.sheet = sheet;
    context.today = qvx::Clock::today(); // the server's day, as in the general conversion
    return context;
}

// The lines of a file or sheet into the list, with the screen's counters,
// gauge, questions, log lines and error list.
void convertLines(Tqv_IcheMakeJuru_frm &screen, ConvertingLock &lock, const LiquorLineSource &lines,
                  const LiquorConvertContext &context)
{
    qvx::Prompt &prompt = qvx::Prompt::instance();
    Session &session = screen.session;
    lock.waitCursor();
    SetFigure(screen.curredt_tgun, lines.count());
    SetFigure(screen.curredt_errgun, 0);
    SetFigure(screen.curredt_gun, 0);

    LiquorConversion conversion(context);
    // The rows already listed take part in the duplicate test (only the
    // columns it reads are read), and the totals go on from them while the
    // run lasts.
    const TListGrid *list = screen.grd_ichelist;
    const int rowsBefore = DataRowCount(list);
    qint64 moneyBefore = 0;
    for (int r = 1; r <= rowsBefore; ++r) {
        const QString money = list->Cells(lcMoney, r);
        conversion.addExistingRow(list->Cells(lcName, r), money, list->Cells(lcInfo, r));
        moneyBefore += LiquorRow::amountOf(money);
    }

    QElapsedTimer painted;
    painted.start();
    LiquorConvertHooks hooks;
    // The log is written out before a question, so that what the user sees
    // is logged by then.
    LiquorConvertLog runLog(session);
    runLog.attach(hooks);
    hooks.message = [&prompt, &runLog](const QString &text) {
        runLog.flush();
        prompt.message(text);
    };
    hooks.askDuplicate = [&prompt, &runLog](const QString &name, const QString &money) {
        runLog.flush();
        return prompt.confirm(DuplicateQuestion(name, money), QStringLiteral("확인"));
    };
    hooks.progress = [&](const LiquorConvertCounters &c) {
        if (c.position == 0) {
            screen.ShowGauge(qMax(1, c.passed));
        } else if (c.position < c.passed - 1 && painted.elapsed() < 40) {
            return;
        }
        SetFigure(screen.curredt_errgun, c.errors);
        SetFigure(screen.curredt_gun, c.processed);
        SetFigure(screen.curredt_gunR, rowsBefore + c.accepted);
        SetFigure(screen.curredt_MoneyR, moneyBefore + c.money);
        screen.Gauge1->setValue(c.position);
        painted.restart();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    LiquorConvertedRows rows;
    const LiquorConvertCounters counters = conversion.run(lines, hooks, &rows);
    runLog.flush();
    AppendLiquorRows(screen.grd_ichelist, rows);
    screen.UpdateTotals();
    SetFigure(screen.curredt_errgun, counters.errors);
    SetFigure(screen.curredt_gun, counters.processed);
    screen.Gauge1->setValue(screen.Gauge1->maximum());
    lock.release();

    if (!conversion.errorList().isEmpty()) {
        QString error;
        const QString path = SaveLiquorErrorList(DayLogFolder(), conversion.errorList(), &error);
        if (path.isEmpty())
            prompt.message(QStringLiteral("오류 목록을 저장할 수 없습니다.\r\r") + error);
        else if (errorListOpener())
            errorListOpener()(path);
        else
            // The list is CP949, as it is written; the desktop's own viewer
            // would not read it as such.
            ShowTextFile(path, &screen);
    }
    prompt.message(QStringLiteral("자료변환 처리가 완료 되었습니다."));
    screen.HideGaugeSoon();
}

} // namespace

void RunLiquorTextConvert(Tqv_IcheMakeJuru_frm &screen)
{
    ConvertingLock lock(screen);
    Session &session = screen.session;
    TFrmCatchJ dialog({session, screen.dm}, &screen);
    dialog.SetTitle(listTitle(session));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString fileName = dialog.GetSourceFileName();
    TransferFileText content;
    if (QString refusal; !ReadTransferFile(fileName, &content, &refusal)) {
        WriteLog(session, TransferFileRefusedLogLine(fileName, refusal));
        qvx::Prompt::instance().message(refusal);
        return;
    }
    WriteLog(session, QStringLiteral("자료변환 파일 선택 : ") + fileName);

    const LiquorConvertContext context = readContext(screen, dialog.chosenMother(), false);
    const LiquorLineCutter cutter(dialog.dataForm(), dialog.liquorLayout(), LiquorGubun(session.PaymentMode));
    for (int f = 0; f < LiquorFieldCount; ++f)
        session.ConvLayout[LiquorConvPair(LiquorField(f))] = cutter.layout()[f];
    convertLines(screen, lock, LiquorTextLines(content.lines, cutter), context);
}

void RunLiquorExcelConvert(Tqv_IcheMakeJuru_frm &screen)
{
    ConvertingLock lock(screen);
    TFrmCatchEx dialog({screen.session, screen.dm}, &screen);
    dialog.SetTitle(listTitle(screen.session));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // The dialog's rows are copied before the run: the run owns what it walks.
    const LiquorSheetLines lines(dialog.DataRows());
    const LiquorConvertContext context = readContext(screen, dialog.chosenMother(), true);
    convertLines(screen, lock, lines, context);
}

void registerLiquorConvert()
{
    Tqv_IcheMakeJuru_frm::SetTextConversionRunner([](Tqv_IcheMakeJuru_frm &screen) { RunLiquorTextConvert(screen); });
    Tqv_IcheMakeJuru_frm::SetExcelConversionRunner([](Tqv_IcheMakeJuru_frm &screen) { RunLiquorExcelConvert(screen); });
}
