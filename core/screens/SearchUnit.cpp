#include "core/screens/SearchUnit.h"

#include "core/EventGuard.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QLineEdit>

Tqv_search_frm::Tqv_search_frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    setObjectName(QStringLiteral("qv_search_frm"));
    setWindowTitle(QStringLiteral("검 색"));
    setFixedSize(360, 226);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xA9, 0xBC, 0xCF));
    setPalette(pal);
    setAutoFillBackground(true);

    MakeLabel(this, QStringLiteral("◎ 검색조건"), 16, 20, 100);
    cmb_search = MakeCombo(this, "cmb_search", 120, 20, 220);
    MakeLabel(this, QStringLiteral("◎ 검 색 어"), 16, 60, 100);
    edt_search = MakeEdit(this, "edt_search", 120, 60, 220);

    btn_searchfirst = MakeButton(this, "btn_searchfirst", QStringLiteral("검색"), 40, 150, 80, 27);
    btn_FindNext = MakeButton(this, "btn_FindNext", QStringLiteral("다음 검색"), 140, 150, 80, 27);
    btn_close = MakeButton(this, "btn_close", QStringLiteral("닫기"), 240, 150, 80, 27);
    btn_searchfirst->setProperty("Tag", 0);
    btn_FindNext->setProperty("Tag", 1);
    BindClick(session, btn_searchfirst, QStringLiteral("btn_searchClick"), [this] { SearchClick(0); });
    BindClick(session, btn_FindNext, QStringLiteral("btn_searchClick"), [this] { SearchClick(1); });
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { close(); });
}

void Tqv_search_frm::SetGrid(TListGrid *grid)
{
    m_grid = grid;
    cmb_search->Items().Clear();
    cmb_search->Items().Add(QStringLiteral("모든 항목에서 찾기"));
    for (int c = 1; c < grid->ColCount(); ++c)
        cmb_search->Items().Add(grid->Cells(c, 0).remove(u' '));
    cmb_search->SetItemIndex(0);
}

void Tqv_search_frm::SearchClick(int tag)
{
    if (!m_grid)
        return;
    const QString word = edt_search->text().trimmed();
    const int start = tag == 0 ? 1 : m_grid->Row() + 1;
    const int item = cmb_search->ItemIndex();
    const int row = m_grid->FindRow(word, item > 0 ? item : -1, start);
    if (row > 0) {
        m_grid->SetRow(row);
        if (tag == 0)
            btn_FindNext->setFocus();
        return;
    }
    edt_search->setFocus();
    qvx::Prompt::instance().message(tag == 0 ? QStringLiteral("해당하는 내용을 찾을 수 없습니다.")
                                             : QStringLiteral("해당하는 내용을 더 이상 찾을 수 없습니다."));
}

void Tqv_search_frm::FormActivate()
{
    cmb_search->setFocus();
}

void Tqv_search_frm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    FormActivate();
}

void OpenFindDialog(const ScreenContext &context, QWidget *owner, TListGrid *grid)
{
    if (GridIsEmpty(grid)) {
        qvx::Prompt::instance().message(QStringLiteral("검색할 자료가 존재하지 않습니다."));
        return;
    }
    Tqv_search_frm dialog(context, owner);
    dialog.SetGrid(grid);
    dialog.exec();
}

QAction *AddFindAction(const ScreenContext &context, QWidget *owner, TListGrid *grid, const char *name)
{
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *find = new QAction(QStringLiteral("내용 검색"), grid);
    find->setObjectName(QString::fromLatin1(name));
    const QString handlerName = QString::fromLatin1(name) + QStringLiteral("Click");
    QObject::connect(find, &QAction::triggered, grid, [context, owner, grid, handlerName] {
        RunGuarded(context.session, handlerName, [&] { OpenFindDialog(context, owner, grid); });
    });
    grid->addAction(find);
    return find;
}
