// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmRepeaterRules.h"

#include "ButtonReturnKey.h"
#include "RuleGridDelegate.h"
#include "state/OutcomePresenter.h"
#include "state/Prompter.h"
#include "state/RuleStore.h"
#include "state/SettingsStore.h"
#include "rules/RegionalRuleSets.h"
#include "rules/RuleEditing.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char* const kHeaders[frmRepeaterRules::kColumns] = {
    "If Freq\nis >=", "and Freq\nis <=", "then RPT\nshift is", "and RPT\noffset is", "and tune\nstep is"};

// The widest text a column shows, for its width.
const char* const kWidest[frmRepeaterRules::kColumns] = {"888.88888", "888.88888", "Simplex", "88.88888",
                                                         "12.5 K"};

// A regional set's button caption: its name with an access key that no
// other control of the window uses.
QString regionCaption(const QString& name)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("Australia"), QStringLiteral("Aus&tralia")},
        {QStringLiteral("Belgium/France/Netherlands"), QStringLiteral("&Belgium/France/Netherlands")},
        {QStringLiteral("Denmark/Norway"), QStringLiteral("D&enmark/Norway")},
        {QStringLiteral("New Zealand"), QStringLiteral("&New Zealand")},
        {QStringLiteral("Other European countries"), QStringLiteral("Other E&uropean countries")},
        {QStringLiteral("Switzerland/Germany/Austria"), QStringLiteral("&Switzerland/Germany/Austria")},
        {QStringLiteral("United Kingdom"), QStringLiteral("United &Kingdom")},
        {QStringLiteral("United States of America"), QStringLiteral("United States of A&merica")},
    };
    return captions.value(name, name);
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // No default button, so that Return in a cell or a box presses nothing;
    // on a focused button it presses that button.
    b->setAutoDefault(false);
    ButtonReturnKey::install(b);
    return b;
}
} // namespace

frmRepeaterRules::frmRepeaterRules(RuleSet& rules, SettingsStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_rules(rules), m_store(store), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmRepeaterRules"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(true);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    lblInstructions = new QLabel(instructionText(), this);
    lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
    lblInstructions->setWordWrap(true);

    grdRules = new QTableWidget(0, kColumns, this);
    grdRules->setObjectName(QStringLiteral("grdRules"));
    grdRules->setAccessibleName(QStringLiteral("Repeater rules"));
    QStringList headers;
    for (int c = 0; c < kColumns; ++c)
        headers << headerText(c);
    grdRules->setHorizontalHeaderLabels(headers);
    grdRules->verticalHeader()->hide();
    grdRules->horizontalHeader()->setStretchLastSection(true);
    grdRules->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRules->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_delegate = new RuleGridDelegate([this](int column, QString& text) { return checkEntry(column, text); },
                                      grdRules);
    grdRules->setItemDelegate(m_delegate);
    connect(m_delegate, &RuleGridDelegate::committed, this, &frmRepeaterRules::cellCommitted,
            Qt::QueuedConnection);
    connect(m_delegate, &RuleGridDelegate::reopen, this, &frmRepeaterRules::reopenEditor,
            Qt::QueuedConnection);

    chkApplyRules = new QCheckBox(QStringLiteral("A&pply rules when editing RX freq"), this);
    chkApplyRules->setObjectName(QStringLiteral("chkApplyRules"));
    chkAllowAnyFrequency = new QCheckBox(QStringLiteral("Allo&w any frequency"), this);
    chkAllowAnyFrequency->setObjectName(QStringLiteral("chkAllowAnyFrequency"));
    connect(chkAllowAnyFrequency, &QCheckBox::toggled, this,
            [this](bool on) { m_rules.setAllowAnyFrequency(on); });
    cmdReload = button(QStringLiteral("Re&load my current rules"), "cmdReload", this);
    connect(cmdReload, &QPushButton::clicked, this, &frmRepeaterRules::reloadRules);

    fraPredefined = new QGroupBox(QStringLiteral("Pre-defined rules"), this);
    fraPredefined->setObjectName(QStringLiteral("fraPredefined"));
    auto* regions = new QGridLayout(fraPredefined);
    const QStringList names = RegionalRuleSets::names();
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray name = "cmdRegion" + QByteArray::number(i);
        QPushButton* region = button(regionCaption(names[i]), name.constData(), fraPredefined);
        connect(region, &QPushButton::clicked, this, [this, set = names[i]] { loadRegionalSet(set); });
        regions->addWidget(region, i / 2, i % 2);
    }

    cmdAddRule = button(QStringLiteral("&Add a new rule"), "cmdAddRule", this);
    cmdDeleteRule = button(QStringLiteral("&Delete the selected rule"), "cmdDeleteRule", this);
    cmdOK = button(QStringLiteral("&OK - save as my rules and Exit"), "cmdOK", this);
    cmdCancel = button(QStringLiteral("&Cancel and Exit"), "cmdCancel", this);
    connect(cmdAddRule, &QPushButton::clicked, this, &frmRepeaterRules::addRule);
    connect(cmdDeleteRule, &QPushButton::clicked, this, &frmRepeaterRules::deleteRule);
    connect(cmdOK, &QPushButton::clicked, this, &frmRepeaterRules::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRepeaterRules::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(chkApplyRules);
    side->addWidget(chkAllowAnyFrequency);
    side->addWidget(cmdReload);
    side->addWidget(fraPredefined);
    side->addWidget(cmdAddRule);
    side->addWidget(cmdDeleteRule);
    side->addStretch(1);
    side->addWidget(cmdOK);
    side->addWidget(cmdCancel);

    auto* body = new QHBoxLayout;
    body->addWidget(grdRules, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInstructions);
    layout->addLayout(body, 1);

    // Room for both header lines and every column's widest entry.
    const QFontMetrics metrics(font());
    grdRules->horizontalHeader()->setMinimumHeight(2 * metrics.lineSpacing() + 10);
    int gridWidth = 2 * grdRules->frameWidth() + metrics.horizontalAdvance(QLatin1Char('M'));
    for (int c = 0; c < kColumns; ++c) {
        int width = metrics.horizontalAdvance(QString::fromLatin1(kWidest[c])) + 40;
        for (const QString& line : headerText(c).split(QLatin1Char('\n')))
            width = qMax(width, metrics.horizontalAdvance(line) + 16);
        grdRules->setColumnWidth(c, width);
        gridWidth += width;
    }
    grdRules->setMinimumWidth(gridWidth + grdRules->verticalScrollBar()->sizeHint().width());
    // Rule rows stay lower than the two-line header row.
    grdRules->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    grdRules->setMinimumHeight(12 * (metrics.height() + 8));

    reloadRules();
}

