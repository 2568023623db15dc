// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintCommands.h"

#include "state/AppState.h"
#include "state/GridLayout.h"
#include "state/Prompter.h"
#include "state/Settings.h"
#include "frmSelectPrintColumns.h"
#include "model/Frequency.h"
#include "ListingPrinter.h"
#include "print/MemoryListing.h"
#include "PmsGridPrinter.h"
#include "print/PrintOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

PrintCommands::PrintCommands(AppState& state, Settings& settings, Prompter& prompter, QWidget* parent)
    : m_state(state), m_settings(settings), m_prompter(prompter), m_parent(parent),
      m_printDialog(&PrintCommands::systemPrintDialog)
{
}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::systemPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

frmSelectPrintColumns& PrintCommands::optionsWindow()
{
    if (!m_optionsWindow)
        m_optionsWindow = std::make_unique<frmSelectPrintColumns>(m_settings, m_parent);
    return *m_optionsWindow;
}

void PrintCommands::selectOptions()
{
    frmSelectPrintColumns& window = optionsWindow();
    window.loadOptions();
    window.exec();
}

bool PrintCommands::printPage(QPrinter& printer, bool pmsPage)
{
    if (pmsPage) {
        const QString gridName = m_settings.get(Keys::GridSize);
        const GridLayout::GridSize size = GridLayout::gridSize(gridName);
        QVector<int> widths = GridLayout::columnWidths(gridName, false, false, m_settings).pms;
        widths[0] = size.numberColumnWidth;
        PmsGridPrinter::preparePage(printer);
        return PmsGridPrinter::print(printer, m_state.tables().pms, widths, size.headerHeight,
                                     QFont(QStringLiteral("Tahoma"), size.fontPoints));
    }
    const PrintOptions options = PrintOptions::load(m_settings);
    return ListingPrinter::printMemories(printer, m_state.tables().memories, options,
                                         MemoryListing::title(m_state.dataSource(), m_filePanel),
                                         Frequency::decimalMark());
}

void PrintCommands::print(bool pmsPage, bool printerAvailable)
{
    if (!printerAvailable) {
        m_prompter.inform(QString::fromLatin1(kNoPrinter));
        return;
    }
    if (!pmsPage && m_state.dataSource() == AppState::Nothing)
        return;
    QPrinter printer(QPrinter::HighResolution);
    // The dialog opens on the layout that will be printed.
    if (pmsPage)
        PmsGridPrinter::preparePage(printer);
    else
        ListingPrinter::applyOptions(printer, PrintOptions::load(m_settings));
    if (!m_printDialog(printer, m_parent))
        return;
    if (!printPage(printer, pmsPage))
        m_prompter.inform(QString::fromLatin1(kPrintFailed), Prompter::Icon::Exclamation);
}

bool PrintCommands::exportPdf(bool pmsPage)
{
    if (!pmsPage && m_state.dataSource() == AppState::Nothing)
        return false;
    const QString base = m_state.currentFilePath().isEmpty()
                             ? QStringLiteral("Memories")
                             : QFileInfo(m_state.currentFilePath()).completeBaseName();
    const QString preset = base + (pmsPage ? QStringLiteral(" PMS.pdf") : QStringLiteral(".pdf"));
    QString path = m_prompter.chooseSaveFile(QString::fromLatin1(kExportTitle), m_state.dataFolder(),
                                             QString::fromLatin1(kPdfFilter), preset);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    const bool written =
        ListingPrinter::exportPdf(path, [&](QPrinter& printer) { return printPage(printer, pmsPage); });
    if (!written) {
        m_prompter.inform(QString::fromLatin1(kExportFailed) + QDir::toNativeSeparators(path),
                          Prompter::Icon::Exclamation);
    }
    return written;
}
