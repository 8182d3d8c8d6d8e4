#pragma once
// "주류 이체자료 변환": the dialog through which the liquor entry screen
// converts a transfer file (layouts of table convertj), and the editor of
// the send module's liquor layouts (table convertj_s), whose save puts the
// first layout of the list into force at once.

#include "core/screens/ScreenContext.h"
#include "liquor/LiquorConversion.h"
#include "transfers/conversion/CatchIcheG.h"

class TFrmCatchJ : public TFrmCatchG
{
    Q_OBJECT
public:
    explicit TFrmCatchJ(const ScreenContext &context, QWidget *owner = nullptr);
    // The fixed-width positions of the grid (checked by BtnConvertClick).
    LiquorLayout liquorLayout() const;

protected:
    bool confirmWithoutMother() override { return true; }
    QStringList delimitedPreview(QString line, QChar delimiter) const override;
    void afterSampleLoaded() override;
    void beginInsert() override;
    void beginEdit() override;
    void saveStarting() override;
    QString saveStatement(bool insert, const QString &title, const QString &oldTitle) override;
};

class TFrmCatchJA : public TLayoutEditor
{
    Q_OBJECT
public:
    explicit TFrmCatchJA(const ScreenContext &context, QWidget *owner = nullptr);

protected:
    QString saveStatement(bool insert, const QString &title, const QString &oldTitle) override;
    void afterSave() override;
};

void registerCatchIcheJScreens();
