#include "transfers/conversion/LayoutEditor.h"

#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/FormParts.h"
#include "core/screens/ReferenceEdit.h"
#include "core/screens/ScreenParts.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/KeyHook.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTextBlock>

namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

// -1 for a cell that is no number, 0 for an empty one.
int cellNumber(const QString &cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? v : -1;
}

} // namespace

TLayoutEditor::TLayoutEditor(const ScreenContext &context, QWidget *owner, const LayoutTable &table, int rulerWidth)
    : ScreenDialog(context, owner), m_table(table), m_preview(rulerWidth)
{
    SetFormColour(this);
    const QFont fixed(QStringLiteral("굴림체"), 9);
    const int charWidth = QFontMetrics(fixed).horizontalAdvance(QLatin1Char('0'));
    const int previewWidth = charWidth * rulerWidth + 16;
    resize(qMax(820, previewWidth + 24), 640);

    lbl_title = MakeBand(this, "lbl_title", QStringLiteral(" ◎ 승인요청 자료 목록"), 28);
    pnl_buttons = MakeBar(this, "pnl_buttons", 42, alBottom);
    pnl_body = MakePanel(this, "pnl_body");
    SetAlign(pnl_body, alClient);

    ButtonRow buttons(session, pnl_buttons, 8, 8);
    buttons.add({{&btnInsert, "btnInsert", "입 력"}, {&btnEdit, "btnEdit", "수 정"}, {&btnDelete, "btnDelete", "삭 제"},
                 {&btnSave, "btnSave", "저 장"}, {&btnCancel, "btnCancel", "취 소"}, {&BtnOpenDlg, "BtnOpenDlg", "파일선택"}},
                84);
    btnExit = MakeButton(pnl_buttons, "btnExit", QStringLiteral("닫 기"), width() - 100, 8, 84, 26);

    edTitleList = new QListWidget(pnl_body);
    edTitleList->setObjectName(QStringLiteral("edTitleList"));
    edTitleList->setToolTip(QStringLiteral("사용자가 등록한 자료변환 리스트를 보여줍니다."));
    edTitleList->setGeometry(8, 8, 200, 300);
    GiveLinesRoom(edTitleList);

    edTitle = MakeLabeledEdit(pnl_body, "edTitle", QStringLiteral("자   료    명   칭 "), 220, 8, 108, 280);

    const int rows = int(table.fields.size()) + 1;
    Grid = new TListGrid(pnl_body);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setFont(fixed);
    Grid->SetColCount(4);
    Grid->SetRowCount(rows);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->SetDefaultRowHeight(21);
    Grid->SetColWidths(0, 90);
    Grid->SetColWidths(1, 50);
    Grid->SetColWidths(2, 50);
    Grid->SetColWidths(3, 220);
    Grid->setGeometry(220, 64, 90 + 50 + 50 + 220 + 6, rows * 22 + 4);
    Grid->OnGetAlignment = [](int col, int row) {
        return (row == 0 || col == 0) ? Qt::AlignHCenter : Qt::AlignLeft;
    };
    Grid->OnCanEditCell = [this](int col, int row) { return m_editMode && row >= 1 && (col == 1 || col == 2); };
    Grid->OnClickCell = [this](int, int) {
        RunGuarded(session, QStringLiteral("GridClick"), [this] { ShowFieldPreview(); });
    };
    Grid->OnCellEdited = [this](int, int, const QString &) {
        RunGuarded(session, QStringLiteral("GridSetEditText"), [this] { ShowFieldPreview(); });
    };

    const int previewTop = 64 + rows * 22 + 52;
    edTitleList->setGeometry(8, 8, 200, previewTop - 16);
    lblRulerTens = MakeLabel(pnl_body, m_preview.rulerTens(), 8 + 4, previewTop, previewWidth);
    lblRuler = MakeLabel(pnl_body, m_preview.ruler(), 8 + 4, previewTop + 16, previewWidth);
    for (QLabel *l : {lblRulerTens, lblRuler}) {
        l->setFont(fixed);
        l->setObjectName(l == lblRuler ? QStringLiteral("lblRuler") : QStringLiteral("lblRulerTens"));
    }
    Memo = new QTextEdit(pnl_body);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setFont(fixed);
    Memo->setReadOnly(true);
    Memo->setAcceptRichText(false);
    Memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo->setLineWrapMode(QTextEdit::NoWrap);
    Memo->document()->setDocumentMargin(0);
    Memo->setGeometry(8, previewTop + 36, previewWidth, LayoutPreview::LineCount * SpacedLinePitch(Memo) + 12);
    Memo->viewport()->installEventFilter(this);
    // Title band, body down to the preview, button bar.
    resize(width(), 28 + Memo->geometry().bottom() + 12 + 42);
    QPalette keep = Memo->palette();
    keep.setColor(QPalette::Inactive, QPalette::Highlight, keep.color(QPalette::Active, QPalette::Highlight));
    keep.setColor(QPalette::Inactive, QPalette::HighlightedText,
                  keep.color(QPalette::Active, QPalette::HighlightedText));
    Memo->setPalette(keep);

    connect(edTitleList, &QListWidget::itemClicked, this, [this] {
        RunGuarded(session, QStringLiteral("edTitleListClick"), [this] { edTitleListClick(); });
    });
    OnKey(edTitle, [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        focusNextChild();
        return true;
    });
    BindClicks(session, {{btnInsert, [this] { btnInsertClick(); }}, {btnEdit, [this] { btnEditClick(); }},
                         {btnDelete, [this] { btnDeleteClick(); }}, {btnSave, [this] { btnSaveClick(); }},
                         {btnCancel, [this] { btnCancelClick(); }}, {BtnOpenDlg, [this] { BtnOpenDlgClick(); }},
                         {btnExit, [this] { btnExitClick(); }}});
}

