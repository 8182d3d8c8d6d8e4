#include "controls/edits/ExCalc.h"

#include "controls/edits/CtlUtils.h"
#include "platform/EditGuard.h"
#include "controls/edits/NumFormat.h"

#include <QLabel>
#include <QPainter>

namespace {

struct KeyPlace
{
    int kind, left, top;
};

constexpr KeyPlace DialogPlaces[] = {
    {1, 47, 104},  {2, 47, 80},   {3, 85, 80},   {4, 123, 80},  {5, 47, 56},  {6, 85, 56},  {7, 123, 56},
    {8, 47, 32},   {9, 85, 32},   {10, 123, 32}, {11, 85, 104}, {12, 123, 104}, {13, 161, 32}, {14, 161, 56},
    {15, 161, 80}, {16, 161, 104}, {17, 199, 32}, {18, 199, 56}, {19, 199, 80}, {20, 199, 104}, {21, 145, 6},
    {22, 191, 6},  {23, 5, 104},  {24, 5, 80},   {25, 5, 56},   {26, 5, 32},  {27, 47, 6},  {28, 85, 6}};

constexpr KeyPlace PopupPlaces[] = {{1, 6, 75},   {2, 6, 52},   {3, 29, 52},  {4, 52, 52},  {5, 6, 29},
                                    {6, 29, 29},  {7, 52, 29},  {8, 6, 6},    {9, 29, 6},   {10, 52, 6},
                                    {11, 52, 75}, {12, 29, 75}, {13, 75, 6},  {14, 75, 29}, {15, 75, 52},
                                    {16, 75, 75}, {20, 52, 98}, {21, 29, 98}, {22, 6, 98}};

// The six 14x13 key glyphs of the full layout: Cancel, OK, sign, *, -, +.
QImage calcGlyph(int index)
{
    QImage img(14, 13, QImage::Format_RGB32);
    const QRgb back = qRgb(0x80, 0x80, 0x00);
    img.fill(back);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto line = [&](int x1, int y1, int x2, int y2, QColor c) {
        p.setPen(QPen(c, 2));
        p.drawLine(x1, y1, x2, y2);
    };
    const QColor purple(0x80, 0x00, 0x80), black(0, 0, 0), red(0x80, 0, 0), green(0, 0x80, 0);
    switch (index) {
    case 0: line(3, 2, 10, 9, red); line(10, 2, 3, 9, red); break;              // Cancel
    case 1: line(2, 6, 5, 9, green); line(5, 9, 11, 2, green); break;          // OK
    case 2: line(6, 1, 6, 7, black); line(3, 4, 9, 4, black); line(3, 10, 9, 10, black); break; // sign
    case 3: line(3, 3, 10, 10, purple); line(10, 3, 3, 10, purple); break;     // *
    case 4: line(3, 6, 10, 6, purple); break;                                   // -
    case 5: line(6, 2, 6, 10, purple); line(2, 6, 10, 6, purple); break;       // +
    }
    return img;
}

int glyphIndexOf(int kind)
{
    switch (kind) {
    case 28: return 0;
    case 27: return 1;
    case 11: return 2;
    case 14: return 3;
    case 15: return 4;
    case 16: return 5;
    default: return -1;
    }
}

} // namespace

// ---- TCalcButton ----

TCalcButton::TCalcButton(QWidget *parent, int kind) : TExSpeedButton(parent), FKind(kind)
{
    SetTag(kind >= 1 && kind <= 22 ? kind - 1 : -1);
    SetCaption(KeyCaption(kind));
    SetFontColor(KeyColor(kind));
    SetStyle(bsNew);
}

QChar TCalcButton::KeyChar(int kind)
{
    if (kind >= 1 && kind <= 10)
        return QChar(u'0' + (kind - 1));
    switch (kind) {
    case 11: return QLatin1Char('_');
    case 12: return qvx::NumLocale::DecimalSeparator;
    case 13: return QLatin1Char('/');
    case 14: return QLatin1Char('*');
    case 15: return QLatin1Char('-');
    case 16: return QLatin1Char('+');
    case 17: return QLatin1Char('Q');
    case 18: return QLatin1Char('%');
    case 19: return QLatin1Char('R');
    case 20: return QLatin1Char('=');
    case 21: return qvx::CalculatorEngine::Backspace;
    case 22: return QLatin1Char('C');
    default: return QChar();
    }
}

