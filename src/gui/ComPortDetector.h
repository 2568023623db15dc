// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cat/PortDetector.h"

#include <QDialog>
#include <QList>

class DesktopOpener;
class PortDirectory;
class QAction;
class QLabel;
class QPushButton;

// "Com port detector": tries the port numbers 1 to 16 and shows in a
// coloured box per port which ones can be opened; the main window's port
// menu follows the result. The ports it opened stay held until it closes.
class ComPortDetector : public QDialog {
    Q_OBJECT
public:
    static constexpr QRgb kYellow = qRgb(255, 255, 0);
    static constexpr QRgb kRed = qRgb(255, 0, 0);
    static constexpr QRgb kGreen = qRgb(0, 255, 0);
    static constexpr QRgb kLinkBlue = qRgb(0, 0, 255);

    static QString instructionText();
    static QRgb stateColour(PortDetector::State state);

    // portItems: the "&Com port" menu's items COM1..COM16 (index 0 is COM1).
    ComPortDetector(const PortDirectory& directory, qint32 baudRate, bool rtsCts, QList<QAction*> portItems,
                    const DesktopOpener& opener, QWidget* parent = nullptr);
    ~ComPortDetector() override;

    PortDetector& detector() { return m_detector; }

    void detect();
    // Releases every port before the window goes, however it is closed.
    void done(int result) override;

private:
    QLabel* portBox(int portNumber) const;
    void showState(int portNumber);

    QLabel* lblInstructions = nullptr;
    QLabel* lblLink = nullptr;
    QPushButton* cmdDetect = nullptr;
    QPushButton* cmdExit = nullptr;

    PortDetector m_detector;
    QList<QAction*> m_portItems;
    const DesktopOpener& m_opener;
    QList<QLabel*> m_boxes;       // index 0 is port 1
    QList<QLabel*> m_stableNames; // the /dev/serial/by-id name beside each box, or empty
};
