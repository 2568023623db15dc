// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include "gui/frmRepeaterRules.h"
#include "rules/RegionalRuleSets.h"
#include "state/SettingsStore.h"
#include "support/TestLocale.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class RepeaterRulesWindowTest : public MainWindowFixture {
protected:
    QString stored(const char* key)
    {
        return SettingsStore(QStringLiteral("QuayGlobal"), configFolder())
            .value(QStringLiteral("RepeaterRules"), key);
    }
    // Opens the editor from the menu, runs body in it, and cancels it unless body closed it.
    void inEditor(const std::function<void(frmRepeaterRules&)>& body)
    {
        EXPECT_TRUE(onModal(action("mnuBandPlan"), body)) << "the rule editor did not open modally";
    }

    // Types into a rule cell and leaves it with Return; true when the editor closed.
    bool type(frmRepeaterRules& editor, int row, int column, const QString& text)
    {
        auto* grid = widget<QTableWidget>("grdRules", &editor);
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        auto* line = grid->viewport()->findChild<QLineEdit*>();
        if (!line)
            return false;
        line->setText(text);
        QTest::keyClick(line, Qt::Key_Return);
        // The view commits from its event queue; a sort follows from the window's.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        const bool closed = !editor.isEditing();
        if (!closed)
            QTest::keyClick(line, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closed;
    }
};

class RuleEntryTest : public RepeaterRulesWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RuleEntryTest, ChecksOnLeavingACell)
{
    const ScopedDecimalMark mark(QString::fromLatin1(GetParam()));
    struct Case {
        int column;
        const char* typed; // written with "."
        bool allowAny;
        const char* shown;    // the cell afterwards; nullptr: the edit stays open
        QStringList messages; // how each message begins
    };
    const QString band = QStringLiteral("The frequency of '");
    const QString notNumeric = QStringLiteral("Not a numeric value");
    const Case cases[] = {
        {0, "144.5", false, nullptr, {band + local("144.50000'")}},
        {0, "145.0", false, "145.00000", {}},
        {1, "147", false, "147.00000", {}},
        {0, "144.5", true, "144.50000", {}},
        {0, "abc", false, nullptr, {notNumeric, band + "abc'"}},
        {1, "abc", true, "abc", {}},
        {3, "100", false, nullptr, {}},
        {3, "99.99", false, "99.99", {}},
        {3, "-1", false, nullptr, {}},
        {3, "x", false, nullptr, {notNumeric}},
    };
    startQuietly();
    inEditor([&](frmRepeaterRules& editor) {
        editor.addRule();
        auto* grid = widget<QTableWidget>("grdRules", &editor);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + " in column " + std::to_string(c.column));
            widget<QCheckBox>("chkAllowAnyFrequency", &editor)->setChecked(c.allowAny);
            const QString before = grid->item(0, c.column)->text();
            m_prompter.clear();
            EXPECT_EQ(type(editor, 0, c.column, local(c.typed)), c.shown != nullptr);
            EXPECT_EQ(grid->item(0, c.column)->text(), c.shown ? local(c.shown) : before);
            const QStringList messages = m_prompter.messages();
            ASSERT_EQ(messages.size(), c.messages.size());
            for (int i = 0; i < messages.size(); ++i)
                EXPECT_TRUE(messages[i].startsWith(c.messages[i])) << messages[i].toStdString();
        }
    });
}
QUAYSTONE_BOTH_DECIMAL_MARKS(RuleEntryTest);