void TLayoutEditor::SetTitle(const QString &text)
{
    BandCaption(lbl_title)->setText(text);
}

QString TLayoutEditor::Title() const
{
    return BandCaption(lbl_title)->text();
}

void TLayoutEditor::FormCreate(const QString &emptyLibraryMessage)
{
    SetLayoutEditMode(false);
    SourceFileName.clear();
    Grid->SetCells(0, 0, QStringLiteral("항목"));
    Grid->SetCells(1, 0, QStringLiteral("시작"));
    Grid->SetCells(2, 0, QStringLiteral("크기"));
    Grid->SetCells(3, 0, QStringLiteral("내   용"));
    for (int i = 0; i < m_table.fields.size(); ++i)
        Grid->SetCells(0, i + 1, m_table.fields[i].caption);
    const qvx::ResultSet &rows = dm.cms_select1(m_table.selectAll());
    if (rows.isEmpty() && !emptyLibraryMessage.isEmpty())
        prompt().message(emptyLibraryMessage);
    for (int i = 0; i < rows.recordCount(); ++i)
        edTitleList->addItem(rows.value(i, QStringLiteral("Title")));
}

void TLayoutEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    alignRulerWithPreview();
    if (m_activated)
        return;
    m_activated = true;
    RunGuarded(session, QStringLiteral("FormActivate"), [this] { FormActivate(); });
}

void TLayoutEditor::alignRulerWithPreview()
{
    // Where the memo draws its first character, the frame, the viewport and the
    // text layout's own offset included: the ruler's first digit goes there.
    QTextCursor first(Memo->document());
    first.setPosition(0);
    const int x = Memo->viewport()->mapTo(pnl_body, Memo->cursorRect(first).topLeft()).x();
    for (QLabel *l : {lblRulerTens, lblRuler})
        l->move(x - l->contentsRect().left(), l->y());
}

void TLayoutEditor::FormActivate()
{
    edTitleList->setFocus();
    selectFirstTitle();
}

void TLayoutEditor::selectFirstTitle()
{
    if (edTitleList->count() == 0)
        return;
    edTitleList->setCurrentRow(0);
    loadSelectedLayout();
}