QString TCalcButton::KeyCaption(int kind)
{
    if (kind >= 1 && kind <= 10)
        return QString(QChar(u'0' + (kind - 1)));
    switch (kind) {
    case 11: return QString(QChar(0xB1));
    case 12: return QString(qvx::NumLocale::DecimalSeparator);
    case 13: return QStringLiteral("/");
    case 14: return QStringLiteral("*");
    case 15: return QStringLiteral("-");
    case 16: return QStringLiteral("+");
    case 17: return QStringLiteral("sqrt");
    case 18: return QStringLiteral("%");
    case 19: return QStringLiteral("1/x");
    case 20: return QStringLiteral("=");
    case 21: return QStringLiteral("<-");
    case 22: return QStringLiteral("C");
    case 23: return QStringLiteral("MP");
    case 24: return QStringLiteral("MS");
    case 25: return QStringLiteral("MR");
    case 26: return QStringLiteral("MC");
    default: return QString();
    }
}

TColor TCalcButton::KeyColor(int kind)
{
    if ((kind >= 13 && kind <= 16) || kind == 20)
        return clPurple;
    if ((kind >= 17 && kind <= 19) || (kind >= 23 && kind <= 26))
        return clNavy;
    if (kind == 21 || kind == 22)
        return clMaroon;
    return clBtnText;
}

// ---- TCalculatorPanel ----

TCalculatorPanel::TCalculatorPanel(QWidget *parent, TCalcPanelLayout layout) : QWidget(parent), FLayout(layout)
{
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setFocusPolicy(Qt::NoFocus);
    if (layout == clDialog) {
        resize(240, 129);
        FDisplayPanel = new QWidget(this);
        FDisplayPanel->setGeometry(6, 7, 34, 20);
        FMemoryLabel = new QLabel(FDisplayPanel);
        FMemoryLabel->setGeometry(3, 3, 26, 14);
        FMemoryLabel->setAlignment(Qt::AlignCenter);
        FDisplayLabel = new QLabel(this);
        FDisplayLabel->setObjectName(QStringLiteral("DisplayLabel"));
        FDisplayLabel->setGeometry(6, -20, 0, 0); // the dialog shows the text in its own field
        FDisplayLabel->hide();
        for (const KeyPlace &k : DialogPlaces) {
            auto *b = new TCalcButton(this, k.kind);
            b->setGeometry(k.left, k.top, (k.kind == 21 || k.kind == 22) ? 44 : 36, 22);
            const int g = glyphIndexOf(k.kind);
            if (g >= 0) {
                b->SetGlyph(calcGlyph(g));
                b->SetCaption(QString());
            }
            FButtons.append(b);
        }
    } else {
        resize(98, 124);
        for (const KeyPlace &k : PopupPlaces) {
            auto *b = new TCalcButton(this, k.kind);
            b->setGeometry(k.left, k.top, k.kind == 20 ? 44 : 21, 21);
            FButtons.append(b);
        }
    }
    for (TCalcButton *b : FButtons) {
        b->SetStyle(bsNew);
        const int kind = b->Kind();
        b->OnClick = [this, kind](QObject *) { KeyClick(kind); };
    }
    FEngine.onTextChange = [this] { TextChanged(); };
    FEngine.onMemoryChange = [this] { MemoryChanged(); };
    FEngine.onResult = [this] { if (OnResult) OnResult(this); };
    FEngine.onError = [this] { if (OnError) OnError(this); };
    FEngine.onOk = [this] { if (OnOk) OnOk(this); };
    FEngine.onCancel = [this] { if (OnCancel) OnCancel(this); };
    FEngine.onDisplayChange = [this] { if (OnDisplayChange) OnDisplayChange(this); };
}

TCalcButton *TCalculatorPanel::KeyButton(int kind) const
{
    for (TCalcButton *b : FButtons)
        if (b->Kind() == kind)
            return b;
    return nullptr;
}