bool frmRepeaterRules::isEditing() const
{
    return m_delegate->isEditing();
}

QString frmRepeaterRules::instructionText()
{
    return QStringLiteral("Repeater Rules enable you to specify default offset, tuning step ") +
           QStringLiteral("and repeater shift direction whenever you change the RX frequency.  ") +
           QStringLiteral("You can load a pre-defined set of rules based on operating location ") +
           QStringLiteral("but please check and amend these to agree with your license.  ") +
           QStringLiteral("Please advise the author of any missing/incorrect pre-defined rules.  ") +
           QStringLiteral("Values in each cell can be edited and you can add or delete rules.");
}

QString frmRepeaterRules::headerText(int column)
{
    return column >= 0 && column < kColumns ? QString::fromLatin1(kHeaders[column]) : QString();
}

QVector<RuleSet::RuleTexts> frmRepeaterRules::rows() const
{
    QVector<RuleSet::RuleTexts> out;
    for (int r = 0; r < grdRules->rowCount(); ++r) {
        RuleSet::RuleTexts row;
        for (int c = 0; c < kColumns; ++c) {
            const QTableWidgetItem* item = grdRules->item(r, c);
            row << (item ? item->text() : QString());
        }
        out << row;
    }
    return out;
}

void frmRepeaterRules::setRows(const QVector<RuleSet::RuleTexts>& rows)
{
    grdRules->clearContents();
    grdRules->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kColumns; ++c)
            grdRules->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    }
}

void frmRepeaterRules::reloadRules()
{
    setRows(RuleStore::reload(m_rules, m_store));
    chkApplyRules->setChecked(m_rules.rulesActive());
    // The flag has just been read from the store; setting the box writes the same value back.
    chkAllowAnyFrequency->setChecked(m_rules.allowAnyFrequency());
}

void frmRepeaterRules::loadRegionalSet(const QString& name)
{
    setRows(RegionalRuleSets::rows(name));
}

void frmRepeaterRules::addRule()
{
    const int row = grdRules->rowCount();
    grdRules->insertRow(row);
    const RuleSet::RuleTexts rule = RuleEditing::defaultRule();
    for (int c = 0; c < kColumns; ++c)
        grdRules->setItem(row, c, new QTableWidgetItem(rule.value(c)));
    grdRules->setCurrentCell(row, 0);
}

void frmRepeaterRules::deleteRule()
{
    const int row = grdRules->currentRow();
    if (row >= 0 && row < grdRules->rowCount())
        grdRules->removeRow(row);
}

void frmRepeaterRules::accept()
{
    // Whatever is being typed is judged first, as if the user had left the cell.
    if (isEditing()) {
        grdRules->setFocus();
        if (isEditing())
            return;
    }
    const QVector<RuleSet::RuleTexts> grid = rows();
    if (!RuleStore::save(m_store, grid, chkApplyRules->isChecked(), chkAllowAnyFrequency->isChecked())) {
        m_prompter.inform(QStringLiteral("The repeater rules could not be saved in ") + m_store.fileName(),
                          Prompter::Icon::Exclamation);
        return;
    }
    OutcomePresenter::show(m_prompter, RuleStore::load(m_rules, m_store));
    QDialog::accept();
}

bool frmRepeaterRules::checkEntry(int column, QString& text)
{
    switch (column) {
    case 0:
    case 1: {
        const RuleSet::BandCheck check = RuleEditing::acceptBound(text, m_rules);
        if (!OutcomePresenter::show(m_prompter, check))
            return false;
        text = check.text;
        return true;
    }
    case 3:
        return OutcomePresenter::show(m_prompter, RuleEditing::acceptAmount(text));
    default:
        return true;
    }
}

void frmRepeaterRules::cellCommitted(int row, int column)
{
    if (column != 0)
        return;
    QVector<RuleSet::RuleTexts> grid = rows();
    const int moved = RuleEditing::sortByLow(grid, row);
    setRows(grid);
    if (moved >= 0)
        grdRules->setCurrentCell(moved, 0);
}

void frmRepeaterRules::reopenEditor(const QModelIndex& index)
{
    grdRules->setCurrentIndex(index);
    grdRules->edit(index);
}
