// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/RuleSet.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class RuleGridDelegate;
class SettingsStore;

// The rule editor (Settings > "Define &Repeater rules..."): a grid of rules
// that the user edits, extends, trims or replaces with a regional set. The
// grid is a working copy: OK stores it and reloads the program's rule set,
// Cancel drops it. Only "Allow any frequency" reaches the rule set at once.
class frmRepeaterRules : public QDialog {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "Repeater Rules";
    static constexpr int kColumns = 5;

    // rules: the program's rule set; store: where the rules are kept (QuayGlobal).
    frmRepeaterRules(RuleSet& rules, SettingsStore& store, Prompter& prompter, QWidget* parent = nullptr);

    static QString instructionText();
    // Header of a column, its two lines separated by a line break.
    static QString headerText(int column);

    // The grid's rule rows as shown.
    QVector<RuleSet::RuleTexts> rows() const;
    void setRows(const QVector<RuleSet::RuleTexts>& rows);
    // A cell editor is open.
    bool isEditing() const;

public slots:
    void reloadRules();
    void loadRegionalSet(const QString& name);
    void addRule();
    void deleteRule();
    // "OK - save as my rules and Exit".
    void accept() override;

private:
    bool checkEntry(int column, QString& text);
    void cellCommitted(int row, int column);
    void reopenEditor(const QModelIndex& index);

    RuleSet& m_rules;
    SettingsStore& m_store;
    Prompter& m_prompter;
    RuleGridDelegate* m_delegate = nullptr;

    // Named widgets (also their objectName).
    QLabel* lblInstructions = nullptr;
    QTableWidget* grdRules = nullptr;
    QCheckBox* chkApplyRules = nullptr;
    QCheckBox* chkAllowAnyFrequency = nullptr;
    QPushButton* cmdReload = nullptr;
    QGroupBox* fraPredefined = nullptr;
    QPushButton* cmdAddRule = nullptr;
    QPushButton* cmdDeleteRule = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
