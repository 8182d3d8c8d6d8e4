#include "core/screens/TextFileViewer.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TTextFileViewer::TTextFileViewer(const QString &path, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("TextFileViewer"));
    setWindowTitle(QDir::toNativeSeparators(path));
    memo_text = new QPlainTextEdit(this);
    memo_text->setObjectName(QStringLiteral("memo_text"));
    memo_text->setReadOnly(true);
    memo_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_text->setPlainText(qvx::TextFile::readLines(path).join(QLatin1Char('\n')));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_text);
    resize(960, 360);
}

TTextFileViewer *ShowTextFile(const QString &path, QWidget *owner)
{
    auto *viewer = new TTextFileViewer(path, owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
    return viewer;
}
