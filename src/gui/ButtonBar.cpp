// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonBar.h"

#include "Form1.h"
#include "state/GridLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ButtonBar::ButtonBar(QWidget* parent) : QWidget(parent)
{
    QWidget* bar = this;
    struct ButtonInfo {
        QPushButton* ButtonBar::*member;
        const char* name;
        const char* caption;
        const char* tooltip;
        QRgb colour; // 0: the style's own
    };
    const ButtonInfo buttons[] = {
        {&ButtonBar::read, "cmdRead", "&Read Radio", " Read the radio into the computer ",
         Form1::kRadioColour},
        {&ButtonBar::writeRig, "cmdWriteRig", "Write R&adio",
         " Write the currently shown memory to the radio ", Form1::kRadioColour},
        {&ButtonBar::loadFile, "cmdLoadFile", "Read &Disk File",
         " Read a previously saved radio memory from disk ", Form1::kFileColour},
        {&ButtonBar::saveToDisk, "cmdSaveToDisk", "&Write Disk File",
         " Write the currently shown memory to a file on disk ", Form1::kFileColour},
        {&ButtonBar::importExport, "cmdImportExport", "&Import/Export", " Import memories from a CSV file. ",
         0},
    };
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    for (const ButtonInfo& info : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(info.caption), bar);
        button->setObjectName(QString::fromLatin1(info.name));
        button->setToolTip(QString::fromLatin1(info.tooltip));
        button->setMinimumSize(Twips::toPixels(1500), Twips::toPixels(495));
        button->setAutoDefault(false);
        if (info.colour) {
            // Only the usable states get the colour and black text; a disabled
            // button keeps the style's greyed text on a paler face, so that it
            // looks as unusable as it is.
            QPalette palette = button->palette();
            const QColor colour(info.colour);
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                palette.setColor(group, QPalette::Button, colour);
                palette.setColor(group, QPalette::ButtonText, Qt::black);
            }
            const QColor window = palette.color(QPalette::Disabled, QPalette::Window);
            palette.setColor(QPalette::Disabled, QPalette::Button,
                             QColor((colour.red() + window.red()) / 2, (colour.green() + window.green()) / 2,
                                    (colour.blue() + window.blue()) / 2));
            button->setPalette(palette);
        }
        this->*info.member = button;
        row->addWidget(button);
    }
    rigType = new QLabel(QStringLiteral("Rig type"), bar);
    rigType->setObjectName(QStringLiteral("lblRigType"));
    rigType->setMinimumWidth(Twips::toPixels(1500));
    rigType->setAccessibleName(QStringLiteral("Radio type"));
    row->addSpacing(Twips::toPixels(240));
    row->addWidget(rigType);
    row->addStretch(1);
}
