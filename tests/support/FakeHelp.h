#pragma once

#include "HelpSystem.h"

#include <QList>

// A help system that only records what it was asked to show.
class FakeHelp : public HelpSystem
{
public:
    QList<int> popups;
    QList<int> topics;
    int contents = 0;
    void showPopup(int context) override { popups.append(context); }
    void showTopic(int context) override { topics.append(context); }
    void showContents() override { ++contents; }
};
