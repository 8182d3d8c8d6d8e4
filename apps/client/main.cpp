#include "core/CoreScreens.h"
#include "core/Startup.h"
#include "inquiries/InquiryScreens.h"
#include "liquor/LiquorScreens.h"
#include "platform/ProgramDir.h"
#include "transfers/TransferScreens.h"

#include <QApplication>

// QUVEX_CLIENT [--home DIR]
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("QUVEX_CLIENT"));
    qvx::ProgramDir::applyArguments(app.arguments());

    registerCoreScreens();
    registerTransferScreens();
    registerInquiryScreens();
    registerLiquorScreens();

    StartupController startup;
    if (!startup.run())
        return 0; // login cancelled
    return app.exec();
}
