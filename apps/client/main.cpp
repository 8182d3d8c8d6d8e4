#include "core/screens/CoreScreens.h"
#include "core/screens/Startup.h"
#include "inquiries/screens/InquiryScreens.h"
#include "liquor/screens/LiquorScreens.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "transfers/screens/TransferScreens.h"

#include <QApplication>

// QUVEX_CLIENT [--home DIR]
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("QUVEX_CLIENT"));
    qvx::ProgramDir::applyArguments(app.arguments());
    qvx::MessageBoxPrompt messageBoxes;
    qvx::Prompt::install(&messageBoxes);

    registerCoreScreens();
    registerTransferScreens();
    registerInquiryScreens();
    registerLiquorScreens();

    StartupController startup;
    if (!startup.run())
        return 0; // login cancelled
    return app.exec();
}
