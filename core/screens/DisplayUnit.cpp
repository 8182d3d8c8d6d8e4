#include "core/screens/DisplayUnit.h"

#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/FormParts.h"
#include "core/Session.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace {

struct ScreenEntry
{
    const char *caption;
    const char *general;
    const char *liquor;
    const char *saved;
};

const ScreenEntry kScreens[] = {
    {"선택", "", "", "설정을 저장하였습니다."},
    {"이체자료작성", "QV_ICHEMAKE_FRM", "QV_ICHEMAKEJURU_FRM", "이체 화면에 대한 설정을 저장하였습니다."},
    {"이체현황보기", "QV_ICHEVIEW_FRM", "QV_J_ICHEVIEW_FRM", "이체현황 화면에 대한 설정을 저장하였습니다."},
    {"타행이체불능내역 보기", "QV_ICHEERRVIEW_FRM", "QV_ICHEERRVIEW_FRM", "이체불능통지내역 화면에 대한 설정을 저장하였습니다."},
    {"타행이체불능통지", "QV_TICHEERRT_FRM", "QV_TICHEERRT_FRM", "이체불능통지 화면에 대한 설정을 저장하였습니다."},
    {"예금거래명세통지", "QV_DEPOSIT_FRM", "QV_DEPOSIT_FRM", "예금거래명세통지 화면에 대한 설정을 저장하였습니다"},
    {"보관어음통지", "QV_DRAFT_FRM", "QV_DRAFT_FRM", "보관어음통지 화면에 대한 설정을 저장하였습니다."},
    {"거래집계요구", "QV_TRSUM_FRM", "QV_TRSUM_FRM", "거래집계요구 화면에 대한 설정을 저장하였습니다."},
    {"이체처리결과조회", "QV_ICHESEARCH_FRM", "QV_J_ICHESEARCH_FRM", "이체처리결과조회 화면에 대한 설정을 저장하였습니다."},
    {"타행성명계좌조회", "QV_TICHENAMESEARCH_FRM", "QV_TICHENAMESEARCH_FRM", "타행성명조회 화면에 대한 설정을 저장하였습니다."},
    {"잔액조회", "QV_AMTSEARCH_FRM", "QV_AMTSEARCH_FRM", "잔액조회 화면에 대한 설정을 저장하였습니다."},
};
constexpr int kScreenCount = int(sizeof kScreens / sizeof kScreens[0]);

qvx::IniFile config()
{
    return qvx::IniFile(qvx::ProgramDir::path(QStringLiteral("config.ini")));
}

} // namespace

Tqv_display_frm::Tqv_display_frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    SetUpForm(this, "qv_display_frm", QStringLiteral("화면설정"), 520, 420);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);

    chk_maximaze = MakeCheck(this, "chk_maximaze", QStringLiteral("최대화면"), 16, 12, 110);
    chk_delimeter = MakeCheck(this, "chk_delimeter", QStringLiteral("구분자 사용"), 130, 12, 110);
    chk_sunab = MakeCheck(this, "chk_sunab", QStringLiteral("수납이체자료작성 사용"), 16, 38, 200);
    chk_jigub = MakeCheck(this, "chk_jigub", QStringLiteral("지급이체자료작성 사용"), 230, 38, 200);

    MakeLabel(this, QStringLiteral("리 스 트"), 16, 70, 70);
    cmb_allbank = MakeCombo(this, "cmb_allbank", 90, 70, 240);
    cmb_allbank->OnChange = [this](QObject *) { RunGuarded(session, QStringLiteral("cmb_allbankChange"), [this] { cmb_allbankChange(); }); };

    // The two item lists side by side, each under its caption.
    auto itemList = [this](const char *name, const QString &caption, int x) {
        (new QLabel(caption, this))->setGeometry(x, 100, 200, 20);
        auto *list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(x, 122, 200, 230);
        GiveLinesRoom(list);
        return list;
    };
    memo_show = itemList("memo_show", QStringLiteral(" ◎ 화면에 보일 항목 리스트"), 16);
    memo_hide = itemList("memo_hide", QStringLiteral(" ◎ 화면에 숨길 항목 리스트"), 300);
    sbtn_add = MakeButton(this, "sbtn_add", QStringLiteral("숨기기"), 222, 190, 72, 25);
    sbtn_delete = MakeButton(this, "sbtn_delete", QStringLiteral("보이기"), 222, 230, 72, 25);

    btn_add = MakeButton(this, "btn_add", QStringLiteral("저 장"), 180, 370, 80, 27);
    btn_cancel = MakeButton(this, "btn_cancel", QStringLiteral("취 소"), 270, 370, 80, 27);
    btn_close = MakeButton(this, "btn_close", QStringLiteral("닫 기"), 420, 370, 80, 27);
    SetButtonEnabled(btn_cancel, false);

    BindClicks(session, {{sbtn_add, [this] { sbtn_addClick(); }}, {sbtn_delete, [this] { sbtn_deleteClick(); }},
                         {btn_add, [this] { btn_addClick(); }}, {btn_cancel, [this] { btn_cancelClick(); }},
                         {btn_close, [this] { close(); }}});
    FocusOnShow(this, cmb_allbank);
    connect(memo_show, &QListWidget::itemDoubleClicked, this,
            [this] { RunGuarded(session, QStringLiteral("memo_showDblClick"), [this] { sbtn_addClick(); }); });
    connect(memo_hide, &QListWidget::itemDoubleClicked, this,
            [this] { RunGuarded(session, QStringLiteral("memo_hideDblClick"), [this] { sbtn_deleteClick(); }); });

    RunGuarded(session, QStringLiteral("qv_display_frm.FormCreate"), [this] { FormCreate(); });
}