void TCalculatorPanel::KeyClick(int kind)
{
    switch (kind) {
    case 23: FEngine.memoryKey(qvx::CalculatorEngine::MemoryAdd); break;
    case 24: FEngine.memoryKey(qvx::CalculatorEngine::MemoryStore); break;
    case 25: FEngine.memoryKey(qvx::CalculatorEngine::MemoryRecall); break;
    case 26: FEngine.memoryKey(qvx::CalculatorEngine::MemoryClear); break;
    case 27: FEngine.ok(); break;
    case 28: FEngine.cancel(); break;
    default: FEngine.engineKey(TCalcButton::KeyChar(kind)); break;
    }
}

void TCalculatorPanel::CalcKeyPress(QChar key)
{
    const QChar k = qvx::CalculatorEngine::translateTypedKey(key);
    static const QString keys = QStringLiteral("0123456789_./*-+Q%R=") + QChar(8) + QStringLiteral("C");
    const qsizetype tag = keys.indexOf(k);
    if (tag >= 0) {
        for (TCalcButton *b : FButtons)
            if (b->Tag() == tag) {
                b->ButtonClick();
                return;
            }
    }
    FEngine.engineKey(k);
}

void TCalculatorPanel::SetCtl3D(bool on)
{
    for (TCalcButton *b : FButtons)
        b->SetStyle(on ? bsNew : bsWin31);
    update();
}

void TCalculatorPanel::TextChanged()
{
    if (FDisplayLabel)
        FDisplayLabel->setText(FEngine.text());
    if (OnTextChange)
        OnTextChange(this);
}

void TCalculatorPanel::MemoryChanged()
{
    if (FMemoryLabel)
        FMemoryLabel->setText(FEngine.memory() != 0 ? QStringLiteral("M") : QString());
}

void TCalculatorPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    FillRect(p, TRect(0, 0, width(), height()), clBtnFace);
    if (FDisplayPanel) {
        TRect r = Bounds(FDisplayPanel->x(), FDisplayPanel->y(), FDisplayPanel->width(), FDisplayPanel->height());
        DrawEdge(p, r, BDR_SUNKENOUTER, BF_RECT);
    }
}

// ---- TLocCalculator ----

TLocCalculator::TLocCalculator(QWidget *parent) : TCalculatorPanel(parent, clPopup)
{
    setFocusPolicy(Qt::NoFocus);
}

// ---- TPopupCalculator ----

TPopupCalculator::TPopupCalculator(TCustomComboEdit *editor) : TPopupWindow(editor)
{
    setFrameStyle(QFrame::NoFrame);
    resize(104, 127);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    FCalc = new TLocCalculator(this);
    FCalc->setGeometry(1, 1, width() - 2, height() - 2);
    FCalc->Engine().setPrecision(15);
    FCalc->OnResult = [this](QObject *) {
        qvx::CalculatorEngine &e = FCalc->Engine();
        if (e.status() != qvx::CalculatorEngine::Error) {
            e.showValue(e.displayValue());
            CloseUp(true);
        }
    };
    FCalc->OnTextChange = [this](QObject *) {
        if (Editor())
            Editor()->update();
    };
}

void TPopupCalculator::ConfigurePopupCalc(bool beepOnError, int precision)
{
    FCalc->Engine().setBeepOnError(beepOnError);
    FCalc->Engine().setPrecision(precision);
}

QVariant TPopupCalculator::GetValue()
{
    qvx::CalculatorEngine &e = FCalc->Engine();
    if (e.status() == qvx::CalculatorEngine::Error) {
        if (e.beepOnError())
            MessageBeep();
        return QStringLiteral("0");
    }
    const QString t = e.text().trimmed();
    return qvx::TryStrToFloat(t) ? t : QStringLiteral("0");
}

void TPopupCalculator::SetValue(const QVariant &value)
{
    FCalc->Engine().setValueText(value.isNull() ? QString() : value.toString());
}

QString TPopupCalculator::GetPopupText() const
{
    return FCalc->DisplayText();
}

void TPopupCalculator::KeyPress(QChar &key)
{
    FCalc->CalcKeyPress(key);
}

void TPopupCalculator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TRect r(0, 0, width(), height());
    FillRect(p, r, clBtnFace);
    DrawEdge(p, r, BDR_RAISEDOUTER, BF_RECT);
}
