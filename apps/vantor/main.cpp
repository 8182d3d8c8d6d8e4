#include "platform/ProgramLook.h"
#include "platform/Prompt.h"
#include "tool/Tt_frm.h"

#include <QApplication>
#include <QLineEdit>

// Vantor [--server HOST[:PORT]]
// --server fills in the server address; the connection is made with "검 색".
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Vantor"));
    qvx::ApplyProgramLook();
    qvx::MessageBoxPrompt messageBoxes;
    qvx::Prompt::install(&messageBoxes);

    Tt_frm t_frm;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--server"));
    if (at >= 0 && at + 1 < args.size())
        t_frm.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(args.at(at + 1));
    t_frm.show();
    return app.exec();
}
