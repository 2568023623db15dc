// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One fault of the simulated radio: it sees each command on its way in and
// may change what the radio answers. The radio applies its filters in the
// order they were made, so a new fault is one more small class.
class ReplyFilter {
public:
    // One command and what the radio makes of it.
    struct Exchange {
        QString command;
        int queryChannel = -1;    // a memory query's channel (0..117), else -1
        bool heard = true;        // false: the radio neither acts on nor answers the command
        QString reply;            // empty: no answer
        int lateMs = 0;           // how much later than due the reply goes out
        bool storesWrite = false; // a well-formed memory write the radio will store
        int scheduledFault = -1;  // the random schedule's draw for this command, or -1
        bool autoInformation = false;
        int commandNumber = 0; // commands taken so far, this one included
    };

    virtual ~ReplyFilter() = default;
    // The radio starts again on a new line: what held for the last one is forgotten.
    virtual void restart() {}
    // Before the radio acts on the command.
    virtual void before(Exchange&) {}
    // After the radio has answered a command it heard.
    virtual void after(Exchange&) {}
};