bool Tqv_display_frm::configExists() const
{
    return QFileInfo::exists(qvx::ProgramDir::path(QStringLiteral("config.ini")));
}

QString Tqv_display_frm::SectionOf(int item) const
{
    if (item <= 0 || item >= kScreenCount)
        return QString();
    return QString::fromUtf8(session.IcheKind == 2 ? kScreens[item].liquor : kScreens[item].general);
}

void Tqv_display_frm::FormCreate()
{
    if (!configExists()) {
        qvx::Prompt::instance().message(QStringLiteral("CONFIG.INI 파일이 존재하지 않습니다. 관리자에게 문의하시기 바랍니다."));
        return;
    }
    const qvx::IniFile ini = config();
    auto flag = [&](const char *section, const char *key, TKitCheckBox *box, int &loginFlag, bool onlyOne) {
        const QString s = QString::fromLatin1(section);
        const QString k = QString::fromLatin1(key);
        if (!ini.valueExists(s, k))
            return;
        const QString v = ini.readString(s, k);
        const bool on = onlyOne ? v == u"1" : v != u"0";
        SetChecked(box, on);
        loginFlag = on ? 1 : 0;
    };
    flag("DISPLAY", "MAX", chk_maximaze, session.DisplayMaxFlag, false);
    flag("FILESAVE", "FILESAVE_FLAG", chk_delimeter, session.FileSaveFlag, true);
    flag("ICHE", "SUNAB", chk_sunab, session.SunabFlag, false);
    flag("ICHE", "JIGUB", chk_jigub, session.JigubFlag, false);

    for (const ScreenEntry &e : kScreens)
        cmb_allbank->Items().Add(QString::fromUtf8(e.caption));
    cmb_allbank->SetItemIndex(0);
}

void Tqv_display_frm::cmb_allbankChange()
{
    memo_show->clear();
    memo_hide->clear();
    const QString section = SectionOf(cmb_allbank->ItemIndex());
    if (section.isEmpty() || !configExists())
        return;
    const qvx::IniFile ini = config();
    for (int n = 1; ini.valueExists(section, QString::number(n)); ++n) {
        const QString value = ini.readString(section, QString::number(n));
        (value.startsWith(u'1') ? memo_show : memo_hide)->addItem(value.mid(1));
    }
}

void Tqv_display_frm::moveSelected(QListWidget *from, QListWidget *to)
{
    const QList<QListWidgetItem *> selected = from->selectedItems();
    QListWidgetItem *item = selected.isEmpty() ? nullptr : selected.first();
    if (!item || from->count() == 0 || from->item(0)->text().isEmpty())
        return;
    // The taken item moves over whole: the other list owns it from now on.
    to->addItem(from->takeItem(from->row(item)));
    from->setFocus();
    // The list would select the next entry for the user: nothing stays selected.
    from->clearSelection();
    from->setCurrentItem(nullptr);
    SetButtonEnabled(btn_cancel, true);
}

void Tqv_display_frm::sbtn_addClick() { moveSelected(memo_show, memo_hide); }
void Tqv_display_frm::sbtn_deleteClick() { moveSelected(memo_hide, memo_show); }
void Tqv_display_frm::btn_cancelClick() { cmb_allbankChange(); }

void Tqv_display_frm::writeFlags(const QString &section, QListWidget *list, QChar flag)
{
    qvx::IniFile ini = config();
    for (int i = 0; i < list->count(); ++i) {
        const QString title = list->item(i)->text();
        for (int n = 1; ini.valueExists(section, QString::number(n)); ++n) {
            if (ini.readString(section, QString::number(n)).mid(1) == title) {
                ini.writeString(section, QString::number(n), flag + title);
                break;
            }
        }
    }
}

void Tqv_display_frm::btn_addClick()
{
    qvx::IniFile ini = config();
    auto save = [&](const char *section, const char *key, TKitCheckBox *box, int &loginFlag) {
        const bool on = Checked(box);
        ini.writeString(QString::fromLatin1(section), QString::fromLatin1(key), on ? QStringLiteral("1") : QStringLiteral("0"));
        loginFlag = on ? 1 : 0;
    };
    save("DISPLAY", "MAX", chk_maximaze, session.DisplayMaxFlag);
    save("FILESAVE", "FILESAVE_FLAG", chk_delimeter, session.FileSaveFlag);
    save("ICHE", "SUNAB", chk_sunab, session.SunabFlag);
    save("ICHE", "JIGUB", chk_jigub, session.JigubFlag);

    const int item = std::max(0, cmb_allbank->ItemIndex());
    const QString section = SectionOf(item);
    if (!section.isEmpty()) {
        writeFlags(section, memo_show, u'1');
        writeFlags(section, memo_hide, u'0');
    }
    qvx::Prompt::instance().message(QString::fromUtf8(kScreens[item < kScreenCount ? item : 0].saved));
}

void registerDisplayScreen()
{
    RegisterScreen<Tqv_display_frm>(QStringLiteral("qv_display_frm"));
}
