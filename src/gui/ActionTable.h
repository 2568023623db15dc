// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QVector>

// Which command may be used in which state: one declared table of the
// commands themselves (actions, menus and buttons), each with every need it
// has. The window says which needs are met; the table enables the rest.
class ActionTable {
public:
    enum Need : unsigned {
        Idle = 1u << 0,           // no transfer, import or file operation is running
        Channels = 1u << 1,       // the tables hold a read or a file
        MemoriesShown = 1u << 2,  // the memories page is in front, no rows being picked
        PmsShown = 1u << 3,       // the PMS page is in front
        UndoStep = 1u << 4,       // a step can be undone
        Selection = 1u << 5,      // memories have been selected since the last load
        Clipboard = 1u << 6,      // copied memories, or rows of text from another program
        NoEditor = 1u << 7,       // no cell editor is open
        NoImportWindow = 1u << 8, // the Import/Export window is closed
        RedoStep = 1u << 9,       // an undone step can be redone
    };
    struct Rule {
        QObject* target; // a QAction or a QWidget (a menu, a button)
        unsigned needs;
    };

    ActionTable() = default;
    explicit ActionTable(const QVector<Rule>& rules) : m_rules(rules) {}

    bool isEmpty() const { return m_rules.isEmpty(); }
    const QVector<Rule>& rules() const { return m_rules; }
    // Enables each command whose needs are all in `have`, disables the others.
    void apply(unsigned have) const;

private:
    QVector<Rule> m_rules;
};