QString TLayoutEditor::selectedTitle() const
{
    QListWidgetItem *item = edTitleList->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TLayoutEditor::edTitleListClick()
{
    if (selectedTitle().isEmpty())
        return;
    loadSelectedLayout();
}

void TLayoutEditor::loadSelectedLayout()
{
    LoadFixedLayout(dm.cms_select1(m_table.selectOne(selectedTitle())));
}

bool TLayoutEditor::LoadFixedLayout(const qvx::ResultSet &rows)
{
    if (rows.isEmpty())
        return false;
    edTitle->setText(rows.value(0, QStringLiteral("Title")));
    for (int i = 0; i < m_table.fields.size(); ++i) {
        Grid->SetCells(1, i + 1, QString::number(rows.valueInt(0, m_table.fields[i].startColumn)));
        Grid->SetCells(2, i + 1, QString::number(rows.valueInt(0, m_table.fields[i].lengthColumn)));
    }
    fillPreviews();
    return true;
}

void TLayoutEditor::fillPreviews()
{
    for (int i = 0; i < m_table.fields.size(); ++i) {
        const int start = cellNumber(Grid->Cells(1, i + 1));
        const int length = cellNumber(Grid->Cells(2, i + 1));
        Grid->SetCells(3, i + 1, m_preview.fieldText(start, length));
    }
}

void TLayoutEditor::refreshFieldPreviews()
{
    fillPreviews();
}

void TLayoutEditor::clearValueCells()
{
    for (int r = 1; r < Grid->RowCount(); ++r)
        for (int c = 1; c <= 3; ++c)
            Grid->SetCells(c, r, QString());
}

void TLayoutEditor::BtnOpenDlgClick()
{
    if (!ButtonEnabled(BtnOpenDlg))
        return;
    const auto chosen = qvx::FileChooser::instance().open(this, QString(), QString(), QStringLiteral("*.*|*.*"));
    if (chosen.fileName.isEmpty())
        return;
    SourceFileName = chosen.fileName;
    Memo->clear();
    m_preview.clear();
    QStringList lines;
    if (!ReadPreviewLines(SourceFileName, LayoutPreview::LineCount, &lines)) {
        prompt().message(QStringLiteral("파일을 읽을 수 없습니다.\r\r") + SourceFileName);
        return;
    }
    m_preview.setLines(lines);
    SetSpacedPlainText(Memo, m_preview.lines().join(QLatin1Char('\n')));
    QTextCursor start = Memo->textCursor();
    start.setPosition(0);
    Memo->setTextCursor(start);
    refreshFieldPreviews();
    afterSampleLoaded();
}

bool TLayoutEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A press inside the shown selection would start a text drag and lose
        // the field being marked: every press starts a new selection instead.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        Memo->setTextCursor(Memo->cursorForPosition(mouse->position().toPoint()));
    }
    if (watched == Memo->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->modifiers() & Qt::ControlModifier) {
            // Let the memo finish the selection first.
            const bool handled = QDialog::eventFilter(watched, event);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const QTextCursor c = Memo->textCursor();
                    RunGuarded(session, QStringLiteral("MemoMouseUp"), [this, c] {
                        MemoSelected(c.selectionStart(), c.selectionEnd() - c.selectionStart());
                    });
                },
                Qt::QueuedConnection);
            return handled;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLayoutEditor::MemoSelected(int charStart, int charLength)
{
    if (!m_preview.hasLines())
        return;
    const int row = Grid->Row();
    const int firstLineLength = int(m_preview.firstLine().size());
    if (m_editMode && row >= 1 && charStart <= firstLineLength) {
        const ConvField f = m_preview.fieldOfSelection(charStart, qMin(charLength, firstLineLength - charStart));
        Grid->SetCells(1, row, QString::number(f.start));
        Grid->SetCells(2, row, QString::number(f.length));
    }
    ShowFieldPreview();
}

void TLayoutEditor::ShowFieldPreview()
{
    const int row = Grid->Row();
    if (row < 1)
        return;
    const int start = cellNumber(Grid->Cells(1, row));
    const int length = cellNumber(Grid->Cells(2, row));
    Grid->SetCells(3, row, QString());
    if (!m_preview.hasLines() || start <= 0 || length <= 0)
        return;
    Grid->SetCells(3, row, m_preview.fieldText(start, length));
    const auto [first, count] = m_preview.selectionOfField(start, length);
    QTextCursor c = Memo->textCursor();
    c.setPosition(first);
    c.setPosition(first + count, QTextCursor::KeepAnchor);
    Memo->setTextCursor(c);
}

