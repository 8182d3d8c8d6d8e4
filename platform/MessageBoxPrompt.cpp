#include "platform/Prompt.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPushButton>

namespace qvx {
namespace {

constexpr int TitleBarButtonsRoom = 140;

QString captionOrTitle(const QString &caption)
{
    if (!caption.isEmpty())
        return caption;
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral(" ") : name;
}

// Shows a box with the given buttons; returns the role of the pressed button.
QMessageBox::ButtonRole runBox(QMessageBox::Icon icon, const QString &text, const QString &caption,
                               const QList<QPair<QString, QMessageBox::ButtonRole>> &buttons)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // No widgets to show a box with (a console program): say it on
        // standard error and take the cautious answer.
        ConsolePrompt().message(text, caption);
        return buttons.size() > 1 ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    }
    QMessageBox box(icon, captionOrTitle(caption), Prompt::displayText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton *first = nullptr;
    QPushButton *escape = nullptr;
    for (const auto &b : buttons) {
        QPushButton *btn = box.addButton(b.first, b.second);
        if (!first)
            first = btn;
        if (b.second == QMessageBox::RejectRole || b.second == QMessageBox::NoRole)
            escape = btn;
    }
    // A short text makes a narrow box whose title bar cuts the caption: keep
    // room for the caption and the title bar's own buttons.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int titleRoom = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 5 / 4 + TitleBarButtonsRoom;
        grid->addItem(new QSpacerItem(titleRoom, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    box.setDefaultButton(first);
    box.setEscapeButton(escape ? escape : first);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    if (!clicked)
        return escape ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    return box.buttonRole(clicked);
}

} // namespace

void MessageBoxPrompt::message(const QString &text, const QString &caption)
{
    runBox(QMessageBox::Information, text, caption, {{QStringLiteral("확인"), QMessageBox::AcceptRole}});
}

bool MessageBoxPrompt::confirm(const QString &text, const QString &caption)
{
    return runBox(QMessageBox::Question, text, caption,
                  {{QStringLiteral("확인"), QMessageBox::AcceptRole},
                   {QStringLiteral("취소"), QMessageBox::RejectRole}})
        == QMessageBox::AcceptRole;
}

bool MessageBoxPrompt::yesNo(const QString &text, const QString &caption)
{
    return runBox(QMessageBox::Question, text, caption,
                  {{QStringLiteral("예"), QMessageBox::YesRole}, {QStringLiteral("아니오"), QMessageBox::NoRole}})
        == QMessageBox::YesRole;
}

} // namespace qvx
