#include "transfers/screens/DataConvertRun.h"

#include "core/BankSql.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/EntryScreenParts.h"
#include "core/screens/GridRowFill.h"
#include "core/screens/KitLook.h"
#include "core/screens/FormParts.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitContainers.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "transfers/ConvertRunLog.h"
#include "transfers/PaintPace.h"
#include "transfers/TransferConversion.h"
#include "transfers/TransferLog.h"
#include "transfers/conversion/CatchIcheG.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "transfers/screens/TransferGrid.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>

#include <algorithm>

namespace {

// The entry screen's controls stay disabled while a run lasts (no second
// run, no edits of the list meanwhile) and get their state back after it.
class ConvertingLock
{
public:
    explicit ConvertingLock(Tqv_IcheMake_frm &s)
    {
        const QList<QWidget *> controls = {
            s.cmb_allbank, s.curredt_money, s.edt_resident, s.cmb_daesang, s.edt_sendname, s.cmb_transbankid,
            s.edt_bankno, s.edt_daesanginfo, s.KitButton1, s.grd_ichelist, s.btn_print, s.btn_callfile,
            s.btn_tempsave, s.btn_dataconvert, s.btn_modify, s.btn_delete, s.btn_deleteTot, s.btn_accept,
            s.btn_close};
        for (QWidget *w : controls) {
            m_saved.append({QPointer<QWidget>(w), w->isEnabled()});
            if (auto *b = qobject_cast<TDDButton *>(w))
                SetButtonEnabled(b, false);
            else if (auto *c = qobject_cast<TKitComboBox *>(w))
                c->SetEnabled(false);
            else
                w->setEnabled(false);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~ConvertingLock()
    {
        QApplication::restoreOverrideCursor();
        for (const auto &[w, enabled] : m_saved) {
            if (!w)
                continue;
            if (auto *b = qobject_cast<TDDButton *>(w.data()))
                SetButtonEnabled(b, enabled);
            else if (auto *c = qobject_cast<TKitComboBox *>(w.data()))
                c->SetEnabled(enabled);
            else
                w->setEnabled(enabled);
        }
    }
    ConvertingLock(const ConvertingLock &) = delete;
    ConvertingLock &operator=(const ConvertingLock &) = delete;

private:
    QList<std::pair<QPointer<QWidget>, bool>> m_saved;
};

ConvertContext readContext(Tqv_IcheMake_frm &screen, const TFrmCatchG &dialog)
{
    ConvertContext c;
    Tdm &dm = screen.dm;
    const qvx::ResultSet banks = dm.cms_select1(BankSql::motherAccounts({.passwords = true}));
    for (int i = 0; i < banks.recordCount(); ++i)
        c.banks.append(MotherAccount::FromRow(banks, i));
    const qvx::ResultSet names = dm.cms_select2(BankSql::bankCodes());
    for (int i = 0; i < names.recordCount(); ++i) {
        const QString id = names.value(i, QStringLiteral("bankid")).trimmed();
        if (!c.bankNames.contains(id))
            c.bankNames.insert(id, names.value(i, QStringLiteral("bankname")));
    }
    c.chosen = dialog.chosenMother();
    c.transDiv = screen.cmb_transdiv->Text();
    const Session &session = screen.session;
    c.networkId = session.NetworkId;
    c.userId = session.LoginUserId;
    c.sendFlagInit = session.SendFlagInit;
    c.checkInfo = session.IcheCheckFlag != 0;
    return c;
}

bool &converting()
{
    static bool running = false;
    return running;
}

} // namespace

void AppendConvertedRows(TListGrid *grid, const ConvertedRows &rows)
{
    AppendRowsByTextNumber<ConvertedRows, TransferColumnCount>(grid, rows, tcNo);
}

void RunDataConvert(Tqv_IcheMake_frm &screen)
{
    if (converting())
        return;
    converting() = true;
    struct Done
    {
        ~Done() { converting() = false; }
    } done;
    qvx::Prompt &prompt = qvx::Prompt::instance();

    TFrmCatchG dialog({screen.session, screen.dm}, &screen);
    Session &session = screen.session;
    dialog.SetTitle(session.PaymentMode == 1 ? QStringLiteral(" ◎ 지급이체 자료 목록") : QStringLiteral(" ◎ 수납이체 자료 목록"));
    if (dialog.exec() != QDialog::Accepted)
        return;

    const QString fileName = dialog.GetSourceFileName();
    TransferFileText content;
    if (QString refusal; !ReadTransferFile(fileName, &content, &refusal)) {
        WriteLog(session, TransferFileRefusedLogLine(fileName, refusal));
        prompt.message(refusal);
        return;
    }
    const QList<QStringView> &lines = content.lines;
    WriteLog(session, QStringLiteral("자료변환 파일 선택 : ") + fileName);

    const ConvertContext context = readContext(screen, dialog);
    if (context.bankNames.isEmpty()) {
        prompt.message(QStringLiteral("은행기본정보가 존재하지 않습니다."));
        return;
    }

    ConvertingLock lock(screen);
    SetFigure(screen.curredt_tgun, lines.size());
    SetFigure(screen.curredt_errgun, 0);
    SetFigure(screen.curredt_gun, 0);
    screen.lbl_message->clear();

    TransferConversion conversion(context, dialog.dataForm(), dialog.positions());
    const TransferPositions &at = conversion.positions();
    session.ConvLayout[cvBankId] = at.bankId;
    session.ConvLayout[cvBankNo] = at.bankNo;
    session.ConvLayout[cvMoney] = at.money;
    session.ConvLayout[cvCInfo] = at.cInfo;
    session.ConvLayout[cvSName] = at.sName;
    for (const TransferRow &r : TransferRows(screen.grd_ichelist))
        conversion.addExistingRow(r.name, r.money, r.info);

    const QString kind = session.PaymentMode == 1 ? QStringLiteral("30") : QStringLiteral("20");
    PaintPace pace;
    ConvertHooks hooks;
    ConvertRunLog runLog(session, kind);
    runLog.attach(hooks);
    // The counters as the gauge shows them; the last ones reported are
    // painted before a question, however recently the gauge was painted.
    ConvertCounters shown;
    auto paint = [&](const ConvertCounters &c) {
        const bool checking = c.phase == ConvertCounters::Checking;
        // The gauge runs over the file's lines while they are checked, then
        // over the lines that passed.
        if (checking ? c.checked == 0 : c.position == 0) {
            screen.ShowGauge(qMax(1, checking ? c.total : c.passed));
        }
        SetFigure(screen.curredt_errgun, c.errors);
        if (!checking)
            SetFigure(screen.curredt_gun, c.processed);
        screen.Gauge1->setValue(checking ? c.checked : c.position);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    hooks.askDuplicate = [&](const QString &name, const QString &money) {
        paint(shown);
        return prompt.confirm(DuplicateQuestion(name, money), QStringLiteral("확인"));
    };
    hooks.progress = [&](const ConvertCounters &c) {
        shown = c;
        const bool checking = c.phase == ConvertCounters::Checking;
        if (pace.due(checking ? c.checked == 0 || c.checked == c.total : c.position == 0 || c.position == c.passed))
            paint(c);
    };
    ConvertedRows rows;
    const ConvertCounters counters = conversion.run(lines, hooks, &rows);
    runLog.flush();
    SetFigure(screen.curredt_errgun, counters.errors);
    SetFigure(screen.curredt_gun, counters.processed);

    AppendConvertedRows(screen.grd_ichelist, rows);
    screen.UpdateTotals();
    WriteLog(session, ConvertSummaryLog(TransferRowCount(screen.grd_ichelist), counters.errors,
                               TransferTotal(screen.grd_ichelist), session.NetworkId, dialog.SourceFileName));
    QApplication::restoreOverrideCursor();
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    prompt.message(QStringLiteral("자료변환 처리가 완료되었습니다"));
    screen.HideGaugeSoon();
}

void registerDataConvert()
{
    Tqv_IcheMake_frm::SetDataConvertRunner([](Tqv_IcheMake_frm &screen) { RunDataConvert(screen); });
}