QList<TDDButton *> TLayoutEditor::viewButtons() const
{
    return {btnInsert, btnEdit, btnDelete};
}

void TLayoutEditor::SetLayoutEditMode(bool on)
{
    m_editMode = on;
    for (TDDButton *b : viewButtons())
        SetButtonEnabled(b, !on);
    SetButtonEnabled(btnSave, on);
    SetButtonEnabled(btnCancel, on);
    // The layout being edited keeps its place in the list until saved.
    edTitleList->setEnabled(!on);
    edTitle->setReadOnly(!on);
    Grid->SetEditing(on);
    editModeChanged(on);
}

void TLayoutEditor::btnInsertClick()
{
    edTitle->clear();
    edTitle->setFocus();
    InsertMode = true;
    beginInsert();
    SetLayoutEditMode(true);
}

void TLayoutEditor::btnEditClick()
{
    if (selectedTitle().isEmpty()) {
        prompt().message(LayoutMessages::NoneSelected);
        return;
    }
    InsertMode = false;
    beginEdit();
    SetLayoutEditMode(true);
}

QString TLayoutEditor::ReadGrid(LayoutValues *values) const
{
    QStringList starts, lengths;
    for (int i = 0; i < m_table.fields.size(); ++i) {
        starts << Grid->Cells(1, i + 1);
        lengths << Grid->Cells(2, i + 1);
    }
    return CheckLayoutCells(m_table, starts, lengths, values);
}

QString TLayoutEditor::storedTitle(bool insert, const QString &typed) const
{
    return insert ? typed.trimmed() : typed;
}

QString TLayoutEditor::saveStatement(bool insert, const QString &title, const QString &oldTitle)
{
    LayoutValues values;
    const QString fault = ReadGrid(&values);
    if (!fault.isEmpty()) {
        prompt().message(fault);
        return QString();
    }
    return insert ? m_table.insert(title, values) : m_table.update(title, values, oldTitle);
}

void TLayoutEditor::btnSaveClick()
{
    saveStarting();
    if (edTitle->text().trimmed().isEmpty()) {
        prompt().message(LayoutMessages::NoTitle);
        edTitle->setFocus();
        return;
    }
    const QString oldTitle = selectedTitle();
    if (!InsertMode && oldTitle.isEmpty()) {
        prompt().message(LayoutMessages::NoneSelected);
        return;
    }
    const QString title = storedTitle(InsertMode, edTitle->text());
    QStringList titles;
    for (int i = 0; i < edTitleList->count(); ++i)
        titles << edTitleList->item(i)->text();
    if (TitleTaken(titles, title, InsertMode ? -1 : edTitleList->currentRow())) {
        prompt().message(LayoutMessages::TitleTaken);
        return;
    }
    const QString statement = saveStatement(InsertMode, title, oldTitle);
    if (statement.isEmpty())
        return;
    if (!StoreReferenceChange(context(), statement)) {
        prompt().message(LayoutMessages::SaveFailed);
        return;
    }
    edTitle->setText(title);
    if (InsertMode)
        edTitleList->addItem(title);
    else
        edTitleList->currentItem()->setText(title);
    SetLayoutEditMode(false);
    selectFirstTitle();
    afterSave();
}

void TLayoutEditor::btnCancelClick()
{
    SetLayoutEditMode(false);
    afterCancel();
}

void TLayoutEditor::btnDeleteClick()
{
    const QString title = selectedTitle();
    if (title.isEmpty()) {
        prompt().message(LayoutMessages::NoneSelected);
        return;
    }
    if (!prompt().confirm(LayoutMessages::DeleteAsk, QStringLiteral("확인")))
        return;
    if (!StoreReferenceChange(context(), m_table.remove(title))) {
        prompt().message(LayoutMessages::DeleteFailed);
        return;
    }
    delete edTitleList->takeItem(edTitleList->currentRow());
    selectFirstTitle();
}

void TLayoutEditor::btnExitClick()
{
    reject();
}
