#include "qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace corvalen {

int QtDialogs::MsgBox(const QString& prompt, int style, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt,
        style == MsgBoxStyle::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
        QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgBoxResult::Ok : MsgBoxResult::Cancel;
}

} // namespace corvalen
