#include "app/aboutdlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shelltesting.h"

namespace {

// Every item where the dialog-unit layout, which follows the default font, puts it; every
// text fits its place.
TEST(AboutBox, ShowsTheProgramInItsDialogUnitLayout) {
    const QFontMetrics metrics(QApplication::font());
    const int a = metrics.averageCharWidth();
    const int h = metrics.height();
    EXPECT_EQ(CAboutDlg::DialogUnitsToPixels(QRect(129, 7, 32, 14)),
              QRect(129 * a / 4, 7 * h / 8, 32 * a / 4, 14 * h / 8));

    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Marlock"));
    EXPECT_EQ(dialog.size(), QSize(168 * a / 4, 66 * h / 8));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    struct Item {
        QWidget* widget;
        const char* text;
        QRect dialogUnits;
    };
    for (const Item& item : {Item{dialog.IconLabel(), "", {11, 17, 18, 20}},
                             Item{dialog.NameLabel(), "Marlock 1.1", {37, 14, 83, 8}},
                             Item{dialog.FirstLine(), "Shogi record editor", {37, 25, 84, 8}},
                             Item{dialog.SecondLine(), "(C) 2026 Tallowby", {37, 36, 81, 8}},
                             Item{dialog.OkButton(), "OK", {129, 7, 32, 14}}}) {
        const QString text = item.widget->property("text").toString();
        EXPECT_EQ(text, QString::fromUtf8(item.text));
        EXPECT_EQ(item.widget->geometry(), CAboutDlg::DialogUnitsToPixels(item.dialogUnits));
        EXPECT_LE(metrics.horizontalAdvance(text), item.widget->width()) << item.text;
    }
    EXPECT_TRUE(dialog.OkButton()->isDefault());
}

// Enter answers the default button and Escape cancels: both close the box; other keys do not.
TEST(AboutBox, ClosesWithEnterEscapeOrOk) {
    for (const auto& [key, closes] : std::vector<std::pair<Qt::Key, bool>>{{Qt::Key_Return, true},
                                                                           {Qt::Key_Enter, true},
                                                                           {Qt::Key_Escape, true},
                                                                           {Qt::Key_A, false}}) {
        CAboutDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, key);
        EXPECT_EQ(dialog.isVisible(), !closes) << key;
        if (!closes) {
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        }
    }
}

}  // namespace
