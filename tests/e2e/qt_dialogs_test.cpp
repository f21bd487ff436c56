#include "platform/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvalen;

namespace {

struct DialogCase {
    const char* name;
    int style;
    QMessageBox::StandardButton pressed;
    QMessageBox::StandardButtons offered;
    int answer;
};

class QtDialogsTest : public ::testing::TestWithParam<DialogCase> { };

// The real box: its buttons, its texts, and the answer for the button a person presses.
TEST_P(QtDialogsTest, ShowsTheButtonsOfItsStyleAndReportsTheOnePressed)
{
    const DialogCase& c = GetParam();
    QString seenTitle;
    QString seenText;
    QMessageBox::StandardButtons seenButtons;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenButtons = box->standardButtons();
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        box->button(c.pressed)->click();
    });
    QtDialogs dialogs;
    const int answer = dialogs.MsgBox(
        QString::fromUtf8("当前网络存在问题"), c.style, QString::fromUtf8("连接故障"));
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(seenTitle, QString::fromUtf8("连接故障"));
    EXPECT_EQ(seenText, QString::fromUtf8("当前网络存在问题"));
    EXPECT_EQ(seenButtons, c.offered);
}

INSTANTIATE_TEST_SUITE_P(Styles, QtDialogsTest,
    ::testing::Values(DialogCase { "OkOnly", MsgBoxStyle::OkOnly, QMessageBox::Ok, QMessageBox::Ok,
                          MsgBoxResult::Ok },
        DialogCase { "OkCancelAnsweredOk", MsgBoxStyle::OkCancel, QMessageBox::Ok,
            QMessageBox::Ok | QMessageBox::Cancel, MsgBoxResult::Ok },
        DialogCase { "OkCancelAnsweredCancel", MsgBoxStyle::OkCancel, QMessageBox::Cancel,
            QMessageBox::Ok | QMessageBox::Cancel, MsgBoxResult::Cancel }),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