// Each set's button replaces the grid with its rules, and a new Low sorts the grid. Return and Enter
// press the focused button and nothing else: there is no default button.
TEST_F(RepeaterRulesWindowTest, SetsReplaceTheGridANewLowSortsItAndKeysPressOnlyTheFocusedButton)
{
    startQuietly();
    inEditor([&](frmRepeaterRules& editor) {
        widget<QCheckBox>("chkApplyRules", &editor)->setChecked(true);
        const auto buttons = widget<QGroupBox>("fraPredefined", &editor)->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 8);
        for (QPushButton* region : buttons) {
            QTest::keyClick(region, Qt::Key_Return);
            // The caption is the set's name with its access key marked.
            const QString name = region->text().remove(QLatin1Char('&'));
            EXPECT_EQ(editor.rows(), RegionalRuleSets::rows(name)) << name.toStdString();
        }
        EXPECT_TRUE(widget<QCheckBox>("chkApplyRules", &editor)->isChecked());

        // 29.5 in the last row's Low moves that rule to the top; the others keep their order.
        editor.loadRegionalSet(QStringLiteral("United Kingdom"));
        QVector<RuleSet::RuleTexts> expected = editor.rows();
        ASSERT_TRUE(type(editor, 4, 0, QStringLiteral("29.5")));
        expected.move(4, 0);
        expected[0][0] = QStringLiteral("29.50000");
        EXPECT_EQ(editor.rows(), expected);
        auto* grid = widget<QTableWidget>("grdRules", &editor);
        EXPECT_EQ(grid->currentRow(), 0);

        // Enter adds a rule and Return in the grid adds none: the rows after the delete show both.
        QTest::keyClick(widget<QPushButton>("cmdAddRule", &editor), Qt::Key_Enter, Qt::KeypadModifier);
        grid->setCurrentCell(0, 0);
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_TRUE(editor.isVisible());
        QTest::keyClick(widget<QPushButton>("cmdDeleteRule", &editor), Qt::Key_Return);
        EXPECT_EQ(editor.rows(), expected.mid(1) + QVector<RuleSet::RuleTexts>{editor.rows().last()});
        QTest::keyClick(widget<QPushButton>("cmdOK", &editor), Qt::Key_Return);
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(stored("NumberOfRules"), QStringLiteral("5"));
}

TEST_F(RepeaterRulesWindowTest, OkStoresTheGridAndGivesItToTheWindowAndCancelKeepsIt)
{
    loadSample();
    inEditor([&](frmRepeaterRules& editor) {
        editor.loadRegionalSet(QStringLiteral("United Kingdom"));
        widget<QCheckBox>("chkApplyRules", &editor)->setChecked(true);
        widget<QPushButton>("cmdOK", &editor)->click();
    });
    EXPECT_TRUE(action("mnuBandPlan")->isChecked());

    // Cancel after another set keeps the rules OK gave the window (the ones
    // typed frequencies follow: CellEntryTest), but not the allow-any box.
    const qint32 firstLow = state().rules().rules().value(0).Low;
    inEditor([&](frmRepeaterRules& editor) {
        editor.loadRegionalSet(QStringLiteral("Australia"));
        widget<QCheckBox>("chkAllowAnyFrequency", &editor)->setChecked(true);
        widget<QPushButton>("cmdCancel", &editor)->click();
    });
    EXPECT_TRUE(state().rules().rules().size() == 5 && state().rules().rules().value(0).Low == firstLow);
    EXPECT_TRUE(state().rules().rulesActive() && state().rules().allowAnyFrequency());
    EXPECT_EQ(stored("AllowAnyRepeaterFrequency"), QStringLiteral("False"));

    // No rules at all: stored as 0, and the rules are off whatever the box says
    // (what a stored 0 loads as: RuleSetTest).
    inEditor([&](frmRepeaterRules& editor) {
        EXPECT_TRUE(widget<QCheckBox>("chkApplyRules", &editor)->isChecked());
        for (auto* grid = widget<QTableWidget>("grdRules", &editor); grid->rowCount() > 0;) {
            grid->setCurrentCell(0, 0);
            widget<QPushButton>("cmdDeleteRule", &editor)->click();
        }
        widget<QPushButton>("cmdOK", &editor)->click();
    });
    EXPECT_EQ(stored("NumberOfRules"), QStringLiteral("0"));
    EXPECT_FALSE(action("mnuBandPlan")->isChecked());
}

} // namespace
