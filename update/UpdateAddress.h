#pragma once

#include <QUrl>

// Addresses the update check may follow: https anywhere, plain http only to this machine
// (tests and local mirrors), since whatever comes over plain http may have been replaced on
// the way.
namespace UpdateAddress {

bool IsAllowed(const QUrl &url);

// The address of the download's detached signature: ".minisig" appended to its path.
QUrl SignatureUrl(const QUrl &download);

} // namespace UpdateAddress
