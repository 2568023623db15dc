// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComPortDetector.h"

#include "state/DesktopOpener.h"
#include "state/GridLayout.h"
#include "cat/PortDirectory.h"
#include "cat/SerialByIdNames.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString ComPortDetector::instructionText()
{
    const QString two = QStringLiteral("\r\n\r\n");
    return QStringLiteral("To find which Com port numbers are available on your PC:") + two +
           QStringLiteral("1. Turn off your radio") + two +
           QStringLiteral("2. Plug the programming cable into the radio") + two +
           QStringLiteral("3. Plug the programming cable into the PC. Use a USB adapter if required.") + two +
           QStringLiteral("4. Click the 'Detect ports' button") + two +
           QStringLiteral("5. The available Com ports are shown in green.") + two +
           QStringLiteral("6. Close this window and then set the Com port number.") +
           QStringLiteral("\r\n\r\n\r\n") +
           QStringLiteral(
               "If you are having problems reading/writing your radio then use the Hollowell program "
               "which is available here:");
}

QRgb ComPortDetector::stateColour(PortDetector::State state)
{
    switch (state) {
    case PortDetector::State::NotDetected:
        return kYellow;
    case PortDetector::State::Open:
        return kGreen;
    case PortDetector::State::Absent:
    case PortDetector::State::NotAvailable:
        break;
    }
    return kRed;
}

ComPortDetector::ComPortDetector(const PortDirectory& directory, qint32 baudRate, bool rtsCts,
                                 QList<QAction*> portItems, const DesktopOpener& opener, QWidget* parent)
    : QDialog(parent), m_detector(directory, baudRate, rtsCts), m_portItems(std::move(portItems)),
      m_opener(opener)
{
    setObjectName(QStringLiteral("frmComPortDetector"));
    setWindowTitle(QStringLiteral("Com port detector"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    auto* text = new QVBoxLayout;
    lblInstructions = new QLabel(this);
    lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
    // The label breaks lines at "\n"; the text keeps the program's own line ends.
    lblInstructions->setText(instructionText().remove(QLatin1Char('\r')));
    lblInstructions->setWordWrap(true);
    lblInstructions->setMinimumWidth(Twips::toPixels(4800));
    lblInstructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->addWidget(lblInstructions);

    lblLink = new QLabel(this);
    lblLink->setObjectName(QStringLiteral("lblLink"));
    const QString address = QString::fromLatin1(DesktopOpener::kSerialTestPage);
    lblLink->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:#0000ff; text-decoration:underline\">%1</a>")
            .arg(address.toHtmlEscaped()));
    lblLink->setTextFormat(Qt::RichText);
    lblLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblLink->setCursor(Qt::PointingHandCursor);
    connect(lblLink, &QLabel::linkActivated, this,
            [this](const QString& link) { m_opener.open(QUrl(link)); });
    text->addWidget(lblLink);
    text->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(Twips::toPixels(45));
    for (int n = PortDetector::kFirstPort; n <= PortDetector::kLastPort; ++n) {
        QString caption = QStringLiteral("COM") + QString::number(n);
#ifndef Q_OS_WIN
        // Elsewhere a number stands for a device, as in the port menu.
        caption += QStringLiteral("  ") + m_detector.device(n);
#endif
        grid->addWidget(new QLabel(caption, this), n - 1, 0);
        auto* box = new QLabel(this);
        box->setObjectName(QStringLiteral("lblPort") + QString::number(n));
        box->setAlignment(Qt::AlignCenter);
        box->setAutoFillBackground(true);
        box->setMinimumWidth(Twips::toPixels(1500));
        box->setFrameShape(QFrame::Box);
        m_boxes.append(box);
        grid->addWidget(box, n - 1, 1);
        // Beside the box, the adapter's stable name, to copy into the settings.
        auto* stable = new QLabel(this);
        stable->setObjectName(QStringLiteral("lblStableName") + QString::number(n));
        stable->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_stableNames.append(stable);
        grid->addWidget(stable, n - 1, 2);
        showState(n);
    }

    cmdDetect = new QPushButton(QStringLiteral("&Detect ports"), this);
    cmdDetect->setObjectName(QStringLiteral("cmdDetect"));
    // Enter runs a detection, the one thing the window is for.
    cmdDetect->setDefault(true);
    cmdExit = new QPushButton(QStringLiteral("E&xit"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    connect(cmdDetect, &QPushButton::clicked, this, &ComPortDetector::detect);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdDetect);
    buttons->addWidget(cmdExit);

    auto* top = new QHBoxLayout;
    top->addLayout(text, 1);
    top->addSpacing(Twips::toPixels(240));
    top->addLayout(grid);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

ComPortDetector::~ComPortDetector()
{
    m_detector.release();
}

QLabel* ComPortDetector::portBox(int portNumber) const
{
    return m_boxes.value(portNumber - 1, nullptr);
}

void ComPortDetector::showState(int portNumber)
{
    QLabel* box = portBox(portNumber);
    const PortDetector::State state = m_detector.state(portNumber);
    box->setText(PortDetector::stateText(portNumber, state));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor(stateColour(state)));
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    // A cable plugged in after the window opened gets its name at the next detection.
    m_stableNames.value(portNumber - 1)->setText(SerialByIdNames::stableName(m_detector.device(portNumber)));
}

void ComPortDetector::detect()
{
    m_detector.detect();
    for (int n = PortDetector::kFirstPort; n <= PortDetector::kLastPort; ++n) {
        showState(n);
        QAction* item = m_portItems.value(n - 1, nullptr);
        if (!item)
            continue;
        // An absent port leaves its menu item as it was; one that would not
        // open cannot be chosen until a later detection opens it.
        switch (m_detector.state(n)) {
        case PortDetector::State::NotAvailable:
            item->setEnabled(false);
            item->setChecked(false);
            break;
        case PortDetector::State::Open:
            item->setEnabled(true);
            break;
        default:
            break;
        }
    }
}

void ComPortDetector::done(int result)
{
    m_detector.release();
    QDialog::done(result);
}
