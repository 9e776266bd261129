#pragma once

#include "MessageBoxes.h"

#include <exception>
#include <utility>

// Runs an Index operation that reads the content. An error proper (a container that can no
// longer be read, say) ends the operation, is shown in the application's standard error box,
// and the program goes on: the operation's scope guards have put its state back by then.
// Returns whether the operation ran to its end.
template <typename Operation> bool ReportingErrors(Operation &&operation)
{
    try {
        std::forward<Operation>(operation)();
        return true;
    } catch (const std::exception &e) {
        MessageBoxes::showError(nullptr, QString::fromUtf8(e.what()));
    }
    return false;
}
