#include "app/aboutdlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shelltesting.h"

namespace {

// The box's texts, each inside its own rectangle of the dialog-unit layout.
TEST(AboutBox, ShowsTheProgramAndFitsItsTexts) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Marlock"));
    EXPECT_EQ(dialog.NameLabel()->text(), QStringLiteral("Marlock 1.1"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_FALSE(dialog.FirstLine()->text().isEmpty());
    EXPECT_FALSE(dialog.SecondLine()->text().isEmpty());

    const QFontMetrics metrics(QApplication::font());
    for (QLabel* label : {dialog.NameLabel(), dialog.FirstLine(), dialog.SecondLine()}) {
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->text().toStdString() << " does not fit its place";
        EXPECT_TRUE(dialog.rect().contains(label->geometry()));
    }
    EXPECT_TRUE(dialog.rect().contains(dialog.OkButton()->geometry()));
    EXPECT_TRUE(dialog.rect().contains(dialog.IconLabel()->geometry()));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the box has a fixed size";
}

TEST(AboutBox, DialogUnitsFollowTheDefaultFont) {
    const QFontMetrics metrics(QApplication::font());
    const int a = metrics.averageCharWidth();
    const int h = metrics.height();
    const QRect pixels = CAboutDlg::DialogUnitsToPixels(QRect(129, 7, 32, 14));
    EXPECT_EQ(pixels, QRect(129 * a / 4, 7 * h / 8, 32 * a / 4, 14 * h / 8));

    CAboutDlg dialog;
    EXPECT_EQ(dialog.width(), 168 * a / 4);
    EXPECT_EQ(dialog.height(), 66 * h / 8);
    // Every item where the layout puts it: icon, name and version, two lines of text, OK.
    const auto at = [](int x, int y, int w, int ht) {
        return CAboutDlg::DialogUnitsToPixels(QRect(x, y, w, ht));
    };
    EXPECT_EQ(dialog.IconLabel()->geometry(), at(11, 17, 18, 20));
    EXPECT_EQ(dialog.NameLabel()->geometry(), at(37, 14, 83, 8));
    EXPECT_EQ(dialog.FirstLine()->geometry(), at(37, 25, 84, 8));
    EXPECT_EQ(dialog.SecondLine()->geometry(), at(37, 36, 81, 8));
    EXPECT_EQ(dialog.OkButton()->geometry(), at(129, 7, 32, 14));
}

class AboutBoxKeys : public ::testing::TestWithParam<Qt::Key> {};

// Enter answers the default button and Escape cancels: both close the box.
TEST_P(AboutBoxKeys, CloseTheBox) {
    CAboutDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, GetParam());
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(EnterAndEscape, AboutBoxKeys,
                         ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape));

TEST(AboutBox, OtherKeysLeaveItOpen) {
    CAboutDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_A);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
