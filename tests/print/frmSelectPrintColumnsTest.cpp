// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/frmSelectPrintColumns.h"
#include "print/PrintOptions.h"
#include "state/Settings.h"
#include "support/TestText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OptionsWindow : public ::testing::Test {
protected:
    QCheckBox* column(frmSelectPrintColumns& window, int n)
    {
        return window.findChild<QCheckBox*>(QStringLiteral("chkColumn%1").arg(n));
    }
    QString widthLabel(frmSelectPrintColumns& window)
    {
        return window.findChild<QLabel*>(QStringLiteral("lblWidth"))->text();
    }
    void click(frmSelectPrintColumns& window, const char* name)
    {
        auto* widget = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        clickButton(widget);
    }
    // On the box or the round button itself: a check box only reacts to a
    // click on its indicator or caption, not on the empty space the layout
    // gives it.
    static void clickButton(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    QTemporaryDir m_dir;
    Settings m_settings{m_dir.path()};
};

TEST_F(OptionsWindow, WidthLabelFollowsEveryClick)
{
    frmSelectPrintColumns window(m_settings);
    window.show();
    EXPECT_EQ(widthLabel(window), QStringLiteral("Width=53"));
    const struct {
        int box;
        const char* label;
    } clicks[] = {{4, "Width=44"}, {6, "Width=29"}, {1, "Width=19"}, {4, "Width=28"}, {2, "Width=22"},
                  {3, "Width=15"}, {5, "Width=9"},  {4, "Width=0"},  {6, "Width=15"}};
    for (const auto& c : clicks) {
        clickButton(column(window, c.box));
        EXPECT_EQ(widthLabel(window), QString::fromLatin1(c.label)) << "after box " << c.box;
    }
}

TEST_F(OptionsWindow, OkStoresEveryChoiceAndHides)
{
    frmSelectPrintColumns window(m_settings);
    window.show();
    click(window, "chkColumn2");
    click(window, "chkColumn5");
    click(window, "optPortrait");
    click(window, "chkDuplex");
    window.findChild<QComboBox*>(QStringLiteral("cboTopMargin"))->setCurrentIndex(3);
    click(window, "cmdOK");
    EXPECT_EQ(window.result(), QDialog::Accepted) << "closed by OK";
    // Stored in the store's own words, and read back as chosen.
    const struct {
        const SettingKey& key;
        const char* text;
    } stored[] = {
        {Keys::PrintCol[1], "1"},   {Keys::PrintCol[2], "0"}, {Keys::PrintCol[3], "1"},
        {Keys::PrintCol[4], "1"},   {Keys::PrintCol[5], "0"}, {Keys::PrintCol[6], "1"},
        {Keys::Landscape, "False"}, {Keys::Duplex, "True"},   {Keys::TopMargin, "3/4 inch"},
    };
    for (const auto& s : stored)
        EXPECT_EQ(Settings(m_dir.path()).get(s.key), QString::fromLatin1(s.text)) << s.key.name;
    PrintOptions expected;
    expected.columns = {{false, true, false, true, true, false, true}};
    expected.landscape = false;
    expected.duplex = true;
    expected.topMargin = QStringLiteral("3/4 inch");
    EXPECT_EQ(PrintOptions::load(m_settings), expected);
}

// The window opens on the stored choices, read sensibly when written
// elsewhere (a column that is no number prints, as does any non-zero number;
// an unknown margin is one inch), and Cancel puts them back.
TEST_F(OptionsWindow, CancelKeepsTheStoreAndPutsTheStoredChoicesBack)
{
    m_settings.set(Keys::PrintCol[1], QStringLiteral("0"));
    m_settings.set(Keys::PrintCol[2], QStringLiteral("x"));
    m_settings.set(Keys::PrintCol[3], QStringLiteral("-1"));
    m_settings.set(Keys::Landscape, QStringLiteral("false"));
    m_settings.set(Keys::TopMargin, QStringLiteral("2 inch"));
    EXPECT_EQ(PrintOptions::load(m_settings).topMarginTwips(), 1240);
    frmSelectPrintColumns window(m_settings);
    window.show();
    click(window, "chkColumn1");
    click(window, "chkColumn6");
    click(window, "optLandscape");
    click(window, "chkDuplex");
    window.findChild<QComboBox*>(QStringLiteral("cboTopMargin"))->setCurrentIndex(1);
    click(window, "cmdCancel");
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(m_settings.store().contains(QStringLiteral("Settings"), QStringLiteral("PrintCol6")))
        << "nothing written";
    // Shown again, the window has the stored choices, not the cancelled ones (the
    // width is that of every column but the first).
    EXPECT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("optPortrait"))->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral("chkDuplex"))->isChecked());
    EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("cboTopMargin"))->currentText(),
              QStringLiteral("1 inch"));
    EXPECT_EQ(widthLabel(window), QStringLiteral("Width=43"));
}

} // namespace
