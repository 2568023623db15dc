#include "MainWindowFixture.h"

#include "app/SettingsStore.h"
#include "app/frmRepeaterRules.h"
#include "model/ChannelMap.h"
#include "rules/RegionalRuleSets.h"
#include "support/TestLocale.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

QString bandMessage(const QString& shown)
{
    return QStringLiteral("The frequency of '") + shown +
           QStringLiteral("' is not acceptable. Valid ranges in MHz are:\r\n29 - 30, 50 - 52, 145 - 147 and "
                          "430 - 450.\r\n If your local rules are outside these limits please contact the "
                          "author.");
}

class RepeaterRulesWindowTest : public MainWindowFixture {
protected:
    SettingsStore& shared()
    {
        if (!m_shared)
            m_shared = std::make_unique<SettingsStore>(QStringLiteral("QuayGlobal"), configFolder());
        return *m_shared;
    }
    QString stored(const char* key) { return shared().value(QStringLiteral("RepeaterRules"), key); }
    // Stores a regional set as the user's rules before the window starts.
    void storeSet(const char* name, bool active)
    {
        ASSERT_TRUE(
            RuleSet::saveRules(shared(), RegionalRuleSets::rows(QString::fromLatin1(name)), active, false));
    }

    // Opens the editor from the menu and runs body in it; the editor is
    // cancelled afterwards unless body closed it.
    void inEditor(const std::function<void(frmRepeaterRules&)>& body)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<frmRepeaterRules*>(QApplication::activeModalWidget());
            if (!editor)
                return;
            seen = true;
            body(*editor);
            if (editor->isVisible())
                editor->reject();
        });
        action("mnuBandPlan")->trigger();
        EXPECT_TRUE(seen) << "the rule editor did not open modally";
    }

    // Types into a rule cell and leaves it with Return; true when the editor closed.
    static bool type(frmRepeaterRules& editor, int row, int column, const QString& text)
    {
        QTableWidget* grid = editor.grdRules;
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

    std::unique_ptr<SettingsStore> m_shared;
};

class RuleEntryTest : public RepeaterRulesWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RuleEntryTest, ChecksOnLeavingACell)
{
    const ScopedDecimalMark mark(QString::fromLatin1(GetParam()));
    const QString notNumeric = QStringLiteral("Not a numeric value");
    struct Case {
        int column;
        const char* typed; // written with "."
        bool allowAny;
        const char* shown; // the cell afterwards, nullptr when the edit stays open
        QStringList messages;
    };
    const Case cases[] = {
        {0, "144.5", false, nullptr, {bandMessage(local("144.50000"))}},
        {0, "145.0", false, "145.00000", {}},
        {1, "147", false, "147.00000", {}},
        {1, "430", false, "430.00000", {}},
        {0, "144.5", true, "144.50000", {}},
        {0, "abc", false, nullptr, {notNumeric, bandMessage(QStringLiteral("abc"))}},
        {1, "abc", true, "abc", {}},
        {3, "100", false, nullptr, {}},
        {3, "99.99", false, "99.99", {}},
        {3, "-1", false, nullptr, {}},
        {3, "0", false, "0", {}},
        {3, "x", false, nullptr, {notNumeric}},
    };
    startQuietly();
    inEditor([&](frmRepeaterRules& editor) {
        editor.addRule();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + " in column " + std::to_string(c.column));
            editor.chkAllowAnyFrequency->setChecked(c.allowAny);
            const QString before = editor.grdRules->item(0, c.column)->text();
            m_prompter.clear();
            const bool closed = type(editor, 0, c.column, local(c.typed));
            EXPECT_EQ(closed, c.shown != nullptr);
            EXPECT_EQ(editor.grdRules->item(0, c.column)->text(), c.shown ? local(c.shown) : before);
            EXPECT_EQ(m_prompter.messages(), c.messages);
        }
    });
}
QUAYSTONE_BOTH_DECIMAL_MARKS(RuleEntryTest);

