// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the Import/Export window and the rule editor.
#include "ChannelTableView.h"
#include "Form1.h"
#include "TablePage.h"
#include "frmImportExport.h"
#include "frmRepeaterRules.h"
#include "state/SettingsStore.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>

frmImportExport* Form1::importExportWindow() const
{
    return m_importExport.data();
}

void Form1::openImportExport()
{
    if (m_importExport) {
        m_importExport->raise();
        m_importExport->activateWindow();
        return;
    }
    const auto pickedRows = [this] {
        QSet<int> rows;
        for (const QModelIndex& index : grdMemoriesL->selectionModel()->selectedRows())
            rows.insert(index.row() + 1);
        return rows;
    };
    m_importExport = new frmImportExport(m_state, *m_prompter, m_log, m_csv, *m_settings, pickedRows, this);
    connect(m_importExport, &frmImportExport::rowPickingChanged, this, &Form1::setRowPicking);
    connect(m_importExport, &frmImportExport::memoriesPageWanted, this, &Form1::showMemoriesPage);
    connect(m_importExport, &frmImportExport::imported, this, &Form1::importDone);
    connect(m_importExport, &QDialog::finished, this, [this] {
        frmImportExport* window = m_importExport.data();
        m_importExport.clear();
        setRowPicking(false);
        updateActions();
        if (window)
            window->deleteLater();
    });
    updateActions();
    m_importExport->show();
}

void Form1::setRowPicking(bool on)
{
    if (m_rowPicking == on)
        return;
    m_rowPicking = on;
    grdMemoriesL->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    grdMemoriesL->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::ContiguousSelection);
    if (!on) {
        // Back to one cell, the current one, as the table normally selects.
        const QModelIndex current = grdMemoriesL->currentIndex();
        grdMemoriesL->selectionModel()->clearSelection();
        if (current.isValid())
            grdMemoriesL->selectionModel()->select(current, QItemSelectionModel::Select);
    }
    updateActions();
}

void Form1::importDone()
{
    // The changed flag and the undo step came with the import; the view
    // follows with the column widths and the first memory row.
    applyColumnWidths();
    m_memories->selectCell(1, Column::kFreq);
}

void Form1::openRepeaterRules()
{
    SettingsStore shared(QString::fromLatin1(RuleSet::kApplication), m_options.settingsFolder);
    frmRepeaterRules editor(m_state.rules(), shared, *m_prompter, this);
    editor.exec();
    // OK has reloaded the rules; Cancel keeps the flag read when the editor opened.
    mnuBandPlan->setChecked(m_state.rules().rulesActive());
}
