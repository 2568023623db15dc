// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintOptions.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class Settings;

// The print options window (Settings > "Select &Print options..."): which
// memory columns the listing prints, orientation, two-sided printing and the
// top margin. OK stores the choices; Cancel (or closing the window) puts the
// stored choices back into the window and changes nothing.
class frmSelectPrintColumns : public QDialog {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "Select memory columns to print";

    explicit frmSelectPrintColumns(Settings& settings, QWidget* parent = nullptr);

    // Caption of column 1..6's check box.
    static QString columnCaption(int column);

    // Sets the window from the stored options.
    void loadOptions();
    // What the window shows now.
    PrintOptions shownOptions() const;

public slots:
    void accept() override;
    void reject() override;

private:
    void showOptions(const PrintOptions& options);
    void updateWidthLabel();

    Settings& m_settings;
    std::array<QCheckBox*, 7> m_columns{}; // index 1..6
    QLabel* m_widthLabel = nullptr;
    QRadioButton* m_landscape = nullptr;
    QRadioButton* m_portrait = nullptr;
    QCheckBox* m_duplex = nullptr;
    QComboBox* m_topMargin = nullptr;
};
