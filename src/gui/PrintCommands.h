// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

class AppState;
class Prompter;
class QPrinter;
class QWidget;
class Settings;
class frmSelectPrintColumns;

// The printing commands of the main window: File > "&Print", File > "Export
// print to PDF..." and Settings > "Select &Print options...". The memories
// page prints as the text listing with the stored options; the PMS page
// prints as its grid.
class PrintCommands {
public:
    static constexpr char kNoPrinter[] = "No printer is available on this machine";
    static constexpr char kPrintFailed[] = "The print could not be completed.";
    static constexpr char kExportTitle[] = "Export print to PDF";
    static constexpr char kPdfFilter[] = "PDF files (*.pdf)";
    static constexpr char kExportFailed[] = "The PDF file could not be written: ";

    // Shows a print dialog for the printer; false when the user cancelled.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    PrintCommands(AppState& state, Settings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // File > "&Print"; pmsPage: the "&PMS" page is in front; printerAvailable:
    // the main window's flag of installed printers, taken at start-up.
    void print(bool pmsPage, bool printerAvailable);
    // File > "Export print to PDF...": the same print into a PDF file the
    // user names. No printer is needed. True when a file was written.
    bool exportPdf(bool pmsPage);
    // Settings > "Select &Print options...": the options window, modal.
    void selectOptions();

    // The options window, created on first use.
    frmSelectPrintColumns& optionsWindow();

    // The system print dialog (print to file hidden, no selection or page
    // range); tests put their own in its place.
    static bool systemPrintDialog(QPrinter& printer, QWidget* parent);
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }
    // The window's file panel text, which the memories listing's title repeats.
    void setFilePanel(const QString& text) { m_filePanel = text; }

private:
    bool printPage(QPrinter& printer, bool pmsPage);

    AppState& m_state;
    Settings& m_settings;
    Prompter& m_prompter;
    QWidget* m_parent;
    PrintDialog m_printDialog;
    std::unique_ptr<frmSelectPrintColumns> m_optionsWindow;
    QString m_filePanel;
};
