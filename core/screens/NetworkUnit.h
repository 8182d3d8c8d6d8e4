#pragma once
// "네트워크설정정보보기": the site's network settings from the server table
// config, read-only.

#include "core/screens/ScreenForm.h"
#include <QWidget>

class TDDButton;
class TListGrid;

class Tqv_network_frm : public ScreenForm
{
    Q_OBJECT
public:
    explicit Tqv_network_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TListGrid *grd_network = nullptr;
    TListGrid *grd_network1 = nullptr;
    TDDButton *KitButton2 = nullptr;

    void FormCreate();
    void KitButton2Click();
};

void registerNetworkScreen();