TEST_F(RepeaterRulesWindowTest, ChangedLowSortsTheRulesNumerically)
{
    startQuietly();
    inEditor([&](frmRepeaterRules& editor) {
        editor.loadRegionalSet(QStringLiteral("United Kingdom"));
        const QVector<RuleSet::RuleTexts> uk = editor.rows();
        // 29.5 in the last row's Low moves that rule to the top; the others keep their order.
        ASSERT_TRUE(type(editor, 4, 0, QStringLiteral("29.5")));
        ASSERT_TRUE(waitFor([&] { return editor.rows().first().first() == QStringLiteral("29.50000"); }));
        QVector<RuleSet::RuleTexts> expected = uk;
        expected.move(4, 0);
        expected[0][0] = QStringLiteral("29.50000");
        EXPECT_EQ(editor.rows(), expected);
        EXPECT_EQ(editor.grdRules->currentRow(), 0);
        // A High changes nothing in the order, even one below every Low.
        ASSERT_TRUE(type(editor, 1, 1, QStringLiteral("29.1")));
        QCoreApplication::processEvents();
        EXPECT_EQ(editor.rows()[1][0], uk[0][0]);
    });
}

TEST_F(RepeaterRulesWindowTest, EachRegionalButtonShowsItsSetAndLeavesTheBoxes)
{
    startQuietly();
    inEditor([&](frmRepeaterRules& editor) {
        const QList<QPushButton*> buttons = editor.fraPredefined->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 8);
        editor.chkApplyRules->setChecked(true);
        for (QPushButton* region : buttons) {
            region->click();
            EXPECT_EQ(editor.rows(), RegionalRuleSets::rows(region->text())) << region->text().toStdString();
        }
        editor.addRule();
        EXPECT_EQ(editor.rows().size(), RegionalRuleSets::rows(buttons.last()->text()).size() + 1);
        EXPECT_TRUE(editor.chkApplyRules->isChecked());
        EXPECT_FALSE(editor.chkAllowAnyFrequency->isChecked());
    });
}

TEST_F(RepeaterRulesWindowTest, OkWithASetAppliesItToTypedFrequencies)
{
    startQuietly();
    loadSample();
    ASSERT_FALSE(action("mnuBandPlan")->isChecked());
    inEditor([&](frmRepeaterRules& editor) {
        editor.loadRegionalSet(QStringLiteral("United Kingdom"));
        editor.chkApplyRules->setChecked(true);
        editor.cmdOK->click();
    });
    EXPECT_EQ(stored("NumberOfRules"), QStringLiteral("5"));
    EXPECT_EQ(state().rules.rules().size(), 5);
    EXPECT_TRUE(action("mnuBandPlan")->isChecked());
    ASSERT_TRUE(state().tables.memories.isEmptyRow(90));
    typeInto(90, Column::kFreq, QStringLiteral("29.68"));
    EXPECT_EQ(cell(90, Column::kShift), QStringLiteral("Minus"));
    EXPECT_EQ(cell(90, Column::kMode), QStringLiteral("FMN"));
}

TEST_F(RepeaterRulesWindowTest, OkWithNoRulesStoresZeroAndSwitchesTheRulesOff)
{
    storeSet("Denmark/Norway", true);
    startQuietly();
    ASSERT_TRUE(action("mnuBandPlan")->isChecked());
    inEditor([&](frmRepeaterRules& editor) {
        EXPECT_TRUE(editor.chkApplyRules->isChecked());
        while (editor.grdRules->rowCount() > 0) {
            editor.grdRules->setCurrentCell(0, 0);
            editor.cmdDeleteRule->click();
        }
        editor.cmdOK->click();
    });
    EXPECT_EQ(stored("NumberOfRules"), QStringLiteral("0"));
    EXPECT_FALSE(state().rules.rulesActive());
    EXPECT_TRUE(state().rules.rules().isEmpty());
    EXPECT_FALSE(action("mnuBandPlan")->isChecked());
}

TEST_F(RepeaterRulesWindowTest, CancelAfterASetKeepsTheRulesButNotTheAllowAnyBox)
{
    storeSet("United Kingdom", true);
    startQuietly();
    const QVector<RepeaterRule> before = state().rules.rules();
    inEditor([&](frmRepeaterRules& editor) {
        editor.loadRegionalSet(QStringLiteral("Australia"));
        editor.chkAllowAnyFrequency->setChecked(true);
        editor.cmdCancel->click();
    });
    EXPECT_EQ(stored("NumberOfRules"), QStringLiteral("5"));
    EXPECT_EQ(stored("Rule1Low"), RegionalRuleSets::rows(QStringLiteral("United Kingdom"))[0][0]);
    EXPECT_EQ(state().rules.rules().size(), before.size());
    EXPECT_EQ(state().rules.rules().first().Low, before.first().Low);
    EXPECT_TRUE(state().rules.rulesActive());
    EXPECT_TRUE(state().rules.allowAnyFrequency());
    EXPECT_EQ(stored("AllowAnyRepeaterFrequency"), QStringLiteral("False"));
}

} // namespace
